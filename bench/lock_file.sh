#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Locking and unlocking a 512 MiB file with sweepora-cli against
# `dd if=F of=G bs=1M conv=fsync` of the same file (and cp), wall time and
# peak memory from /usr/bin/time -v (warm page cache, the copy and the locked
# file on the same file system as the original).
#   [ROUNDS=3] [SETTLE=2] bench/lock_file.sh [BUILD_DIR] [SIZE_MIB]   (defaults: build, 512)
# Targets: lock and unlock at most 1.3 x dd + fsync; peak memory under 16 MiB.
# For reference: cp copies inside the kernel (copy_file_range) and does not
# flush; locking reads the file into the program and writes it out again
# (like dd with 1 MiB blocks), then flushes the new file to disk before
# renaming it over the original. "cp + sync", "dd" and "dd + fsync" show what
# each of those costs on this machine without the cipher.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}
size_mib=${2:-512}
rounds=${ROUNDS:-3}
cli="$build_dir/src/cli/sweepora-cli"
[[ -x "$cli" ]] || { echo "No $cli: run 'make build' first." >&2; exit 1; }
[[ -x /usr/bin/time ]] || { echo "Needs GNU time (/usr/bin/time)." >&2; exit 1; }

work=$(mktemp -d "$build_dir/lock-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
file="$work/big.bin"
head -c $((size_mib * 1024 * 1024)) /dev/urandom > "$file"
cat "$file" > /dev/null
sync

# Runs a command under /usr/bin/time; prints "seconds max_rss_kib".
measure() {
    local log="$work/time.log"
    /usr/bin/time -v -o "$log" "$@" > /dev/null
    awk -F': ' '/Elapsed \(wall clock\)/ { n = split($2, t, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + t[i] }
                /Maximum resident set size/ { rss = $2 }
                END { printf "%.2f %d\n", s, rss }' "$log"
}

lock_cmd() { "$cli" lock "$file" <<< "bench password"; }
unlock_cmd() { "$cli" unlock "$file" <<< "bench password"; }
export -f lock_cmd unlock_cmd
export cli file

runs=(cp "cp + sync" dd "dd + fsync" lock unlock)
declare -A best_time best_rss
for ((round = 1; round <= rounds; round++)); do
    for what in "${runs[@]}"; do
        # Locking drops the pages it wrote from the cache: read the file in
        # again so that every run starts from a warm cache. Then let the
        # disk settle: a removed copy or a replaced file frees 512 MiB,
        # which the file system discards in the background after a sync,
        # and that must not fall into the next run's time.
        cat "$file" > /dev/null
        sync
        sleep "${SETTLE:-2}"
        case $what in
            cp) read -r t m < <(measure cp "$file" "$work/copy.bin") ;;
            "cp + sync") read -r t m < <(measure bash -c 'cp "$0" "$1" && sync "$1"' "$file" "$work/copy.bin") ;;
            dd) read -r t m < <(measure dd if="$file" of="$work/copy.bin" bs=1M status=none) ;;
            "dd + fsync") read -r t m < <(measure dd if="$file" of="$work/copy.bin" bs=1M conv=fsync status=none) ;;
            lock) read -r t m < <(measure bash -c lock_cmd) ;;
            unlock) read -r t m < <(measure bash -c unlock_cmd) ;;
        esac
        rm -f "$work/copy.bin"
        sync
        if [[ -z "${best_time[$what]:-}" ]] || awk -v a="$t" -v b="${best_time[$what]}" 'BEGIN { exit !(a < b) }'; then
            best_time[$what]=$t
        fi
        if [[ -z "${best_rss[$what]:-}" || $m -gt ${best_rss[$what]} ]]; then
            best_rss[$what]=$m
        fi
    done
done

reference="dd + fsync"
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { print (b > 0 ? a / b : 0) }'; }
printf 'File of %d MiB, best of %d runs; peak memory is the largest seen\n' "$size_mib" "$rounds"
for what in "${runs[@]}"; do
    printf '  %-10s %6.2f s  %6.2f x dd+fsync  %6.1f x cp  peak %6.1f MiB\n' "$what" "${best_time[$what]}" \
        "$(ratio "${best_time[$what]}" "${best_time[$reference]}")" \
        "$(ratio "${best_time[$what]}" "${best_time[cp]}")" \
        "$(awk -v k="${best_rss[$what]}" 'BEGIN { print k / 1024 }')"
done
for what in lock unlock; do
    verdict=met
    awk -v a="$(ratio "${best_time[$what]}" "${best_time[$reference]}")" -v m="${best_rss[$what]}" \
        'BEGIN { exit !(a <= 1.3 && m < 16 * 1024) }' || verdict="NOT met"
    printf '%s: target (1.3 x dd + fsync, under 16 MiB) %s\n' "$what" "$verdict"
done
