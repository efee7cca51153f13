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

# Once as a Japanese Windows shows them (code page 932), then the windows an
# author sees most as a Western Windows shows them (code page 1252), with
# "-cp1252" after their names.
take() {
  local suffix=$1
  rm -f "$out"/*.bmp
  VELMORA_HELP_PICTURES="$windows_out" bash scripts/wine-run.sh --arch win64 --prefix "$PWD/$build/wineprefix" \
    "$build/tests/help_pictures.exe" "${@:2}"
  for picture in "$out"/*.bmp; do
    name=$(basename "$picture" .bmp)
    [[ -n "$suffix" && ! " main-window node-editor check-window comparison-window " =~ " $name " ]] && continue
    name=$name$suffix
    convert "$picture" -strip "resources/help/images/$name.png"
    echo "make-pictures: resources/help/images/$name.png"
  done
}
take ""
VELMORA_LANG=en_US.UTF-8 take -cp1252 \
  --gtest_filter='HelpPictures.FromTheRealWindows:HelpPictures.CheckWindow:HelpPictures.ComparisonWindow'
