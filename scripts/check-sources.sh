#!/usr/bin/env bash
# Fails when a tracked C++ source file is named in no CMakeLists.txt of its
# folder or a folder above (sources are listed by name, so a new file that
# is not listed would silently not be built). A fuzz target's source is
# named by its target, fuzz_NAME.
set -euo pipefail
cd "$(dirname "$0")/.."
missing=0
while IFS= read -r f; do
  name=$(basename "$f")
  dir=$(dirname "$f")
  found=0
  while :; do
    if [ -f "$dir/CMakeLists.txt" ] && grep -q -e "\\b${name%.cpp}\\(\\.cpp\\)\\?\\b" -e "\\bfuzz_${name%.cpp}\\b" "$dir/CMakeLists.txt"; then
      found=1
      break
    fi
    [ "$dir" = . ] && break
    dir=$(dirname "$dir")
  done
  if [ "$found" = 0 ]; then
    echo "not in any CMakeLists.txt: $f" >&2
    missing=1
  fi
done < <(git ls-files '*.cpp')
[ "$missing" = 0 ] && echo "sources: every tracked .cpp file is listed"
exit "$missing"
