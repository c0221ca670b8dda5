#!/usr/bin/env bash
# Configures and builds one of the trees of CMakePresets.json, with two jobs
# (the machine has two cores):
#   scripts/build.sh [PRESET [CMAKE_ARGS...]]
# PRESET is default (build/, the default), asan (build-asan/), fuzz
# (build-fuzz/), bench (build-bench/) or strict (build-strict/); CMAKE_ARGS
# are added to the configure step, e.g. -DGLIM_BUILD_QT=OFF.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-default}
shift || true
cmake --preset "$preset" "$@" >/dev/null
cmake --build --preset "$preset"
