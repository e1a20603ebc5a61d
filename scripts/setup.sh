#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Vapomet need, if any is missing.
set -euo pipefail

packages=(build-essential cmake g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          qt6-base-dev libgl-dev xvfb xauth fonts-dejavu-core fonts-liberation2
          openbox metacity xfwm4 dbus-daemon xdotool x11-utils
          clang clang-format libclang-rt-14-dev g++-mingw-w64-x86-64-posix
          appstream desktop-file-utils dpkg-dev file man-db gzip)

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
