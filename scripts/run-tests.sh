#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the whole test suite headless: offscreen Qt, a private runtime folder
# and a private session bus, so nothing reaches the user's desktop.
set -euo pipefail
build_dir=${1:-build}

runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime
export QT_QPA_PLATFORM=offscreen
# WebEngine refuses to run as root with its sandbox on.
export QTWEBENGINE_DISABLE_SANDBOX=1

source_dir=$(cd "$(dirname "$0")/.." && pwd)
ctest_args=(--output-on-failure -j2)
if grep -q '^SWEEPORA_SANITIZE:BOOL=ON' "$build_dir/CMakeCache.txt" 2>/dev/null; then
  # Any finding fails its test. Suppressed are only findings that have no
  # frame of ours (the files in sanitizers/ say which and why).
  # Copied where every user may read them: some tests run the command line
  # as another user, whose sanitizer runtime must read them too.
  supp=$(mktemp -d)
  trap 'rm -rf "$runtime" "$supp"' EXIT
  cp "$source_dir"/sanitizers/*.supp "$supp"/
  chmod 755 "$supp"
  chmod 644 "$supp"/*.supp
  export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=0
  export LSAN_OPTIONS=suppressions=$supp/lsan.supp:print_suppressions=0
  export UBSAN_OPTIONS=suppressions=$supp/ubsan.supp:print_stacktrace=1:halt_on_error=1
  # The package test installs into /usr: it belongs to the plain build.
  ctest_args+=(-E '^package_install$')
fi

cd "$build_dir"
dbus-run-session -- ctest "${ctest_args[@]}"
