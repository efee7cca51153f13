#!/bin/bash
# Runs a Windows program under Wine (the cross builds' test emulator).
#
#   wine-run.sh [--arch win32|win64] [--prefix DIR] PROGRAM [ARGS...]
#
# The prefix lives in the build folder, never in ~/.wine. It gets Managed=N
# (hiding a captioned window costs 50 ms instead of 2 s without a window
# manager), and a persistent wineserver keeps each program's start near 20 ms.
# VELMORA_LANG chooses the locale and with it the ANSI code page:
# ja_JP.UTF-8 gives 932, en_US.UTF-8 gives 1252.
#
# Exit status 77 means "cannot run here": a 32-bit program on a kernel that
# cannot execute 32-bit code (32-bit Wine itself is such a program).
set -euo pipefail

# A 32-bit Wine that does not start is either missing or on a kernel that
# cannot execute 32-bit code. A 96-byte 32-bit program that exits with 42
# tells the two apart.
why_32bit_wine_cannot_start() {
  local probe status=0
  probe=$(mktemp "${TMPDIR:-/tmp}/elf32-probe.XXXXXX")
  echo 'f0VMRgEBAQAAAAAAAAAAAAIAAwABAAAAVIAECDQAAAAAAAAAAAAAADQAIAABAAAAAAAAAAEAAAAAAAAAAIAECACABAhgAAAAYAAAAAUAAAAAEAAAuyoAAAC4AQAAAM2A' |
    base64 -d >"$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null || status=$?
  rm -f "$probe"
  if [ "$status" != 42 ]; then
    echo "this machine cannot execute 32-bit code"
  elif [ ! -x /usr/lib/wine/wine ]; then
    echo "32-bit Wine is not installed (package wine32:i386)"
  else
    echo "32-bit Wine is installed but does not start (package wine32:i386)"
  fi
}

arch=win32
prefix="${VELMORA_WINEPREFIX:-}"
while [ $# -gt 0 ]; do
  case "$1" in
    --arch) arch="$2"; shift 2 ;;
    --prefix) prefix="$2"; shift 2 ;;
    *) break ;;
  esac
done
[ -n "$prefix" ] || prefix="$PWD/wineprefix-$arch"

if [ "$arch" = win64 ]; then
  wine_bin=/usr/lib/wine/wine64
  [ -x "$wine_bin" ] || wine_bin=$(command -v wine64)
else
  wine_bin=/usr/lib/wine/wine
  export WINEARCH=win32
  if ! "$wine_bin" --version >/dev/null 2>&1; then
    echo "wine-run: $(why_32bit_wine_cannot_start); skipped" >&2
    exit 77
  fi
fi
export WINEPREFIX="$prefix"
export WINEDEBUG=-all
# A crash must end the test, not wait in the debugger.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d"
export LANG="${VELMORA_LANG:-ja_JP.UTF-8}"
unset LC_ALL LC_CTYPE LC_MESSAGES || true
wineserver_bin=/usr/bin/wineserver

# Without a display, start a private virtual one and run again inside it.
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --arch "$arch" --prefix "$prefix" "$@"
fi

mkdir -p "$(dirname "$prefix")"
(
  flock 9
  if [ ! -f "$prefix/.velmora-ready" ]; then
    "$wine_bin" wineboot -i >/dev/null 2>&1 || true
    "$wine_bin" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    "$wineserver_bin" -w || true
    touch "$prefix/.velmora-ready"
  fi
) 9>"$prefix.lock"

# Keep the server alive between the many short test programs.
"$wineserver_bin" -p30 </dev/null >/dev/null 2>&1 || true

# Wine's helper processes (services, the desktop window) inherit the first
# program's output descriptors and live on with the server; a caller that
# reads the output to its end (CTest) would wait for them. So the program
# writes to files, which are passed on when it has ended.
output=$(mktemp "${TMPDIR:-/tmp}/wine-run.XXXXXX")
trap 'rm -f "$output" "$output.err"' EXIT
set +e
"$wine_bin" "$@" >"$output" 2>"$output.err"
status=$?
set -e
cat "$output"
cat "$output.err" >&2
exit "$status"
