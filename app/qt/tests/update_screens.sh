#!/usr/bin/env bash
# Takes the reference screenshots of the desktop window again, into
# docs/screens/ (look at them before committing):
#   app/qt/tests/update_screens.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/../../.."
BUILD=${1:-build}
xvfb-run -a -s "-screen 0 1024x768x24" "$BUILD/app/qt/tests/glimqt_shots" docs/screens
ls docs/screens
