#!/usr/bin/env bash
# Takes the picture of the window in the help (help/images/window.png) from
# the real window playing the game's own world, then compiles the help:
#   app/qt/tests/help_window_picture.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/../../.."
BUILD=${1:-build}
xvfb-run -a -s "-screen 0 1024x768x24" "$BUILD/app/qt/tests/glimqt_shots" "$(mktemp -d)" \
  --folder "$PWD/data" --window-picture help/images/window.png
python3 tools/pictures/make_help.py "$PWD"
