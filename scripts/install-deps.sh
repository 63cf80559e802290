#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that building, running and testing Sweepora
# need. Quick and silent when everything is there; uses sudo when not root.
#
#   scripts/install-deps.sh            building, running and testing
#   scripts/install-deps.sh --bench    also what the benchmarks run
#   scripts/install-deps.sh --package  also what the package test runs
#
# Where the package test runs within the test suite (CI=true), its packages
# come along too.
set -euo pipefail

packages=(
  build-essential cmake
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-webengine-dev
  qt6-image-formats-plugins qt6-l10n-tools libgl-dev
  xvfb xauth xdotool trayer openbox x11-utils dbus dbus-x11
  at-spi2-core python3-pyatspi qt6-wayland weston
  desktop-file-utils appstream file
  libglib2.0-bin
  clang libclang-rt-14-dev llvm
)
if [[ "${1:-}" == "--bench" ]]; then
  packages+=(hyperfine time python3)
fi
if [[ "${1:-}" == "--package" || "${CI:-}" == true ]]; then
  packages+=(lintian)
fi

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
if [[ $(id -u) -ne 0 ]]; then
  if ! command -v sudo >/dev/null; then
    echo "Missing packages (${missing[*]}) and no sudo: install them as root." >&2
    exit 1
  fi
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
