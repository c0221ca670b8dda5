#!/usr/bin/env bash
# Peak resident memory of both programs, measured with GNU time:
#   - glimmerhold-term playing the whole walkthrough from a pipe;
#   - glimmerhold, the desktop window, left running for some seconds on Qt's
#     offscreen platform and, where xvfb-run is installed, on a virtual X
#     display; it is then closed with SIGTERM, which it handles in order.
# The programs come from $GLIM_BUILD (default build-bench).
#   GLIM_MEM_SECONDS=8 bench/memory.sh
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build=${GLIM_BUILD:-$root/build-bench}
secs=${GLIM_MEM_SECONDS:-5}
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
  fi
else
  echo "glimmerhold not built in $build" >&2
fi
