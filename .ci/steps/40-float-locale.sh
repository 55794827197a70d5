#!/usr/bin/env bash
# The VORN barcode height is the one float in the command text; it must not
# follow the host's locale. Runs that test under a comma-decimal locale and
# fails if the locale cannot be provided (the test would only be skipped).
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${QUILLON_BUILD_DIR:-build}

if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
if [ ! -x "$build/tests/generate/test_generate" ]; then
  cmake -S . -B "$build" -DQUILLON_WERROR=ON >/dev/null
  cmake --build "$build" -j2 --target test_generate >/dev/null
fi
out=$("$build/tests/generate/test_generate" --gtest_filter='Barcode1DLocale.*' 2>&1)
echo "$out" | tail -3
if echo "$out" | grep -q 'SKIPPED'; then
  echo "0 passed, 1 failed (locale test skipped)"
  exit 1
fi
echo "$out" | grep -q '\[  PASSED  \] 1 test' || { echo "0 passed, 1 failed"; exit 1; }
echo "1 passed, 0 failed"
