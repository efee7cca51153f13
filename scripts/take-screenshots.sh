#!/bin/bash
# Takes the pictures of the main window, its pop-up menu, the node editor, a
# preview step, the newline input box, the check window and the About box
# from the real windows of the x86_64 build on a virtual display, as BMP
# files in the folder given (default build/screenshots). Taken before and after a change,
# `cmp` or any image viewer shows whether a window looks different.
#
#   bash scripts/take-screenshots.sh [folder]
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi

build="${SCREENSHOT_BUILD_DIR:-build/cross64}"
out=$(realpath -m "${1:-build/screenshots}")
mkdir -p "$out"
VELMORA_HELP_PICTURES="Z:${out//\//\\}" bash scripts/wine-run.sh --arch win64 --prefix "$PWD/$build/wineprefix" \
  "$build/tests/help_pictures.exe"
ls "$out"/*.bmp
