#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors in
# build/ and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -DQUILLON_WERROR=ON -DQUILLON_BUILD_TESTS=ON
cmake --build build -j2
cd build
ctest --output-on-failure
