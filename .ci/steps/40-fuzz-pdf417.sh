#!/usr/bin/env bash
# Builds the PDF417 encoder's libFuzzer target with clang and runs it for
# 60 seconds, seeded with the PDF417 test corpus. Any crash, sanitizer
# report or broken invariant fails the step.
set -euo pipefail
cd "$(dirname "$0")/../.."
source .ci/fuzz.sh
fuzz_target fuzz_pdf417

# Seeds: the first 200 inputs of the test corpus, each behind an option
# byte that selects the label emitter's order.
seeds=$(mktemp -d)
trap 'rm -rf "$seeds"' EXIT
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

fuzz_run fuzz_pdf417 4096 "no failure" "$seeds"
