#!/usr/bin/env bash
# Builds the PDF417 encoder's libFuzzer target with clang and runs it for
# 60 seconds, seeded with the PDF417 test corpus. Any crash, sanitizer
# report or broken invariant fails the step.
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/install-deps.sh >/dev/null

build=build-fuzz-pdf417
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLON_BUILD_FUZZ=ON \
  -DQUILLON_BUILD_TESTS=OFF -DQUILLON_BUILD_BENCH=OFF -DQUILLON_BUILD_TOOLS=OFF >/dev/null
cmake --build "$build" -j2 --target fuzz_pdf417 >/dev/null

# Seeds: the first 200 inputs of the test corpus, each behind an option
# byte that selects the label emitter's order.
seeds=$(mktemp -d)
work=$(mktemp -d)
trap 'rm -rf "$seeds" "$work"' EXIT
corpus=tests/pdf417/data/pdf417-corpus.txt
python3 - "$corpus" "$seeds" <<'PY'
import re, sys
src, out = sys.argv[1], sys.argv[2]
with open(src, 'rb') as f:
    for n, line in enumerate(f):
        if n >= 200:
            break
        data = re.sub(rb'\\x([0-9a-f]{2})', lambda m: bytes([int(m.group(1), 16)]), line.rstrip(b'\n'))
        with open(f'{out}/seed{n:03d}', 'wb') as g:
            g.write(bytes([0x80 | (n % 3)]) + data)
PY

log=$(mktemp)
status=0
"$build/fuzz/fuzz_pdf417" -max_total_time=60 -max_len=4096 -print_final_stats=1 "$work" "$seeds" >"$log" 2>&1 || status=$?
runs=$(sed -n 's/^Done \([0-9]*\) runs.*/\1/p' "$log" | tail -1)
if [ "$status" -ne 0 ]; then
  tail -40 "$log"
  rm -f "$log"
  echo "fuzz_pdf417: 0 passed, 1 failed"
  exit 1
fi
rm -f "$log"
echo "fuzz_pdf417: ${runs:-0} executions in 60 s, no failure"
echo "1 passed, 0 failed"
