#!/usr/bin/env bash
# Installs what is missing, builds Vapomet and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)" --target vapomet
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Vapomet needs a display; none is set. Run it under Xvfb: xvfb-run -a scripts/run.sh" >&2
  exit 1
fi
exec build/ui/vapomet
