#!/bin/bash
# Runs a Windows program under Wine in a prefix made for this run alone and
# removed afterwards (the shortcut tests: Wine starts the links of a prefix's
# Startup folder at every start of the prefix, so a link left there must not
# outlive the run).
#
#   wine-run-throwaway.sh --arch win32|win64 --prefix DIR PROGRAM [ARGS...]
set -euo pipefail

arch=win32
prefix=""
while [ $# -gt 0 ]; do
  case "$1" in
    --arch) arch="$2"; shift 2 ;;
    --prefix) prefix="$2"; shift 2 ;;
    *) break ;;
  esac
done
[ -n "$prefix" ] || { echo "wine-run-throwaway: --prefix is required" >&2; exit 2; }

discard() {
  # The prefix's server goes first, so nothing writes into a removed folder.
  if [ -d "$prefix" ]; then
    WINEPREFIX="$prefix" /usr/bin/wineserver -k 2>/dev/null || true
    WINEPREFIX="$prefix" /usr/bin/wineserver -w 2>/dev/null || true
  fi
  rm -rf "$prefix" "$prefix.lock"
}

discard
trap discard EXIT
set +e
bash "$(dirname "$0")/wine-run.sh" --arch "$arch" --prefix "$prefix" "$@"
status=$?
set -e
exit "$status"
