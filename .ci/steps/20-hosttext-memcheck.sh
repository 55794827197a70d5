#!/usr/bin/env bash
# Memcheck over host-rendered text: rendering, conversions, download commands
# and WindowsFont over TCP and a pseudo-terminal must show no leak and no
# invalid access. Font matches that fontconfig keeps for the life of the
# process and glibc vector over-reads are suppressed (tests/hosttext/memcheck.supp).
set -euo pipefail
cd "$(dirname "$0")/../.."
command -v valgrind >/dev/null || { apt-get update && apt-get install -y --no-install-recommends valgrind; }
cmake -S . -B build >/dev/null
cmake --build build -j2 --target test_hosttext >/dev/null
passed=0
failed=0
if valgrind --quiet --leak-check=full --show-leak-kinds=definite,indirect \
    --errors-for-leak-kinds=definite,indirect --error-exitcode=1 \
    --suppressions=tests/hosttext/memcheck.supp \
    build/tests/hosttext/test_hosttext --gtest_brief=1 >/dev/null; then
  passed=$((passed + 1))
else
  failed=$((failed + 1))
  echo "memcheck failed: test_hosttext"
fi
echo "hosttext memcheck: ${passed} passed, ${failed} failed"
[ "$failed" -eq 0 ]
