#!/usr/bin/env bash
# The browser test: builds the page (scripts/web.sh --build-only) and the
# terminal game, then plays the winning walkthrough in headless Chromium and
# compares the page's lines with the terminal game's, then lets the event
# timer run out on the real clock (tests/web/drive.py). A picture of the page
# at the end is left in build-web/page-1024.png.
set -euo pipefail
cd "$(dirname "$0")/../.."
start=$(date +%s)
scripts/web.sh --build-only >/dev/null
if [ ! -d build ]; then nice cmake --preset default >/dev/null; fi
nice cmake --build build --target glimmerhold-term -j2 >/dev/null
command -v chromium >/dev/null || { echo "tests/web/run.sh: chromium is not installed (scripts/install-deps.sh)" >&2; exit 1; }
status=0
python3 tests/web/drive.py --site build-web/site --term build/glimmerhold-term --folder data \
  --walkthrough tests/walkthrough/win.txt --timer --screenshot build-web/page-1024.png || status=$?
python3 tests/web/files_check.py --site build-web/site --term build/glimmerhold-term --folder data || status=$?
echo "tests/web/run.sh: $(($(date +%s) - start)) s in all"
exit $status
