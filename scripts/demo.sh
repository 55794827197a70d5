#!/usr/bin/env bash
# Installs what is missing, builds the demonstration program in build/ and
# runs it: the quillon command-line tool's demo once the tool is there, the
# sample label program until then.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
mkdir -p build
cmake -S . -B build -DQUILLON_WERROR=ON > build/configure.log 2>&1 || { cat build/configure.log; exit 1; }

targets=(sample_label)
if cmake --build build --target help 2>/dev/null | grep -qw quillon_cli; then
  targets+=(quillon_cli)
fi
cmake --build build -j2 --target "${targets[@]}"

if [ -x build/tools/quillon/quillon ]; then
  exec build/tools/quillon/quillon demo
fi
exec build/examples/sample_label
