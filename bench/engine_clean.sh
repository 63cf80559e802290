#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A cleaning run against rm -rf, each on a fresh copy of the same tree of
# 50,000 files (the copy is made before every timed run, not timed itself).
#   bench/engine_clean.sh [BUILD_DIR]
source "$(dirname "$0")/engine_lib.bash"

files=${CLEAN_FILES:-50000}
folders=${CLEAN_FOLDERS:-2500}
echo "== Cleaning run: $files files in $folders folders"
make_tree "$work/template" "$files" "$folders"
set_groups bench "$work/copy"
prepare="rm -rf '$work/copy' && cp -a '$work/template' '$work/copy'"

hyperfine --style basic --runs "${RUNS:-6}" --export-json "$work/clean.json" \
    --prepare "$prepare" "'$cli' clean bench --yes > /dev/null" \
    --prepare "$prepare" "rm -rf '$work/copy'" > "$work/clean.log"

lines=$(wc -l < "$XDG_DATA_HOME/sweepora/DelRpt.TXT")
[[ "$lines" -eq "$files" ]] || echo "warning: the last run reported $lines files, not $files" >&2
ratio "sweepora-cli clean vs rm -rf   " "$work/clean.json" 0 1 1.05
