#!/usr/bin/env bash
# Fails when a tracked C++ file differs from the house style (.clang-format,
# clang-format 14), naming each difference. `clang-format -i FILE` mends it.
set -euo pipefail
cd "$(dirname "$0")/.."
format=$(command -v clang-format-14 || command -v clang-format)
git ls-files -z '*.cpp' '*.h' '*.hpp' '*.cc' '*.c' | xargs -0 -r "$format" --dry-run --Werror
echo "format: $(git ls-files '*.cpp' '*.h' '*.hpp' '*.cc' '*.c' | wc -l) files in the house style"
