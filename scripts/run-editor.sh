#!/bin/bash
# Starts the editor under Wine. Without a display, it runs on a virtual one
# and saves a screenshot to build/editor.png.
set -euo pipefail
cd "$(dirname "$0")/.."
exe=build/cross64/app/Velmora.exe
if [ ! -f "$exe" ]; then
  echo "run: the editor is not built yet (build/cross64/app/Velmora.exe); the core and its tests are."
  exit 0
fi
exec bash scripts/start-editor.sh "$exe" "$@"
