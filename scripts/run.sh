#!/usr/bin/env bash
# Installs what is missing, builds Vapomet and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVAPOMET_BUILD_UI=ON
cmake --build build -j "$(nproc)" --target vapomet
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Vapomet needs a display; none is set. Run it under Xvfb: xvfb-run -a scripts/run.sh" >&2
  exit 1
fi
# A display that is set but cannot be opened makes the toolkit abort: say so instead of
# leaving a core dump.
ulimit -c 0
status=0
build/ui/vapomet || status=$?
if [ "$status" -ge 128 ]; then
  echo "Vapomet could not open the display ${DISPLAY:-$WAYLAND_DISPLAY}. Run it under Xvfb: xvfb-run -a scripts/run.sh" >&2
  exit 1
fi
exit "$status"
