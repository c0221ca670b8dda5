#!/usr/bin/env bash
# Builds the seed corpora and runs the fuzz targets, two at a time:
#   fuzz/run.sh [-t SECONDS] [-j JOBS] [-b BUILD_DIR] [TARGET...]
# SECONDS is each target's run length (default 600), BUILD_DIR a build made
# with clang and -DGLIM_FUZZ=ON (default build-fuzz). Each target keeps its
# corpus in BUILD_DIR/fuzz-corpus/<target> from run to run, its log in
# BUILD_DIR/fuzz-logs/<target>.log and anything it finds in
# BUILD_DIR/fuzz-findings/<target>/. Exits non-zero when a target finds
# anything; the summary gives each target's run length and executions.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
seconds=600
jobs=2
build=$src/build-fuzz
while getopts "t:j:b:" opt; do
  case $opt in
    t) seconds=$OPTARG ;;
    j) jobs=$OPTARG ;;
    b) build=$OPTARG ;;
    *) sed -n '2,9p' "$0"; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
build=$(cd "$build" && pwd)
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(words rooms savegame jpeg png commands helptext)

for t in "${targets[@]}"; do
  if [ ! -x "$build/fuzz/fuzz_$t" ]; then
    echo "fuzz/run.sh: $build/fuzz/fuzz_$t is missing (build the fuzz_all target)" >&2
    exit 2
  fi
done

# The world the targets play: the shipped word and room files and sprite
# sheets, with one small default picture in place of the room pictures. The
# targets are after the readers, the parser and the saved games; decoding a
# full-size picture at every move would take most of each run, and the
# picture decoders have targets of their own.
if [ -z "${GLIM_FUZZ_WORLD:-}" ] && [ -f "$src/data/glimtext.wdt" ]; then
  world=$build/fuzz-world
  mkdir -p "$world/images"
  cp "$src/data/glimtext.wdt" "$src/data/glimroom.dat" "$world/"
  cp "$src/data/images/characters.png" "$src/data/images/lying.png" "$src/data/images/objects.png" "$world/images/"
  cp "$src/tools/fixtures/room0.jpg" "$world/images/room0.jpg"
  export GLIM_FUZZ_WORLD=$world/
fi

seeds=$build/fuzz-seeds
"$src/fuzz/make_corpus.sh" "$seeds" "$build/glimmerhold-term" > /dev/null

run_one() {
  local t=$1
  local corpus=$build/fuzz-corpus/$t findings=$build/fuzz-findings/$t log=$build/fuzz-logs/$t.log
  mkdir -p "$corpus" "$findings" "$build/fuzz-logs"
  local extra=()
  [ "$t" = commands ] && extra+=(-dict="$seeds/commands.dict")
  local inputs=("$seeds/$t")
  [ -d "$src/fuzz/regressions/$t" ] && inputs+=("$src/fuzz/regressions/$t")
  local start=$SECONDS
  set +e
  "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=30 -print_final_stats=1 \
    -artifact_prefix="$findings/" "${extra[@]}" "$corpus" "${inputs[@]}" > "$log" 2>&1
  local rc=$?
  set -e
  local execs
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  local found
  found=$(find "$findings" -type f | wc -l)
  local result=ok
  if [ "$rc" -ne 0 ] || [ "$found" -ne 0 ]; then result="FINDING (exit $rc, $found files in $findings)"; fi
  printf '%-9s %5ds %12s executions  %s\n' "$t" $((SECONDS - start)) "${execs:-?}" "$result"
  [ "$result" = ok ]
}
export -f run_one
export build seeds seconds src

status=0
printf '%s\n' "${targets[@]}" | xargs -P "$jobs" -I{} bash -c 'run_one "$@"' _ {} || status=1
exit $status
