#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Peak memory of a listing of 1,000,000 files, per file row, above the same
# program listing an empty folder.
#   bench/engine_memory.sh [BUILD_DIR]
source "$(dirname "$0")/engine_lib.bash"

files=${MEMORY_FILES:-1000000}
folders=${MEMORY_FOLDERS:-20000}
[[ -x /usr/bin/time ]] || { echo "/usr/bin/time is missing: scripts/install-deps.sh --bench" >&2; exit 1; }
echo "== Peak memory of a listing: $files files in $folders folders"
make_tree "$work/tree" "$files" "$folders" --sparse
mkdir "$work/empty"
set_groups bench "$work/tree" empty "$work/empty"

peak_kib() { # the largest resident set of the run, in KiB
    /usr/bin/time -f '%M' -o "$work/peak" "$cli" list "$1" > "$work/out"
    cat "$work/peak"
}
empty=$(peak_kib empty)
full=$(peak_kib bench)
rows=$(($(wc -l < "$work/out") - 2))
python3 - "$empty" "$full" "$rows" "$work/out" <<'PY'
import sys
empty, full, rows = int(sys.argv[1]), int(sys.argv[2]), int(sys.argv[3])
with open(sys.argv[4], "rb") as out:
    names = [line.split(b"\t", 1)[0] for line in out][:rows]
name = sum(map(len, names)) / max(rows, 1)
per_row = (full - empty) * 1024 / rows
verdict = "ok" if per_row <= 100 + name else "OVER TARGET"
print(f"sweepora-cli list peak memory: {full} KiB for {rows} rows, {empty} KiB empty"
      f" = {per_row:.0f} bytes a row, names {name:.1f} bytes on average (target <= 100 + name) {verdict}")
PY
