#!/usr/bin/env bash
# Plays glimmerhold-term on a pseudo-terminal 30 columns wide (with script):
# the prompt, word wrap at the terminal's width, history and line editing;
# and with only the input a terminal, the output stays plain.
#
#   tests/pkg_interactive.sh PROGRAM FIXTURE_FOLDER
set -euo pipefail

prog=$1
folder=$2
command -v script >/dev/null || { echo "FAIL: script is not installed" >&2; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/glim-tty.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; cat -A "$work/out.txt" >&2 || true; exit 1; }

# Keys: "e", Enter; Up (the last command again), Enter; "wxyz", Ctrl-A,
# "take ", Ctrl-E, " lamp", Enter; then quit.
printf 'e\n\033[A\nwxyz\001take \005 lamp\n:exit yes\n' |
  script -qec "stty cols 30 rows 24; exec '$prog' --folder '$folder' --virtual-clock --silent --no-splash" /dev/null \
    >"$work/raw.txt"
# What the screen would end up showing, line by line: the last redraw of
# each line after its carriage returns, without the editor's cursor moves.
sed -e 's/\x1b\[[0-9;]*[A-Za-z]//g' -e 's/.*\r\(.\)/\1/' -e 's/\r$//' "$work/raw.txt" >"$work/out.txt"

grep -qx "> e" "$work/out.txt" || fail "no prompt before the first command"
# The cottage's line is wrapped at 30 columns, at the blanks.
grep -qx "you are in a small stone" "$work/out.txt" || fail "the room's description is not wrapped"
grep -qx "cottage at the edge of the" "$work/out.txt" || fail "the wrapped line does not go on"
long=$(grep -v $'\x1b' "$work/out.txt" | awk 'length($0) > 30' | grep -v '^> ' || true)
[ -z "$long" ] || fail "lines wider than the terminal: $long"
# Up brought back "e": the second move finds the door closed.
grep -qx "The Door is closed" "$work/out.txt" || fail "the history did not bring the command back"
# Ctrl-A and Ctrl-E moved the cursor: the game got the edited line ("take
# wxyz lamp" has an unknown adverb; "wxyz take lamp" would be an unknown word).
grep -q "^I don't know the Adverb" "$work/out.txt" || fail "the edited line did not reach the game"
# The typed command stands once on the screen, at the prompt: the game's
# echo of it is left out at a terminal.
awk 'prev == "> e" && $0 == "e" { twice = 1 } { prev = $0 } END { exit !twice }' "$work/out.txt" &&
  fail "the typed command is shown twice"
grep -q "Are you sure you want to" "$work/out.txt" || fail "the game did not reach the last command"

# Input from a terminal, output to a file: no prompt, no wrap.
printf 'l\n' |
  script -qec "stty cols 30 rows 24; exec '$prog' --folder '$folder' --virtual-clock --silent --no-splash > '$work/plain.txt'" /dev/null \
    >/dev/null
cp "$work/plain.txt" "$work/out.txt"
grep -qx "you are in a small stone cottage at the edge of the wood." "$work/plain.txt" || fail "output to a file was wrapped"
grep -q "^> " "$work/plain.txt" && fail "output to a file has a prompt"
grep -qx "l" "$work/plain.txt" || fail "output to a file lost the echo of the command"

echo "terminal play checked"
