#!/usr/bin/env bash
# Runs one Windows program under Wine in the test run's prefix (KESTRINE_WINE_STATE, set by
# CTest), on the display that wine-env.sh chose.
set -euo pipefail
state=${KESTRINE_WINE_STATE:?KESTRINE_WINE_STATE is not set}
export WINEPREFIX=$state/prefix WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
if [ -f "$state/display" ]; then
    DISPLAY=$(cat "$state/display")
    export DISPLAY
fi
exec wine "$@"
