#!/usr/bin/env bash
# Peak resident memory of both programs, measured with GNU time:
#   - glimmerhold-term playing the whole walkthrough from a pipe;
#   - glimmerhold, the desktop window, left running for some seconds on Qt's
#     offscreen platform and, where xvfb-run is installed, on a virtual X
#     display; it is then closed with SIGTERM, which it handles in order;
#   - where xdotool is installed too, glimmerhold on the virtual display with
#     its splash closed and the first walkthrough commands typed in, so that
#     rooms are shown and pictures decoded; and the same with reading aloud
#     switched on (F12), so that the speech engine and its voice are loaded.
# The programs come from $GLIM_BUILD (default build-bench).
#   GLIM_MEM_SECONDS=8 GLIM_MEM_COMMANDS=40 bench/memory.sh
#   GLIM_MEM_SHOT=/tmp/window.png bench/memory.sh   (a screenshot after typing)
set -euo pipefail

# Inside a virtual X display: the desktop program started under GNU time,
# its splash closed with a click on its button, then commands typed into
# the window one after another, with time between them for the game's
# pauses; the program is ended by timeout when the typing is done.
if [ "${1:-}" = --play ]; then
  desk=$2 data=$3 commands=$4 report=$5 speech=${6:-}
  n=$(wc -l <"$commands")
  /usr/bin/time -v -o "$report" timeout -s TERM $((n * 2 + 10)) "$desk" --folder "$data" &
  sleep 3
  # Escape closes the display-mode notice (where there is one) and the
  # splash; an Escape too many reaches the command line and does nothing.
  xdotool key Escape
  sleep 1
  xdotool key Escape
  sleep 2
  [ "$speech" = speech ] && xdotool key F12
  while IFS= read -r c; do
    xdotool type --delay 15 "$c"
    xdotool key Return
    sleep 1.5
  done <"$commands"
  [ -n "${GLIM_MEM_SHOT:-}" ] && command -v import >/dev/null && import -window root "$GLIM_MEM_SHOT"
  wait || true  # timeout's status when it ended the program
  exit 0
fi

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build=${GLIM_BUILD:-$root/build-bench}
secs=${GLIM_MEM_SECONDS:-5}
typed=${GLIM_MEM_COMMANDS:-25}
data="$root/data"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The "Maximum resident set size" of a GNU time -v report, in KiB.
peak_kib() { sed -n 's/.*Maximum resident set size (kbytes): *//p' "$1"; }
show() { # label, report file
  local kib
  kib=$(peak_kib "$2")
  awk -v l="$1" -v k="$kib" 'BEGIN { printf "%-44s %8d KiB  %7.1f MiB\n", l, k, k / 1024 }'
}

term="$build/glimmerhold-term"
if [ -x "$term" ]; then
  grep -v -e '^#' -e '^$' "$root/tests/walkthrough/win.txt" >"$tmp/commands"
  /usr/bin/time -v -o "$tmp/term.time" "$term" --folder "$data" --virtual-clock --silent --no-splash \
    <"$tmp/commands" >"$tmp/term.out"
  grep -q "quest is over" "$tmp/term.out" || echo "warning: the walkthrough did not reach its end" >&2
  show "glimmerhold-term, whole walkthrough" "$tmp/term.time"
else
  echo "glimmerhold-term not built in $build" >&2
fi

desk="$build/app/qt/glimmerhold"
if [ -x "$desk" ]; then
  # timeout sends SIGTERM to the program; GNU time reports the largest
  # resident set among the processes it waited for.
  QT_QPA_PLATFORM=offscreen /usr/bin/time -v -o "$tmp/desk.time" \
    timeout -s TERM "$secs" "$desk" --folder "$data" >"$tmp/desk.out" 2>&1 || true
  show "glimmerhold, offscreen, ${secs} s" "$tmp/desk.time"
  if command -v xvfb-run >/dev/null; then
    env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1280x1024x24" /usr/bin/time -v -o "$tmp/xvfb.time" \
      timeout -s TERM "$secs" "$desk" --folder "$data" >"$tmp/xvfb.out" 2>&1 || true
    show "glimmerhold, virtual X display, ${secs} s" "$tmp/xvfb.time"
    if command -v xdotool >/dev/null; then
      grep -v -e '^#' -e '^$' "$root/tests/walkthrough/win.txt" | sed -n "1,${typed}p" >"$tmp/typed"
      env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1280x1024x24" \
        bash "$here/memory.sh" --play "$desk" "$data" "$tmp/typed" "$tmp/play.time" >"$tmp/play.out" 2>&1 || true
      show "glimmerhold, X, splash closed, $typed commands" "$tmp/play.time"
      env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1280x1024x24" \
        bash "$here/memory.sh" --play "$desk" "$data" "$tmp/typed" "$tmp/speech.time" speech >"$tmp/speech.out" 2>&1 || true
      show "glimmerhold, X, reading aloud, $typed commands" "$tmp/speech.time"
    fi
  fi
else
  echo "glimmerhold not built in $build" >&2
fi
