#!/usr/bin/env bash
# Runs one Windows program under Wine in the test session that wine-session.sh started:
# wine-run.sh STATE WINE PROGRAM [ARGUMENTS...]. A program that crashes ends at once (no
# debugger is started that would wait for ever).
set -euo pipefail
state=$(realpath -m "$1")
wine=$2
shift 2
if [ ! -s "$state/display" ]; then
  echo "no Wine test session in $state (run the wine_session_start test first)" >&2
  exit 1
fi
export WINEPREFIX=$state/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
export DISPLAY=:$(tr -d '[:space:]' <"$state/display")
exec "$wine" "$@"
