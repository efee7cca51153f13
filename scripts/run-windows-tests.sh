#!/bin/bash
# Runs the cross builds' tests under Wine on one virtual display with a warm
# wineserver, then stops the servers of the test prefixes.
set -euo pipefail
cd "$(dirname "$0")/.."

run() {
  ctest --preset cross --output-on-failure
  ctest --preset cross64 --output-on-failure
}

if [ -z "${DISPLAY:-}" ]; then
  export -f run
  xvfb-run -a -s "-screen 0 1280x1024x24" bash -c run
else
  run
fi
