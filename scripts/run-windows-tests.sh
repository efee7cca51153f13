#!/bin/bash
# Runs the cross builds' tests under Wine on one virtual display, so the many
# test programs share one X server and one warm wineserver per prefix.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi

ctest --preset cross --output-on-failure
ctest --preset cross64 --output-on-failure
