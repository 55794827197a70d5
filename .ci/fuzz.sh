# Shared by the fuzz steps: one clang build directory for every libFuzzer
# target, and one way to run a target for 60 seconds and report it.
# Sourced from .ci/steps/4*-fuzz-*.sh at the top of the source tree.

bash scripts/install-deps.sh >/dev/null
fuzz_build=build-fuzz-pdf417

# fuzz_target TARGET: configures the shared build directory and builds TARGET.
fuzz_target() {
  CC=clang CXX=clang++ cmake -S . -B "$fuzz_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLON_BUILD_FUZZ=ON \
    -DQUILLON_BUILD_TESTS=OFF -DQUILLON_BUILD_BENCH=OFF -DQUILLON_BUILD_TOOLS=OFF >/dev/null
  cmake --build "$fuzz_build" -j2 --target "$1" >/dev/null
}

# fuzz_run TARGET MAX_LEN VERDICT [SEED_DIR]: runs TARGET for 60 seconds;
# on failure prints the log's tail and the crashing inputs in hexadecimal.
fuzz_run() {
  local target=$1 max_len=$2 verdict=$3 work log status=0 runs crash
  work=$(mktemp -d)
  log=$(mktemp)
  "$fuzz_build/fuzz/$target" -max_total_time=60 -max_len="$max_len" -print_final_stats=1 \
    -artifact_prefix="$work/" "$work" "${@:4}" >"$log" 2>&1 || status=$?
  runs=$(sed -n 's/^Done \([0-9]*\) runs.*/\1/p' "$log" | tail -1)
  if [ "$status" -ne 0 ]; then
    tail -40 "$log"
    for crash in "$work"/crash-*; do [ -e "$crash" ] && od -An -tx1 "$crash" | head -20; done
    rm -rf "$work" "$log"
    echo "$target: 0 passed, 1 failed"
    return 1
  fi
  rm -rf "$work" "$log"
  echo "$target: ${runs:-0} executions in 60 s, $verdict"
  echo "1 passed, 0 failed"
}
