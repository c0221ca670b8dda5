#!/usr/bin/env bash
# The browser test: builds the page (scripts/web.sh --build-only) and the
# terminal game, then plays the winning walkthrough in headless Chromium and
# compares the page's lines with the terminal game's, then lets the event
# timer run out on the real clock (tests/web/drive.py), then the death tour
# (tests/web/deaths.py), then the first visit keeps the site and the page
# plays offline (tests/web/offline.py), then the music, sounds, speech and
# help pages (tests/web/media.py), then the saved games against the terminal
# game's (tests/web/saves.py). Pictures of the page at the end, of the help
# and of the Save and Load dialogs are left in build-web/page-1024.png,
# build-web/help-1024.png and build-web/saves-*.png. Last the layout at a
# desktop's and a phone's sizes (tests/web/layout.py), with pictures in
# build-web/page-SIZE.png; and the game files fetched as they are read
# (tests/web/files_check.py).
set -euo pipefail
cd "$(dirname "$0")/../.."
start=$(date +%s)
scripts/web.sh --build-only >/dev/null
if [ ! -d build ]; then nice cmake --preset default >/dev/null; fi
nice cmake --build build --target glimmerhold-term -j2 >/dev/null
command -v chromium >/dev/null || { echo "tests/web/run.sh: chromium is not installed (scripts/install-deps.sh)" >&2; exit 1; }
status=0
# The walkthrough with the event timer's check runs beside the others: most
# of its time is spent waiting for the timer on the real clock.
walk_log=$(mktemp)
trap 'rm -f "$walk_log"' EXIT
python3 tests/web/drive.py --site build-web/site --term build/glimmerhold-term --folder data \
  --walkthrough tests/walkthrough/win.txt --timer --screenshot build-web/page-1024.png >"$walk_log" 2>&1 &
walk=$!
python3 tests/web/deaths.py --site build-web/site --term build/glimmerhold-term --folder data \
  --tour tests/walkthrough/deaths.txt || status=$?
python3 tests/web/offline.py --site build-web/site --term build/glimmerhold-term --folder data \
  --walkthrough tests/walkthrough/win.txt || status=$?
python3 tests/web/media.py --site build-web/site --folder data --screenshot build-web/help-1024.png || status=$?
python3 tests/web/saves.py --site build-web/site --term build/glimmerhold-term --folder data \
  --walkthrough tests/walkthrough/win.txt --screenshots build-web || status=$?
python3 tests/web/layout.py --site build-web/site --term build/glimmerhold-term --folder data --shots build-web || status=$?
python3 tests/web/files_check.py --site build-web/site --term build/glimmerhold-term --folder data || status=$?
walk_status=0
wait $walk || walk_status=$?
cat "$walk_log"
[ $walk_status -eq 0 ] || status=$walk_status
echo "tests/web/run.sh: $(($(date +%s) - start)) s in all"
exit $status
