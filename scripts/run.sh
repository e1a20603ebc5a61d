#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what building and starting Vapomet needs, builds it and starts it. Without a display
# it shows one press instead: the three pages at the default inputs as a picture, and the same
# press printed by vapomet-cli.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh run
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVAPOMET_BUILD_UI=ON \
      -DVAPOMET_BUILD_TESTS=OFF -DVAPOMET_BUILD_BENCHMARKS=OFF
cmake --build build -j "$(nproc)" --target vapomet vapomet-cli vapomet-snapshots

# The default inputs of the main window.
pressure=5. temperature=500.
show_without_display() {
  echo "There is no display to show the windows on, so here is one press of Calculate at the"
  echo "default inputs, P = $pressure MPa and T = $temperature K."
  QT_QPA_PLATFORM=offscreen build/ui/vapomet-snapshots build/first-run \
    --pages build/first-run/pages.png --press "$pressure" "$temperature" >build/first-run.log 2>&1 ||
    { cat build/first-run.log >&2; exit 1; }
  echo "The three pages: $PWD/build/first-run/pages.png"
  echo "The same press printed by vapomet-cli:"
  echo
  build/cli/vapomet-cli "$pressure" "$temperature"
  echo
  echo "For the windows themselves on a machine without a display, install Xvfb"
  echo "(sudo apt-get install xvfb xauth) and run: xvfb-run -a scripts/run.sh"
}

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  show_without_display
  exit 0
fi
# A display that is set but cannot be opened makes the toolkit abort: say so instead of
# leaving a core dump.
ulimit -c 0
status=0
build/ui/vapomet || status=$?
if [ "$status" -ge 128 ]; then
  echo "The display ${DISPLAY:-$WAYLAND_DISPLAY} cannot be opened." >&2
  show_without_display
  exit 0
fi
exit "$status"
