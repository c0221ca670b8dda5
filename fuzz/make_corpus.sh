#!/usr/bin/env bash
# Builds the seed corpora of the fuzz targets from the game's real files:
#   fuzz/make_corpus.sh OUT_DIR [GLIMMERHOLD_TERM]
# OUT_DIR/<target>/ gets the data files, room pictures and sprite sheets of
# the shipped game and of the test worlds, saved games made by playing the
# world the targets play (with the terminal game, when given), and the
# walkthrough and test-transcript commands. OUT_DIR/commands.dict holds the
# world's words for the command target. Files are named by their contents,
# so running it again adds nothing twice.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
out=${1:?usage: make_corpus.sh OUT_DIR [GLIMMERHOLD_TERM]}
term=${2:-}
mkdir -p "$out"
out=$(cd "$out" && pwd)

# The world the targets play (see FuzzWorld.cpp).
if [ -n "${GLIM_FUZZ_WORLD:-}" ]; then
  world=${GLIM_FUZZ_WORLD%/}/
elif [ -f "$src/data/glimtext.wdt" ] && [ -f "$src/data/glimroom.dat" ]; then
  world=$src/data/
else
  world=$src/tests/fixtures/numbered/
fi

# add TARGET FILE...: copies each file into the target's seeds by content.
add() {
  local t=$1
  shift
  mkdir -p "$out/$t"
  local f
  for f in "$@"; do
    [ -f "$f" ] || continue
    cp "$f" "$out/$t/$(sha1sum "$f" | cut -c1-16)"
  done
}

shopt -s nullglob
add words "$world"glimtext.wdt "$src"/data/glimtext.wdt "$src"/tests/fixtures/*/glimtext.wdt "$src"/fuzz/seeds/words/*
add rooms "$world"glimroom.dat "$src"/data/glimroom.dat "$src"/tests/fixtures/*/glimroom.dat "$src"/fuzz/seeds/rooms/*

# A few room pictures of the shipped game (the fixed ones and the first
# rooms), and every picture of the test worlds.
jpegs=("$src"/data/images/room0.jpg "$src"/data/images/room300.jpg)
for r in 1 2 3 12 40 82; do jpegs+=("$src/data/images/room$r.jpg"); done
add jpeg "${jpegs[@]}" "$src"/tests/fixtures/*/images/*.jpg "$src"/tests/fixtures/pictures/*.jpg "$src"/tools/fixtures/*.jpg \
  "$src"/fuzz/seeds/jpeg/*
add png "$src"/data/images/*.png "$src"/tests/fixtures/*/images/*.png \
  "$src"/data/icons/hicolor/16x16/apps/*.png "$src"/data/icons/hicolor/32x32/apps/*.png

# The help pages and their contents, as written.
add helptext "$src"/help/*.html "$src"/help/contents.hhc

# Commands: the walkthrough in pieces, the input of every test transcript,
# and the hand-made seeds.
walk=$src/tests/walkthrough/win.txt
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
if [ -f "$walk" ]; then
  grep -v '^#' "$walk" | split -l 40 - "$tmp/walk."
  add commands "$tmp"/walk.*
fi
for t in "$src"/tests/transcripts/*.txt; do
  sed -n 's/^> //p' "$t" > "$tmp/input"
  [ -s "$tmp/input" ] && add commands "$tmp/input"
done
add commands "$src"/fuzz/seeds/commands/*

# Saved games of the world the targets play: at the start, and every few
# steps along the walkthrough (or a short tour of the first rooms).
add savegame "$src"/fuzz/seeds/savegame/* "$src"/tests/fixtures/*/*.gam
if [ -n "$term" ] && [ -x "$term" ]; then
  if [ -f "$walk" ]; then
    grep -v '^#' "$walk" > "$tmp/tour"
  else
    printf '%s\n' l i n e s w u d n n e e s s w w > "$tmp/tour"
  fi
  n=0
  {
    echo ":save $tmp/save-start.gam"
    while IFS= read -r line; do
      echo "$line"
      n=$((n + 1))
      if [ $((n % 15)) -eq 0 ]; then echo ":save $tmp/save-$n.gam"; fi
    done < "$tmp/tour"
    echo ":save $tmp/save-end.gam"
  } | "$term" --folder "$world" --virtual-clock --silent --no-splash > /dev/null 2>&1 || true
  add savegame "$tmp"/save-*.gam
fi

# The world's words for the command target: every line of the word file
# that is one lower-case word, and the terminal's controls.
{
  { tr -d '\r' < "$world"glimtext.wdt | grep -E '^[a-z]+$' || true; } | sort -u | sed 's/.*/"&"/'
  for m in ':save a' ':load a' ':room ' ':objects ' ':wait ' ':click view ' ':click carried ' ':input ' \
    ':answer yes' ':answer no' ':new' ':exit yes' ':north' ':south' ':east' ':west' ':help' ':about' ':exits'; do
    echo "\"$m\""
  done
} > "$out/commands.dict"

for t in words rooms savegame jpeg png commands; do
  mkdir -p "$out/$t"
  echo "$t: $(find "$out/$t" -type f | wc -l) seeds"
done
