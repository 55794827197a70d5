#!/usr/bin/env bash
# Every test again with AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer: any report fails the run.
set -euo pipefail
cd "$(dirname "$0")/../.."

bash scripts/install-deps.sh
cmake -S . -B build-asan -DQUILLON_SANITIZE=ON -DQUILLON_WERROR=ON -DQUILLON_BUILD_BENCH=OFF
cmake --build build-asan -j2
export ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd build-asan
ctest --output-on-failure
