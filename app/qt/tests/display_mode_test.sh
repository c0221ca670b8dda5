#!/usr/bin/env bash
# The display mode switch on a real X server (Xvfb): the game switches a
# 16-bit screen that offers 800 x 600 to that mode, and the screen gets its
# mode back however the game ends: closed in order (SIGTERM), killed outright
# (SIGKILL, which only the guard process can answer), or crashed (SIGSEGV).
# A 24-bit screen is never switched.
# Usage: display_mode_test.sh GLIMMERHOLD XRANDR_TOOL GAME_FOLDER
set -uo pipefail
GAME=$1 TOOL=$2 FOLDER=$3
command -v Xvfb >/dev/null || { echo "Xvfb is not installed"; exit 77; }

fail() { echo "FAIL: $*"; cleanup; exit 1; }
XPID="" GPID="" MPID="" EXEC_FD=""
cleanup() {
  [ -n "$GPID" ] && kill -9 "$GPID" 2>/dev/null
  [ -n "$MPID" ] && kill "$MPID" 2>/dev/null
  [ -n "$XPID" ] && kill "$XPID" 2>/dev/null
  wait 2>/dev/null
}
trap cleanup EXIT

start_x() {  # depth
  local fifo
  fifo=$(mktemp -u); mkfifo "$fifo"
  Xvfb -displayfd 9 -screen 0 "1024x768x$1" -nolisten tcp 9>"$fifo" 2>/dev/null &
  XPID=$!
  read -r -t 20 num <"$fifo" || fail "Xvfb did not start"
  rm -f "$fifo"
  export DISPLAY=":$num"
}

stop_x() { kill "$XPID" 2>/dev/null; wait "$XPID" 2>/dev/null; XPID=""; }

size() { "$TOOL" size; }

wait_size() {  # WxH seconds
  local i
  for ((i = 0; i < $2 * 10; i++)); do
    [ "$(size)" = "$1" ] && return 0
    sleep 0.1
  done
  return 1
}

start_game() {
  "$GAME" --folder "$FOLDER" >/dev/null 2>&1 &
  GPID=$!
}

# --- a 16-bit screen offering 800 x 600
start_x 16
coproc MODE { "$TOOL" add-mode 800 600; }
MPID=$MODE_PID
read -r -t 10 ok <&"${MODE[0]}" || fail "the test mode could not be added"
[ "$(size)" = "1024x768" ] || fail "the screen did not start at 1024x768"

for sig in TERM KILL SEGV; do
  start_game
  wait_size 800x600 20 || fail "the game did not switch to 800x600 (before SIG$sig)"
  kill -"$sig" "$GPID"
  wait_size 1024x768 10 || fail "the screen was left at $(size) after SIG$sig"
  for ((i = 0; i < 100; i++)); do kill -0 "$GPID" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$GPID" 2>/dev/null && fail "the game still runs 10 s after SIG$sig"
  wait "$GPID" 2>/dev/null
  GPID=""
  echo "ok: SIG$sig restored 1024x768"
done

# The guard leaves once the game has restored the mode itself.
sleep 1
if pgrep -f -- "--display-guard [0-9]+ $DISPLAY\$" >/dev/null; then fail "a display guard outlived the game"; fi

kill "$MPID" 2>/dev/null; MPID=""
stop_x

# --- a 24-bit screen: no 800 x 600 at 16 bits, so nothing changes
start_x 24
start_game
sleep 3
kill -0 "$GPID" 2>/dev/null || fail "the game ended on a 24-bit screen"
[ "$(size)" = "1024x768" ] || fail "a 24-bit screen was switched to $(size)"
kill -TERM "$GPID"
wait "$GPID" 2>/dev/null
GPID=""
echo "ok: 24-bit screen left alone"
stop_x
exit 0
