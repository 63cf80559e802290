#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts Sweepora with accessibility on, on an X server of its own and in a
# session bus of its own with the AT-SPI bus, and runs check_atspi.py against
# it. Exit 77 (skipped) where a tool is missing.
set -euo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)

for tool in Xvfb xdotool dbus-run-session /usr/libexec/at-spi-bus-launcher; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "SKIP: python3-pyatspi is not installed"; exit 77; }

root=$(mktemp -d)
xvfb_pid=
cleanup() {
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$root"
}
trap cleanup EXIT

export HOME=$root/home XDG_CONFIG_HOME=$root/config XDG_DATA_HOME=$root/data XDG_CACHE_HOME=$root/cache
export XDG_RUNTIME_DIR=$root/runtime
mkdir -p "$HOME" "$XDG_CONFIG_HOME/sweepora/System" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$root/listed"
mkdir -m 700 "$XDG_RUNTIME_DIR"
printf 'hello\n' > "$root/listed/notes.txt"
printf '"Listed","%s/","Listed","3"\r\n' "$root/listed" > "$XDG_CONFIG_HOME/sweepora/System/wingrdt.dll"

# A free display: the server picks it and tells it.
Xvfb -displayfd 1 -nolock -nolisten tcp -nolisten unix -screen 0 1024x768x24 > "$root/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 300); do [[ -s "$root/display" ]] && break; sleep 0.1; done
[[ -s "$root/display" ]] || { echo "SKIP: Xvfb did not start"; exit 77; }
export DISPLAY=:$(head -n1 "$root/display")
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QTWEBENGINE_DISABLE_SANDBOX=1

dbus-run-session -- bash -c '
  /usr/libexec/at-spi-bus-launcher --launch-immediately & bus=$!
  for _ in $(seq 300); do
    dbus-send --session --dest=org.a11y.Bus --print-reply /org/a11y/bus org.a11y.Bus.GetAddress \
      >/dev/null 2>&1 && break
    sleep 0.1
  done
  # On a loaded machine the program has been seen to die while connecting
  # to the new server; one that died before the check saw it gets a second
  # start. Its output is shown when the check fails.
  for try in 1 2; do
    "$1" >>"$3" 2>&1 & app=$!
    status=0
    /usr/bin/python3 "$2" || status=$?
    alive=0
    kill -0 $app 2>/dev/null && alive=1
    kill $app 2>/dev/null; wait $app 2>/dev/null
    [[ $status -eq 0 || $alive -eq 1 ]] && break
    echo "the program ended before the check (try $try)" >&2
  done
  kill $bus 2>/dev/null
  [[ $status -eq 0 ]] || { echo "program output:" >&2; tail -n 40 "$3" >&2; }
  exit $status' atspi "$program" "$here/check_atspi.py" "$root/program.log"
