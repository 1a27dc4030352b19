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
# Each benchmark, and what it measures.
while IFS='|' read -r bench what; do
    echo "== $what under Wine"
    cmake/wine-run.sh "build/win/$bench.exe"
done <<'LIST'
bench_library_file|QXData.dat round trip
bench_startup|Start-up
bench_double_start|Two windows started together on one library
bench_command|/play of a 1 KB set against a bare console program
bench_concurrent_play|Eight /play at once on one game
bench_play|PLAY on small and large settings files
LIST
