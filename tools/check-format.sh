#!/usr/bin/env bash
# Checks that every C++ file of the project is laid out as the root .clang-format says; prints the
# files that are not. Exit status 77 where clang-format is not installed.
#   tools/check-format.sh [SOURCE_DIR]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
command -v clang-format >/dev/null || { echo "check-format: clang-format is not installed" >&2; exit 77; }
mapfile -t files < <(find src tools tests bench site -name '*.cpp' -o -name '*.h' | sort)
bad=()
for file in "${files[@]}"; do
  clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || bad+=("$file")
done
if [ ${#bad[@]} -gt 0 ]; then
  printf 'not laid out as .clang-format says (clang-format -i fixes it):\n'
  printf '  %s\n' "${bad[@]}"
  exit 1
fi
echo "${#files[@]} files laid out as .clang-format says"
