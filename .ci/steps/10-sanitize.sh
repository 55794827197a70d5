#!/usr/bin/env bash
# Every test again with AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer: any report fails the run.
set -euo pipefail
cd "$(dirname "$0")/../.."

bash scripts/install-deps.sh
cmake -S . -B build-asan -DQUILLON_SANITIZE=ON -DQUILLON_WERROR=ON -DQUILLON_BUILD_BENCH=OFF
cmake --build build-asan -j2
# The USB tests run under umockdev's preload library, which must come before
# the sanitizer runtime; fontconfig's process-long cache is not a leak of ours,
# and a matched suppression prints nothing (the tool's tests compare stderr).
export ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:verify_asan_link_order=0
export LSAN_OPTIONS=suppressions=$PWD/.ci/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd build-asan
ctest --output-on-failure
