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
  # A file that names its language is rendered in that language only.
  langs=$(python3 -c 'import json,sys; print(json.load(open(sys.argv[1])).get("language", "vorn kesh"))' \
          "$root/examples/$name.json")
  for lang in $langs; do
    "$tool" render "$root/examples/$name.json" --lang "$lang" > "$root/examples/expected/$name.$lang.txt"
  done
  echo "updated $name"
done
