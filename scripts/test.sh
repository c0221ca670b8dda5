#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test and check:
#   1. the house style: every tracked C++ file as clang-format makes it, and
#      named in a CMakeLists.txt;
#   2. the normal build (build/, preset default) and its whole test suite;
#   3. clang-tidy over the game's own sources (scripts/check-tidy.sh);
#   4. the same suite built with AddressSanitizer and UndefinedBehaviorSanitizer
#      (build-asan/, preset asan);
#   5. a short run of every fuzz target over its seed corpus (build-fuzz/,
#      preset fuzz, clang);
#   6. the game in the browser: the page built to WebAssembly (build-web/,
#      preset web) and played in headless Chromium (tests/web/run.sh).
# GLIM_TEST_TIDY=0, GLIM_TEST_SANITIZE=0, GLIM_TEST_FUZZ=0 or GLIM_TEST_WEB=0
# leaves out step 3, 4, 5 or 6; GLIM_FUZZ_SMOKE_SECONDS sets each fuzz
# target's run (default 15).
# Each step's time is printed at its end.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/install-deps.sh

started=$SECONDS
step_start=$SECONDS
step_name=
step() {
  [ -z "$step_name" ] || printf '=== %s: %ds\n' "$step_name" $((SECONDS - step_start))
  step_name=$*
  step_start=$SECONDS
  [ -z "$step_name" ] || printf '\n=== %s\n' "$step_name"
}

step "format and source lists"
scripts/check-format.sh
scripts/check-sources.sh

step "build and test"
scripts/build.sh default
ctest --preset default

if [ "${GLIM_TEST_TIDY:-1}" != 0 ]; then
  step "clang-tidy"
  scripts/check-tidy.sh build
fi

if [ "${GLIM_TEST_SANITIZE:-1}" != 0 ]; then
  step "build and test with AddressSanitizer and UndefinedBehaviorSanitizer"
  # Leaks inside the system's own libraries (fontconfig, the X and sound
  # libraries) are theirs, not the game's; see the suppressions file.
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
  export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/scripts/lsan.supp:print_suppressions=0}
  export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
  scripts/build.sh asan
  ctest --preset asan
fi

if [ "${GLIM_TEST_FUZZ:-1}" != 0 ]; then
  step "fuzz smoke: every target for ${GLIM_FUZZ_SMOKE_SECONDS:-15} seconds"
  unset ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS
  scripts/build.sh fuzz
  fuzz/run.sh -t "${GLIM_FUZZ_SMOKE_SECONDS:-15}" -j 2 -b build-fuzz
fi

if [ "${GLIM_TEST_WEB:-1}" != 0 ]; then
  step "the game in the browser"
  tests/web/run.sh
fi
step
printf '=== all steps: %ds\n' $((SECONDS - started))
