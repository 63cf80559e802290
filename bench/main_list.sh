#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Times a click on a group of 2,000,000 files in the main window against
# `sweepora-cli list` of the same group, and reports what the file list
# holds per row. Targets: click at most 1.2 times the CLI listing; the list
# at most 100 bytes a row plus its name, under 400 MB in all.
#
#   bench/main_list.sh [BUILD_DIR]     (FILES=2000000 RUNS=3 to change the run)
#
# The tree and the program's files live in a folder this script makes under
# BUILD_DIR and removes at the end; nothing touches the real home.
set -euo pipefail
build_dir=$(cd "${1:-build}" && pwd)
files=${FILES:-2000000}
runs=${RUNS:-3}

command -v hyperfine >/dev/null || { echo "hyperfine is missing: scripts/install-deps.sh --bench" >&2; exit 1; }
cmake --build "$build_dir" -j2 --target main_list_window sweepora-cli >/dev/null

work=$(mktemp -d "$build_dir/main-list-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_CACHE_HOME=$work/cache
export XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# 20 files a folder, folders nested three deep, names 10 to 20 characters,
# sizes up to 64 KiB (sparse: nothing is written).
python3 - "$work/tree" "$files" <<'PY'
import os, random, sys
root, files = sys.argv[1], int(sys.argv[2])
random.seed(11)
per_folder = 20
for i in range(files):
    folder = i // per_folder
    d = os.path.join(root, f"d{folder // 100}", f"e{folder // 10 % 10}", f"f{folder % 10}")
    if i % per_folder == 0:
        os.makedirs(d, exist_ok=True)
    fd = os.open(os.path.join(d, f"file{i:07d}.tmp"), os.O_WRONLY | os.O_CREAT | os.O_EXCL, 0o644)
    os.ftruncate(fd, random.randrange(1, 65536))
    os.close(fd)
config = os.environ["XDG_CONFIG_HOME"] + "/sweepora/System"
os.makedirs(config, exist_ok=True)
with open(config + "/wingrdt.dll", "w", newline="") as f:
    f.write(f'"Bench","{root}/","Bench","3"\r\n')
PY

cli=$build_dir/src/cli/sweepora-cli
window=$build_dir/bench/main_window/main_list_window
echo "Tree: $files files in $(find "$work/tree" -type d | wc -l) folders"

json=$work/cli.json
hyperfine -N --warmup 2 --runs "$runs" --export-json "$json" --output=null \
  -n "sweepora-cli list" "$cli list Bench" >/dev/null
cli_ms=$(python3 -c "import json,sys; print(json.load(open(sys.argv[1]))['results'][0]['median']*1000)" "$json")

"$window" Bench >/dev/null 2>&1 # warm the cache and WebEngine's files
clicks=()
for ((i = 0; i < runs; i++)); do
  clicks+=("$("$window" Bench 2>/dev/null)")
done
printf '%s\n' "${clicks[@]}" | python3 -c "
import statistics, sys
cli_ms = float(sys.argv[1]); files = int(sys.argv[2])
runs = [list(map(int, line.split())) for line in sys.stdin if line.strip()]
click = statistics.median(r[0] for r in runs)
rows = runs[0][1]
grown = statistics.median(r[3] - r[2] for r in runs)
name_bytes = len('file0000000.tmp')
print(f'sweepora-cli list (median):       {cli_ms:8.1f} ms')
print(f'click to filled list (median):    {click:8.1f} ms   ratio {click / cli_ms:.2f} (target <= 1.2)')
print(f'rows shown: {rows}')
print(f'resident memory grown by the list: {grown / 1e6:6.1f} MB (target < 400 MB for 2,000,000 rows), '
      f'{grown / rows:.1f} bytes a row, of which {name_bytes} bytes of name (target <= 100 + name)')
" "$cli_ms" "$files"
