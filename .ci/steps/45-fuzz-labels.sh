#!/usr/bin/env bash
# Builds the label reader's libFuzzer target with clang (AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs it for 60 seconds, seeded with the
# example labels. Any crash or sanitizer report fails the step. The reader is
# instrumented; the library it renders through is linked as users get it
# (its own sanitizer run is 10-sanitize.sh), with ASan watching its heap.
set -euo pipefail
cd "$(dirname "$0")/../.."
source .ci/fuzz.sh
fuzz_target fuzz_labels

# Seeds: every example, once per language byte.
seeds=$(mktemp -d)
trap 'rm -rf "$seeds"' EXIT
for example in examples/*.json; do
  for lang in 0 1 2; do
    { printf "\\x3$lang"; cat "$example"; } > "$seeds/$(basename "$example" .json)-$lang"
  done
done

fuzz_run fuzz_labels 8192 "no failure" "$seeds"
