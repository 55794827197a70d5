#!/usr/bin/env bash
# Builds the equivalence target with clang (AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs it for 60 seconds: every call sequence
# it makes up must give the same text, exceptions and notices through the
# label functions and through quillon::Label. A difference traps.
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/install-deps.sh >/dev/null

# The fuzz steps share one build directory, configured the same way.
build=build-fuzz-pdf417
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLON_BUILD_FUZZ=ON \
  -DQUILLON_BUILD_TESTS=OFF -DQUILLON_BUILD_BENCH=OFF -DQUILLON_BUILD_TOOLS=OFF >/dev/null
cmake --build "$build" -j2 --target fuzz_equivalence >/dev/null

work=$(mktemp -d)
log=$(mktemp)
trap 'rm -rf "$work" "$log"' EXIT
status=0
"$build/fuzz/fuzz_equivalence" -max_total_time=60 -max_len=1024 -print_final_stats=1 -artifact_prefix="$work/" \
  "$work" >"$log" 2>&1 || status=$?
runs=$(sed -n 's/^Done \([0-9]*\) runs.*/\1/p' "$log" | tail -1)
if [ "$status" -ne 0 ]; then
  tail -40 "$log"
  for crash in "$work"/crash-*; do [ -e "$crash" ] && od -An -tx1 "$crash" | head -20; done
  echo "fuzz_equivalence: 0 passed, 1 failed"
  exit 1
fi
echo "fuzz_equivalence: ${runs:-0} executions in 60 s, no difference"
echo "1 passed, 0 failed"
