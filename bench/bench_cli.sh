#!/usr/bin/env bash
# End-to-end benchmark of `quillon render` on a JSON Lines file of 100,000
# shipping labels (the 4 x 6 inch label of the demo, each with its own
# tracking number). Reports labels/s, median of three runs per language and
# for one render worker and one per core, and
# where the rendering thread's time went (waiting for the JSON reader,
# rendering in the library, writing), with the reader thread's own time for
# reading and checking the JSON. Several tools (say the one on main and a
# new one) are measured in one run, their runs interleaved, so that the
# machine's load falls on all of them alike.
#   bench/bench_cli.sh [TOOL...]          COUNT=100000 by default
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tools=("$@")
[ ${#tools[@]} -gt 0 ] || tools=("$root/build/tools/quillon/quillon")
count=${COUNT:-100000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 - "$count" > "$work/labels.jsonl" <<'PY'
import json, sys
n = int(sys.argv[1])
for i in range(n):
    trk = f"1Z999AA1{i:010d}"
    label = {"name": "SHIP1", "dpi": 203, "objects": [
        {"type": "text", "x": 20, "y": 20, "size": 10, "text": "FROM: ACME WIDGETS INC"},
        {"type": "text", "x": 20, "y": 55, "size": 10, "text": "42 INDUSTRY WAY, DAYTON OH 45402"},
        {"type": "text", "x": 30, "y": 145, "size": 14, "text": "SHIP TO: JOHN Q PUBLIC"},
        {"type": "text", "x": 30, "y": 195, "size": 14, "text": "1234 MAIN STREET APT 5B, SPRINGFIELD IL 62704-1234 USA"},
        {"type": "text", "x": 20, "y": 1160, "size": 12, "text": f"TRACKING #: {trk}"},
        {"type": "line", "x": 0, "y": 120, "x2": 812, "y2": 120, "thickness": 3},
        {"type": "line", "x": 0, "y": 560, "x2": 812, "y2": 560, "thickness": 3},
        {"type": "box", "x": 10, "y": 130, "x2": 802, "y2": 250, "thickness": 4},
        {"type": "barcode1d", "x": 40, "y": 600, "data": trk, "symbology": "code128", "narrow": 3, "wide": 6, "height": 200},
        {"type": "qr", "x": 560, "y": 280, "module": 5, "error_correction": "M", "model": 2,
         "data": f"MGS:{trk}|TO:JOHN Q PUBLIC|ZIP:62704-1234|WT:12.5LB"},
        {"type": "pdf417", "x": 40, "y": 880, "module_width": 2, "module_height": 6,
         "data": "SHIP TO: JOHN Q PUBLIC, 1234 MAIN STREET APT 5B, SPRINGFIELD IL 62704-1234 USA; "
                 f"TRK {trk}; WT 12.5 LB; REF PO-4500012345; SSCC 00123456789012345675"}]}
    print(json.dumps(label, separators=(",", ":")))
PY
size=$(stat -c %s "$work/labels.jsonl")
echo "input: $count labels, $((size / 1024 / 1024)) MiB of JSON Lines"

# Median of three runs by wall time, per tool; each line also carries the
# CPU time, the steadier figure on a shared machine.
run() {
  local args=("$@") t
  for run in 1 2 3; do
    for t in "${!tools[@]}"; do
      "${tools[$t]}" render "$work/labels.jsonl" --stats -o "$work/out.$t.txt" "${args[@]}" 2>&1 >/dev/null |
        grep 'labels in' | sed "s/^quillon: /$t /" || true
    done
  done > "$work/runs"
  for t in "${!tools[@]}"; do
    echo "  ${tools[$t]}: $(grep "^$t " "$work/runs" | sort -t' ' -k5 -n | sed -n 2p | cut -d' ' -f2-)"
  done
}
echo "read and check only:"
run --check
for lang in vorn kesh; do
  echo "$lang end to end, one render worker:"
  run --lang "$lang" --jobs 1
  echo "$lang end to end, one render worker per core ($(nproc)):"
  run --lang "$lang"
  echo "  output $(( $(stat -c %s "$work/out.0.txt") / 1024 / 1024 )) MiB"
done
