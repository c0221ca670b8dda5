#!/usr/bin/env bash
# Regenerates every generated file the game ships, in the order they depend
# on each other: the world's two data files and the introduction and
# credits (credits.txt, and docs/rooms.tsv), checked
# by the world checker; the sounds and the title music; then every picture,
# the contact sheets and the help file. Each generator is deterministic, so files whose sources did not
# change come out byte for byte the same. The results are committed under
# data/, so players never need the generators.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
python3 tools/world/make_world.py
scripts/build.sh >/dev/null
build/tools/worldcheck/glim-worldcheck data
tools/sounds/make-sounds.sh
tools/pictures/regenerate.sh
git status --short -- data docs help 2>/dev/null || true
