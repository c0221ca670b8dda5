#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test:
#   1. the normal build (build/) and its whole test suite;
#   2. the same suite built with AddressSanitizer and UndefinedBehaviorSanitizer
#      (build-asan/);
#   3. a short run of every fuzz target over its seed corpus (build-fuzz/,
#      clang).
# GLIM_TEST_SANITIZE=0 or GLIM_TEST_FUZZ=0 leaves out step 2 or 3;
# GLIM_FUZZ_SMOKE_SECONDS sets each fuzz target's run (default 15).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/install-deps.sh

step() { printf '\n=== %s\n' "$*"; }

step "build and test"
scripts/build.sh
(cd "${BUILD_DIR:-build}" && ctest --output-on-failure -j2 --timeout 600)

if [ "${GLIM_TEST_SANITIZE:-1}" != 0 ]; then
  step "build and test with AddressSanitizer and UndefinedBehaviorSanitizer"
  # Leaks inside the system's own libraries (fontconfig, the X and sound
  # libraries) are theirs, not the game's; see the suppressions file.
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
  export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/scripts/lsan.supp:print_suppressions=0}
  export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
  BUILD_DIR=build-asan BUILD_TYPE=Debug CMAKE_ARGS="-DGLIM_SANITIZE=ON -DCMAKE_CXX_FLAGS=-O1" scripts/build.sh
  (cd build-asan && ctest --output-on-failure -j2 --timeout 900)
fi

if [ "${GLIM_TEST_FUZZ:-1}" != 0 ]; then
  step "fuzz smoke: every target for ${GLIM_FUZZ_SMOKE_SECONDS:-15} seconds"
  unset ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DGLIM_FUZZ=ON -DGLIM_BUILD_QT=OFF -DGLIM_BUILD_TESTS=OFF >/dev/null
  cmake --build build-fuzz --target fuzz_all -j2
  fuzz/run.sh -t "${GLIM_FUZZ_SMOKE_SECONDS:-15}" -j 2 -b build-fuzz
fi
