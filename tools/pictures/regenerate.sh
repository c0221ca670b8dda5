#!/bin/sh
# Regenerates every picture and the help file of the game:
#   tools/pictures/regenerate.sh [BUILD_FOLDER]
# builds the picture generator in BUILD_FOLDER (default build-pictures),
# paints everything under data/, docs/ and help/images/, then writes the
# vocabulary page of the help and compiles data/glimhelp.chm.
set -e
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=${1:-$ROOT/build-pictures}
if [ ! -f "$BUILD/build.ninja" ] && [ ! -f "$BUILD/Makefile" ]; then
  cmake -S "$ROOT" -B "$BUILD" -G Ninja -DGLIM_BUILD_QT=OFF -DGLIM_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$BUILD" --target glim-pictures -j2
"$BUILD/tools/pictures/glim-pictures" --all "$ROOT"
python3 "$ROOT/tools/pictures/make_help.py" "$ROOT"
