#!/usr/bin/env bash
# Builds and runs the benchmarks that need Windows, under Wine in the test prefix: the library
# file round trip, start-up, and PLAY.  Prints figures; checks nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset win >/dev/null
cmake --build build/win --target bench_library_file bench_startup bench_double_start bench_play \
    bench_command bench_concurrent_play
export KESTRINE_WINE_STATE=$PWD/build/win/wine
cmake/wine-env.sh start "$KESTRINE_WINE_STATE"
trap 'cmake/wine-env.sh stop "$KESTRINE_WINE_STATE"' EXIT
echo "== QXData.dat round trip under Wine"
cmake/wine-run.sh build/win/bench_library_file.exe
echo "== Start-up under Wine"
cmake/wine-run.sh build/win/bench_startup.exe
echo "== Two windows started together on one library under Wine"
cmake/wine-run.sh build/win/bench_double_start.exe
echo "== /play of a 1 KB set against a bare console program under Wine"
cmake/wine-run.sh build/win/bench_command.exe
echo "== Eight /play at once on one game under Wine"
cmake/wine-run.sh build/win/bench_concurrent_play.exe
echo "== PLAY on small and large settings files under Wine"
cmake/wine-run.sh build/win/bench_play.exe
