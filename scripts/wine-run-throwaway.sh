#!/bin/bash
# Runs a Windows program under Wine in a prefix made for this run alone and
# removed afterwards (the shortcut tests: Wine starts the links of a prefix's
# Startup folder at every start of the prefix, so a link left there must not
# outlive the run).
#
#   wine-run-throwaway.sh PREFIX [wine-run.sh options] PROGRAM [ARGS...]
set -euo pipefail

prefix="$1"
shift

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
bash "$(dirname "$0")/wine-run.sh" --prefix "$prefix" "$@"
status=$?
set -e
exit "$status"
