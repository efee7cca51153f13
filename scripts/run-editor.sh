#!/bin/bash
# Starts the editor under Wine. Without a display, it runs on a virtual one
# and saves a screenshot to build/editor.png.
#
# The i686 build is what ships, so it is the one started wherever 32-bit
# Wine runs; the x86_64 build stands in on machines whose kernel cannot
# execute 32-bit code.
set -euo pipefail
cd "$(dirname "$0")/.."
if /usr/lib/wine/wine --version >/dev/null 2>&1 && [ -f build/cross/app/Velmora.exe ]; then
  exe=build/cross/app/Velmora.exe
  export VELMORA_WINE_ARCH=win32
else
  exe=build/cross64/app/Velmora.exe
  export VELMORA_WINE_ARCH=win64
fi
if [ ! -f "$exe" ]; then
  echo "run: the editor is not built yet ($exe); the core and its tests are."
  exit 0
fi
echo "run: $exe under $VELMORA_WINE_ARCH Wine"
exec bash scripts/start-editor.sh "$exe" "$@"
