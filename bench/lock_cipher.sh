#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# CipherString throughput in memory. Builds a small program against the lock
# library of a finished build and runs it.
#   bench/lock_cipher.sh [BUILD_DIR]      (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}
lib="$build_dir/src/lock/libsweepora_lock.a"
[[ -f "$lib" ]] || { echo "No $lib: run 'make build' first." >&2; exit 1; }

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
# shellcheck disable=SC2046
g++ -O3 -DNDEBUG -std=c++20 -fPIC -Isrc $(pkg-config --cflags Qt6Core) bench/lock_cipher.cpp \
    "$lib" "$build_dir/src/platform/libsweepora_platform.a" $(pkg-config --libs Qt6Core) -o "$out/lock_cipher"
"$out/lock_cipher"
