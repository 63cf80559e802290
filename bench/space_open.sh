#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Times opening the drive space window and the monitor window against
# `du -sb` over all group folders together. Both windows walk every group
# folder once; the ratio is window time / du time (target: at most 1.2).
#
#   bench/space_open.sh [BUILD_DIR]     (FILES=200000 GROUP_COUNT=6 RUNS=10 to change the run)
#
# The tree, the group table and the settings live in a folder this script
# makes under BUILD_DIR and removes at the end; nothing touches the real home.
set -euo pipefail
build_dir=$(cd "${1:-build}" && pwd)
files=${FILES:-200000}
groups=${GROUP_COUNT:-6}

command -v hyperfine >/dev/null || { echo "hyperfine is missing: scripts/install-deps.sh --bench" >&2; exit 1; }
cmake --build "$build_dir" -j2 --target space_open_window sweepora-cli >/dev/null

work=$(mktemp -d "$build_dir/space-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_CACHE_HOME=$work/cache
export XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# The tree: $groups group folders sharing $files files, 20 files a folder,
# folders nested three deep, sizes up to 64 KiB (sparse, nothing written).
python3 - "$work/tree" "$files" "$groups" <<'PY'
import os, random, sys
root, files, groups = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
random.seed(7)
per_folder = 20
table = []
for g in range(groups):
    gdir = os.path.join(root, f"group{g}")
    count = files // groups
    for i in range(count):
        folder = i // per_folder
        d = os.path.join(gdir, f"d{folder // 100}", f"e{folder // 10 % 10}", f"f{folder % 10}")
        if i % per_folder == 0:
            os.makedirs(d, exist_ok=True)
        with open(os.path.join(d, f"file{i}.tmp"), "wb") as f:
            f.truncate(random.randrange(0, 65536))
    table.append(f'"Group {g}","{gdir}/","g{g}","3"\r\n')
config = os.environ["XDG_CONFIG_HOME"] + "/sweepora/System"
os.makedirs(config, exist_ok=True)
with open(config + "/wingrdt.dll", "w", newline="") as f:
    f.write("".join(table))
PY

folders=$(for ((g = 0; g < groups; g++)); do printf '%s ' "$work/tree/group$g"; done)
cli=$build_dir/src/cli/sweepora-cli
window=$build_dir/bench/space_windows/space_open_window

echo "Tree: $files files in $groups group folders ($(find "$work/tree" -type d | wc -l) folders)"
echo "Check: du -sb total $(du -sbc $folders | tail -1 | cut -f1) bytes; sweepora-cli space says:"
"$cli" space | sed -n 3p

json=$work/results.json
hyperfine -N --warmup 2 --runs ${RUNS:-10} --export-json "$json" \
  -n "du -sb" "du -sb $folders" \
  -n "drive space window" "$window space" \
  -n "monitor window" "$window monitor" \
  -n "sweepora-cli space" "$cli space" \
  -n "sweepora-cli monitor" "$cli monitor" >/dev/null

# Ratios of the median wall time and of the mean CPU time (user + system):
# the machine is shared, and CPU time moves less with the load of others.
python3 - "$json" <<'PY'
import json, statistics, sys
results = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
def wall(r): return statistics.median(r["times"])
def cpu(r): return r["user"] + r["system"]
base = results["du -sb"]
print(f'{"command":24} {"median":>9} {"cpu":>9} {"wall ratio":>11} {"cpu ratio":>10}')
for name, r in results.items():
    print(f'{name:24} {wall(r)*1000:7.0f}ms {cpu(r)*1000:7.0f}ms {wall(r)/wall(base):11.2f} {cpu(r)/cpu(base):10.2f}')
PY
