#!/usr/bin/env bash
# Every C and C++ file of the project is laid out by the checked-in
# .clang-format; names the files that are not.
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/install-deps.sh clang-format >/dev/null
unformatted=0
while IFS= read -r file; do
  if ! clang-format --dry-run -Werror "$file" >/dev/null 2>&1; then
    echo "not formatted: $file (clang-format -i $file)"
    unformatted=$((unformatted + 1))
  fi
done < <(git ls-files '*.c' '*.cpp' '*.h')
if [ "$unformatted" -eq 0 ]; then echo "format: 1 passed, 0 failed"; else echo "format: 0 passed, 1 failed"; exit 1; fi
