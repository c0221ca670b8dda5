#!/usr/bin/env bash
# Builds the sound generator and writes every sound and the title music of
# the game into data/sounds (or the folder given). Needs espeak-ng for the
# voice; the same sources always give the same files.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
out="${1:-$root/data/sounds}"
build="${GLIM_SOUNDS_BUILD:-$root/build-sounds-tool}"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 >/dev/null
"$build/glim-sounds" "$out"
