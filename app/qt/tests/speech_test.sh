#!/usr/bin/env bash
# Reading aloud through a real sound server: a PulseAudio server of the
# test's own with a null sink, whose monitor is recorded while the window
# plays one command with reading aloud on. The recording must hold speech
# about as long as the voice needs for every line the command printed, not a
# second of it and then silence.
# Usage: speech_test.sh GLIMQT_SPEECH GAME_FOLDER
set -uo pipefail
RUN=$1 FOLDER=$2
for t in pulseaudio parecord sox; do
  command -v "$t" >/dev/null || { echo "$t is not installed"; exit 77; }
done

WORK=$(mktemp -d)
export XDG_RUNTIME_DIR=$WORK/run PULSE_RUNTIME_PATH=$WORK/run/pulse HOME=$WORK
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset PULSE_SERVER
RPID=""
cleanup() {
  [ -n "$RPID" ] && kill "$RPID" 2>/dev/null
  pulseaudio --kill 2>/dev/null
  wait 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

pulseaudio --daemonize=yes -n --exit-idle-time=-1 --use-pid-file=yes \
  --load="module-null-sink sink_name=glimtest" --load="module-native-protocol-unix" \
  --log-target=file:"$WORK/pulse.log" || fail "the sound server did not start: $(cat "$WORK/pulse.log")"
for ((i = 0; i < 50; i++)); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl set-default-sink glimtest || fail "no null sink"

parecord --device=glimtest.monitor --file-format=wav --rate=16000 --channels=1 "$WORK/rec.wav" &
RPID=$!
sleep 0.5
QT_QPA_PLATFORM=offscreen "$RUN" "$FOLDER" s >"$WORK/run.txt" 2>"$WORK/run.err" || {
  cat "$WORK/run.txt" "$WORK/run.err"
  fail "the game could not read aloud"
}
sleep 0.5
kill "$RPID"; wait "$RPID" 2>/dev/null; RPID=""
cat "$WORK/run.txt"

words=$(sed -n 's/^words: //p' "$WORK/run.txt")
voice=$(sed -n 's/^voice seconds: //p' "$WORK/run.txt")
# The sound in the recording: from the first sound to the last, and the time
# spent above a whisper.
sox "$WORK/rec.wav" "$WORK/said.wav" silence 1 0.02 0.5% reverse silence 1 0.02 0.5% reverse 2>/dev/null
span=$(soxi -D "$WORK/said.wav" 2>/dev/null || echo 0)
echo "recorded speech: $span s; the voice needs $voice s for $words words"
awk -v s="$span" -v v="$voice" -v w="$words" 'BEGIN {
  if (w < 20) { print "FAIL: the command printed only " w " words"; exit 1 }
  # No voice says a word in under a quarter of a second.
  if (s < w / 4) { print "FAIL: " s " s of speech is too short for " w " words"; exit 1 }
  if (s < 0.85 * v) { print "FAIL: the speech stopped early (" s " of " v " s)"; exit 1 }
  if (s > v + 4) { print "FAIL: " s " s of sound for " v " s of speech"; exit 1 }
}' || exit 1
echo "speech lasts as long as the answer needs"
