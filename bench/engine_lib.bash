# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the engine's benchmark scripts (sourced, not run).
#
# Makes a work folder that is removed on exit, points HOME and the XDG
# folders into it (the benchmarks never touch the user's own group table or
# report), and offers helpers for group tables and hyperfine's figures.

set -euo pipefail

bench_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build_dir=$(cd "${1:-$bench_dir/../build}" && pwd)
cli="$build_dir/src/cli/sweepora-cli"
[[ -x "$cli" ]] || { echo "No $cli: build first (make build)." >&2; exit 1; }
for tool in hyperfine python3; do
    command -v "$tool" >/dev/null || { echo "$tool is missing: scripts/install-deps.sh --bench" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/sweepora-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_CACHE_HOME="$work/cache"
mkdir -p "$HOME" "$XDG_CONFIG_HOME/sweepora/System" "$XDG_DATA_HOME"

# make_tree DEST FILES FOLDERS [--sparse]
make_tree() {
    python3 "$bench_dir/engine_tree.py" "$@" >/dev/null
}

# set_groups KEY PATH [KEY PATH...]: the group table holds just these groups.
set_groups() {
    local table="$XDG_CONFIG_HOME/sweepora/System/wingrdt.dll"
    : > "$table"
    while (($#)); do
        printf '"%s","%s/","%s","3"\r\n' "$1" "$2" "$1" >> "$table"
        shift 2
    done
}

# ratio LABEL JSON OURS THEIRS TARGET: hyperfine's commands OURS and THEIRS
# (indexes into its JSON export) compared by their median wall time, with
# the ratio of their CPU time (user + system) beside it, which a machine
# shared with other work disturbs less.
ratio() {
    python3 - "$@" <<'PY'
import json, sys
label, path, ours, theirs, target = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4]), float(sys.argv[5])
results = json.load(open(path))["results"]
a, b = results[ours], results[theirs]
wall = a["median"] / b["median"]
cpu = (a["user"] + a["system"]) / (b["user"] + b["system"])
verdict = "ok" if wall <= target else "OVER TARGET"
print(f"{label}: {a['median'] * 1000:.0f} ms / {b['median'] * 1000:.0f} ms = {wall:.2f}"
      f" (target <= {target}) {verdict}; CPU time ratio {cpu:.2f}")
PY
}
