#!/usr/bin/env bash
# Builds the equivalence target with clang (AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs it for 60 seconds: every call sequence
# it makes up must give the same text, exceptions and notices through the
# label functions and through quillon::Label. A difference traps.
set -euo pipefail
cd "$(dirname "$0")/../.."
source .ci/fuzz.sh
fuzz_target fuzz_equivalence
fuzz_run fuzz_equivalence 1024 "no difference"
