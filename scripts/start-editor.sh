#!/bin/bash
# Starts the editor under Wine with the sample procedure.
#
#   start-editor.sh EXE [ARGS...]
#
# On a display, the editor simply runs there. Without one, it runs on a
# virtual display: once its window shows, a screenshot of it is saved to
# build/editor.png (or $VELMORA_SCREENSHOT) and the program is ended.
# The editor gets a Wine prefix of its own beside the build's, so ending it
# never touches a test run. VELMORA_WINE_ARCH (win32 or win64, the default)
# must match the program's build.
set -euo pipefail
cd "$(dirname "$0")/.."

exe="$1"
shift
build_dir="$(cd "$(dirname "$exe")/.." && pwd)"
prefix="$build_dir/wineprefix-editor"
arch="${VELMORA_WINE_ARCH:-win64}"
sample="Z:$(pwd)/docs/sample.tre"
sample="${sample//\//\\}"

if [ "${1:-}" != "--screenshot" ] && [ -n "${DISPLAY:-}" ]; then
  exec bash scripts/wine-run.sh --arch "$arch" --prefix "$prefix" "$exe" "$sample" "$@"
fi

if [ "${1:-}" != "--screenshot" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$exe" --screenshot "$@"
fi
shift

shot="${VELMORA_SCREENSHOT:-$(pwd)/build/editor.png}"
mkdir -p "$(dirname "$shot")"
bash scripts/wine-run.sh --arch "$arch" --prefix "$prefix" "$exe" "$sample" "$@" &
editor=$!

finish() {
  kill "$editor" 2>/dev/null || true
  WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
}
trap finish EXIT

# Wait (at most a minute: the first run also creates the prefix) for the main
# window, whose caption ends in the program's name ("sample.tre - Velmora").
window=""
for _ in $(seq 1 600); do
  window=$(xwininfo -root -tree 2>/dev/null | awk '/Velmora"/ {print $1; exit}')
  [ -n "$window" ] && break
  kill -0 "$editor" 2>/dev/null || { echo "start-editor: the editor ended before its window showed" >&2; exit 1; }
  sleep 0.1
done
if [ -z "$window" ]; then
  echo "start-editor: no editor window appeared" >&2
  exit 1
fi
# Let the first paint finish before the picture is taken.
sleep 2
import -window "$window" "$shot"
echo "start-editor: screenshot saved to $shot"
