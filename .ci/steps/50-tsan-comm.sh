#!/usr/bin/env bash
# ThreadSanitizer build of the connection tests: the USB receive thread, its
# cancellation and the device release at destruction must race with nothing.
# The USB tests run against emulated printers of two made-up vendor ids.
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/install-deps.sh >/dev/null

build=build-ci-tsan-comm
cmake -S . -B "$build" -DQUILLON_TSAN=ON -DQUILLON_WERROR=ON -DQUILLON_BUILD_BENCH=OFF -DQUILLON_BUILD_TOOLS=OFF \
      -DQUILLON_VENDOR_ORLO=0x1234 -DQUILLON_VENDOR_HLV=0x5678 >/dev/null
cmake --build "$build" -j2 --target test_comm test_comm_usb >/dev/null

export TSAN_OPTIONS="halt_on_error=1 exitcode=66 second_deadlock_stack=1 suppressions=$PWD/tests/comm/tsan.supp"
passed=0
failed=0
run() {
  local name=$1
  shift
  if "$@" >"$build/$name.log" 2>&1; then
    passed=$((passed + 1))
    echo "$name: passed"
  else
    failed=$((failed + 1))
    echo "$name: FAILED"
    tail -n 60 "$build/$name.log"
  fi
}
run test_comm "$build/tests/comm/test_comm"
run test_comm_usb umockdev-wrapper "$build/tests/comm/test_comm_usb"
echo "tsan-comm: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
