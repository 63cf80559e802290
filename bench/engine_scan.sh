#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The listing against find, and the used-space sum against du, on one tree of
# 200,000 files in about 10,000 folders, warm cache.
#   bench/engine_scan.sh [BUILD_DIR]
source "$(dirname "$0")/engine_lib.bash"

files=${SCAN_FILES:-200000}
folders=${SCAN_FOLDERS:-10000}
echo "== Listing and used-space sum: $files files in $folders folders"
make_tree "$work/tree" "$files" "$folders"
set_groups bench "$work/tree"

hyperfine --style basic --warmup 2 --runs "${RUNS:-10}" --export-json "$work/scan.json" \
    "'$cli' list bench > /dev/null" \
    "find '$work/tree' -printf '%s %A@ %C@ %T@ %p\n' > /dev/null" \
    "'$cli' used '$work/tree' > /dev/null" \
    "du -sb '$work/tree' > /dev/null" > "$work/scan.log"

ratio "sweepora-cli list vs find -printf" "$work/scan.json" 0 1 1.0
ratio "sweepora-cli used vs du -sb     " "$work/scan.json" 2 3 0.9
