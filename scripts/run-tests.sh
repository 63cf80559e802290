#!/usr/bin/env bash
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

cd "$build_dir"
exec dbus-run-session -- ctest --output-on-failure -j2
