#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every benchmark script in this folder: bench/run.sh [BUILD_DIR]
# (make bench installs hyperfine first and passes the build folder).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
echo "Machine: $(nproc) cores, $(free -g | awk '/^Mem:/ {print $2}') GiB, $(uname -sr)"
status=0
for script in "$here"/*.sh; do
    [[ "$script" == "$here/run.sh" ]] && continue
    bash "$script" "$build" || status=1
done
exit $status
