#!/usr/bin/env bash
# Runs one Windows program of the test run at another screen resolution: Wine reads its
# LogPixels only when its server starts, so the run's server is ended, started again at DPI for
# the program, and at 96 DPI once more afterwards.  The program finds the resolution asked for
# in KESTRINE_TEST_DPI.  Usage: wine-dpi-run.sh DPI PROGRAM [ARGUMENTS...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
state=${KESTRINE_WINE_STATE:?KESTRINE_WINE_STATE is not set}
dpi=$1
shift

set_dpi() {
    (
        export WINEPREFIX=$state/prefix WINEDEBUG=-all WINEARCH=win64
        cd /
        for key in 'HKCU\Control Panel\Desktop' \
            'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
            wine reg add "$key" /v LogPixels /t REG_DWORD /d "$1" /f </dev/null >/dev/null 2>&1
        done
        wineserver -k 2>/dev/null || true
        wineserver -w 2>/dev/null || true
    )
    "$here/wine-env.sh" start "$state"
}

trap 'set_dpi 96' EXIT
set_dpi "$dpi"
KESTRINE_TEST_DPI=$dpi "$here/wine-run.sh" "$@"
