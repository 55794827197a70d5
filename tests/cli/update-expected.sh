#!/usr/bin/env bash
# Regenerates the checked-in outputs of the named example labels, in both
# languages, with the tool in build/. Name only examples whose object kinds
# are really in the library: an output rendered without them is wrong.
#   tests/cli/update-expected.sh picture text
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
tool=${QUILLON_TOOL:-$root/build/tools/quillon/quillon}
[ $# -gt 0 ] || { echo "usage: $0 EXAMPLE..." >&2; exit 2; }
for name in "$@"; do
  for lang in vorn kesh; do
    "$tool" render "$root/examples/$name.json" --lang "$lang" > "$root/examples/expected/$name.$lang.txt"
  done
  echo "updated $name"
done
