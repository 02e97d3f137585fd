#!/usr/bin/env bash
# Checks that every C++ file of the project is laid out as the root .clang-format says; names the
# lines that are not. Exit status 77 where clang-format is not installed.
#   tools/check-format.sh [SOURCE_DIR]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
command -v clang-format >/dev/null || { echo "check-format: clang-format is not installed" >&2; exit 77; }
mapfile -t files < <(find src tools tests bench site -name '*.cpp' -o -name '*.h' | sort)
if ! clang-format --dry-run --Werror "${files[@]}"; then
  echo "not laid out as .clang-format says: clang-format -i on the files named above fixes it"
  exit 1
fi
echo "${#files[@]} files laid out as .clang-format says"
