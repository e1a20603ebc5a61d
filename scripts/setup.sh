#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages Vapomet needs, if any is missing:
#   scripts/setup.sh run    what building and starting the program needs
#   scripts/setup.sh [test] that and what building and running every test needs
set -euo pipefail

run_packages=(build-essential cmake pkg-config qt6-base-dev qt6-svg-dev libgl-dev fonts-dejavu-core
              fonts-liberation2 python3-dev pybind11-dev python3-numpy)
test_packages=(libgtest-dev libgmock-dev libbenchmark-dev clang-format
               xvfb xauth openbox metacity xfwm4 dbus-daemon xdotool x11-utils
               clang libclang-rt-14-dev g++-mingw-w64-x86-64-posix
               appstream desktop-file-utils dpkg-dev file man-db gzip lintian python3-pytest)
case ${1:-test} in
  run) packages=("${run_packages[@]}") ;;
  test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
  *) echo "usage: scripts/setup.sh [run|test]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
"${as_root[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
