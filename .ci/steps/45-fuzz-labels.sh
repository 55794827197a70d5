#!/usr/bin/env bash
# Builds the label reader's libFuzzer target with clang (AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs it for 60 seconds, seeded with the
# example labels. Any crash or sanitizer report fails the step. The reader is
# instrumented; the library it renders through is linked as users get it
# (its own sanitizer run is 10-sanitize.sh), with ASan watching its heap.
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/install-deps.sh >/dev/null

# The PDF417 step's build directory, configured the same way: the library is
# built there already.
build=build-fuzz-pdf417
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLON_BUILD_FUZZ=ON \
  -DQUILLON_BUILD_TESTS=OFF -DQUILLON_BUILD_BENCH=OFF -DQUILLON_BUILD_TOOLS=OFF >/dev/null
cmake --build "$build" -j2 --target fuzz_labels >/dev/null

# Seeds: every example, once per language byte.
seeds=$(mktemp -d)
work=$(mktemp -d)
log=$(mktemp)
trap 'rm -rf "$seeds" "$work" "$log"' EXIT
for example in examples/*.json; do
  for lang in 0 1 2; do
    { printf "\\x3$lang"; cat "$example"; } > "$seeds/$(basename "$example" .json)-$lang"
  done
done

status=0
"$build/fuzz/fuzz_labels" -max_total_time=60 -max_len=8192 -print_final_stats=1 -artifact_prefix="$work/" "$work" "$seeds" >"$log" 2>&1 ||
  status=$?
runs=$(sed -n 's/^Done \([0-9]*\) runs.*/\1/p' "$log" | tail -1)
if [ "$status" -ne 0 ]; then
  tail -40 "$log"
  echo "fuzz_labels: 0 passed, 1 failed"
  exit 1
fi
echo "fuzz_labels: ${runs:-0} executions in 60 s, no failure"
echo "1 passed, 0 failed"
