#!/usr/bin/env bash
# ThreadSanitizer build of the label thread test: 8 threads each rendering
# 1,000 labels through quillon::Label must race on nothing and give what
# one thread gives.
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/install-deps.sh >/dev/null

# Configured as the connection step's build, so that the library objects
# are built once for both.
build=build-ci-tsan-comm
cmake -S . -B "$build" -DQUILLON_TSAN=ON -DQUILLON_WERROR=ON -DQUILLON_BUILD_BENCH=OFF -DQUILLON_BUILD_TOOLS=OFF \
      -DQUILLON_VENDOR_ORLO=0x1234 -DQUILLON_VENDOR_HLV=0x5678 >/dev/null
cmake --build "$build" -j2 --target test_label_object >/dev/null

export TSAN_OPTIONS="halt_on_error=1 exitcode=66 second_deadlock_stack=1"
if "$build/tests/label/test_label_object" --gtest_filter='LabelThreads.*' >"$build/tsan-labels.log" 2>&1; then
  echo "tsan-labels: 1 passed, 0 failed"
else
  tail -n 60 "$build/tsan-labels.log"
  echo "tsan-labels: 0 passed, 1 failed"
  exit 1
fi
