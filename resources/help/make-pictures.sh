#!/bin/bash
# Takes the help file's pictures from the real windows of the x86_64 build
# (build/cross64) on a virtual display and saves them as PNG files in
# resources/help/images/. Run it again when a window changes.
set -euo pipefail
cd "$(dirname "$0")/../.."

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi

build=build/cross64
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
windows_out="Z:${out//\//\\}"
VELMORA_HELP_PICTURES="$windows_out" bash scripts/wine-run.sh --arch win64 --prefix "$PWD/$build/wineprefix" \
  "$build/tests/help_pictures.exe"
for picture in "$out"/*.bmp; do
  name=$(basename "$picture" .bmp)
  convert "$picture" -strip "resources/help/images/$name.png"
  echo "make-pictures: resources/help/images/$name.png"
done
