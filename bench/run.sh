#!/usr/bin/env bash
# Builds the benchmarks in Release in build-bench (preset bench), runs them
# all in one go and prints their medians side by side with the ratios, then
# the peak memory of both programs.
#   bench/run.sh                 5 repetitions of each benchmark
#   GLIM_BENCH_REPS=9 bench/run.sh
#   GLIM_BENCH_JOBS=2 bench/run.sh   build with two jobs (default one)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build="$root/build-bench"
reps=${GLIM_BENCH_REPS:-5}
jobs=${GLIM_BENCH_JOBS:-1}

qt=ON
if ! pkg-config --exists Qt6Widgets 2>/dev/null && [ ! -d /usr/lib/x86_64-linux-gnu/cmake/Qt6Widgets ]; then qt=OFF; fi

# The tree of the preset bench (CMakePresets.json): Release, benchmarks on,
# built with Ninja; a tree made earlier with Makefiles is configured afresh.
if grep -qs '^CMAKE_GENERATOR:INTERNAL=Unix Makefiles$' "$build/CMakeCache.txt"; then
  rm -rf "$build/CMakeCache.txt" "$build/CMakeFiles"
fi
(cd "$root" && cmake --preset bench -DGLIM_BUILD_QT=$qt >/dev/null)
targets=(glim_bench glimmerhold-term)
[ "$qt" = ON ] && targets+=(glim_bench_splash glimmerhold)
(cd "$root" && cmake --build --preset bench -j"$jobs" --target "${targets[@]}")

out="$build/bench-results"
mkdir -p "$out"
common=(--benchmark_repetitions="$reps" --benchmark_report_aggregates_only=true --benchmark_out_format=json)

echo "== core benchmarks ($reps repetitions)"
"$build/bench/glim_bench" "${common[@]}" --benchmark_out="$out/core.json"
if [ -x "$build/bench/glim_bench_splash" ]; then
  echo "== splash benchmarks ($reps repetitions, Qt offscreen)"
  QT_QPA_PLATFORM=offscreen "$build/bench/glim_bench_splash" "${common[@]}" --benchmark_out="$out/splash.json"
fi

echo "== peak memory"
GLIM_BUILD="$build" "$here/memory.sh" | tee "$out/memory.txt"

echo
python3 "$here/table.py" "$out"
