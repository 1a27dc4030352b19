#!/usr/bin/env bash
# Screenshots of the form and of the map, help and about windows, made from the demo:
#   tools/screenshots.sh [DPI] [FOLDER]
# saves kestrine.png, map.png, help.png and about.png at DPI (96 unless given; 144 shows the
# layout at 150 %) into FOLDER (docs/ unless given).  Always on a virtual display of its own.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/setup.sh
source tools/demo.sh
source cmake/xvfb.sh

ensure_packages cmake ninja-build g++-mingw-w64-x86-64-posix wine wine64 xvfb imagemagick

dpi=${1:-96}
folder=$(mkdir -p "${2:-docs}" && cd "${2:-docs}" && pwd)
unset DISPLAY
trap 'demo_dpi 96; demo_stop' EXIT
demo_start
demo_dpi "$dpi"
demo_shoot "$folder" all
echo "Screenshots at $dpi DPI in $folder"
