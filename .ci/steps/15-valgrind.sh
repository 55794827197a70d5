#!/usr/bin/env bash
# Memcheck over the label spine: the sample program and the label tests must
# show no leak and no invalid access.
set -euo pipefail
cd "$(dirname "$0")/../.."
command -v valgrind >/dev/null || { apt-get update && apt-get install -y --no-install-recommends valgrind; }
cmake -S . -B build >/dev/null
cmake --build build -j2 --target test_label test_generate sample_label >/dev/null
vg=(valgrind --quiet --suppressions=.ci/valgrind-gtest.supp --leak-check=full --show-leak-kinds=definite,indirect
    --errors-for-leak-kinds=definite,indirect --error-exitcode=1)
passed=0
failed=0
run() {
  if "${vg[@]}" "$@" >/dev/null; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "memcheck failed: $*"; fi
}
run build/examples/sample_label
run build/tests/label/test_label --gtest_brief=1
run build/tests/generate/test_generate --gtest_brief=1
echo "valgrind: ${passed} passed, ${failed} failed"
[ "$failed" -eq 0 ]
