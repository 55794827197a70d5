#!/usr/bin/env bash
# Installs what is missing, builds the quillon command-line tool in build/
# and prints its sample shipping label in both printer languages.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
mkdir -p build
cmake -S . -B build -DQUILLON_WERROR=ON > build/configure.log 2>&1 || { cat build/configure.log; exit 1; }
cmake --build build -j2 --target quillon_cli

echo "== quillon demo (VORN)"
build/tools/quillon/quillon demo
echo "== quillon demo --lang kesh"
build/tools/quillon/quillon demo --lang kesh
