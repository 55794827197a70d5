#!/usr/bin/env bash
# Label jobs through a private cupsd: the rate through the quillon-label
# filter against the same labels rendered beforehand and sent to a raw queue
# (and, for reference, to the quillon queue as command text, which runs no
# filter), plus the filter's own time per job. Needs root and cups (see
# tests/spooler/spooler-test.sh); interleaves the kinds of run ROUNDS times
# and reports medians. BASELINE, another build of the filter (an older one,
# say), is timed in the same rounds through the same queue, so that both are
# measured under one load.
#   bench/bench_spooler.sh [BUILD_DIR] [JOBS] [ROUNDS] [BASELINE]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
jobs=${2:-200}
rounds=${3:-3}
baseline=${4:-}
[ -z "$baseline" ] || baseline=$(cd "$(dirname "$baseline")" && pwd)/$(basename "$baseline")
tool=$build/tools/quillon/quillon
source "$root/tests/spooler/private-cupsd.sh"
trap spooler_stop EXIT

spooler_start "$build" "$root"
spooler_listen printer
port=$LISTEN_PORT
spooler_queue raw "$port"
spooler_queue label "$port" -P "$build/tools/cups/quillon-vorn.ppd"

# Shipping labels, each with its own tracking number, and their command text.
labels=$SPOOLER_DIR/labels
mkdir -p "$labels"
python3 - "$jobs" "$labels" <<'PY'
import json, sys
n, out = int(sys.argv[1]), sys.argv[2]
for i in range(n):
    trk = f"1Z999AA1{i:010d}"
    label = {"name": f"SHIP{i}", "dpi": 203, "objects": [
        {"type": "text", "x": 20, "y": 20, "size": 10, "text": "FROM: ACME WIDGETS INC"},
        {"type": "text", "x": 30, "y": 145, "size": 14, "text": "SHIP TO: JOHN Q PUBLIC"},
        {"type": "text", "x": 20, "y": 1160, "size": 12, "text": f"TRACKING #: {trk}"},
        {"type": "line", "x": 0, "y": 120, "x2": 812, "y2": 120, "thickness": 3},
        {"type": "box", "x": 10, "y": 130, "x2": 802, "y2": 250, "thickness": 4},
        {"type": "barcode1d", "x": 40, "y": 600, "data": trk, "narrow": 3, "wide": 3, "height": 200},
        {"type": "qr", "x": 560, "y": 280, "module": 5, "error_correction": "M", "data": f"MGS:{trk}"},
        {"type": "pdf417", "x": 40, "y": 880, "module_width": 2, "data": f"TRK {trk}; WT 12.5 LB"}]}
    with open(f"{out}/{i:05d}.json", "w") as f:
        json.dump(label, f, indent=1)
PY
for f in "$labels"/*.json; do "$tool" render --lang vorn --dpi 203 "$f" > "${f%.json}.prn"; done

# CPU time of cupsd and the children it has reaped (filters, backends), in
# clock ticks.
cupsd_ticks() { awk '{ print $14 + $15 + $16 + $17 }' "/proc/${SPOOLER_PIDS[0]}/stat"; }

# Holds the queue while the jobs are submitted, so that only printing is
# timed: from cupsenable to the last byte at the printer. Prints the rate
# in jobs/s and the CPU time per job in ms.
rate() {
  local queue=$1 ext=$2
  shift 2
  local before start ticks f
  before=$(spooler_received printer | wc -l)
  cupsdisable -h "$SPOOLER_HOST" "$queue"
  for f in "$labels"/*."$ext"; do lp -h "$SPOOLER_HOST" -d "$queue" "$@" "$f" > /dev/null; done
  start=$EPOCHREALTIME
  ticks=$(cupsd_ticks)
  cupsenable -h "$SPOOLER_HOST" "$queue"
  spooler_wait printer $((before + jobs)) 600
  echo "$jobs / ($EPOCHREALTIME - $start)" | bc -l
  echo "($(cupsd_ticks) - $ticks) * 1000 / $(getconf CLK_TCK) / $jobs" | bc -l
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# cupsd starts the filter anew for every job, so the one it runs is swapped
# between runs.
use_filter() { install -m 755 "$1" "$SPOOLER_DIR/bin/filter/quillon-label"; }
results=$SPOOLER_DIR/results
mkdir -p "$results"
runs=(raw filter text)
[ -z "$baseline" ] || runs=(raw filter baseline text)
for round in $(seq "$rounds"); do
  { read -r raw; read -r raw_cpu; } < <(rate raw prn)
  use_filter "$build/tools/cups/quillon-label"
  { read -r filter; read -r filter_cpu; } < <(rate label json)
  line="raw $(printf '%.1f (%.1f)' "$raw" "$raw_cpu"), filter $(printf '%.1f (%.1f)' "$filter" "$filter_cpu")"
  if [ -n "$baseline" ]; then
    use_filter "$baseline"
    { read -r baseline_rate; read -r baseline_cpu; } < <(rate label json)
    use_filter "$build/tools/cups/quillon-label"
    echo "$baseline_rate / $raw" | bc -l >> "$results/baseline_ratio"
    line+=", baseline filter $(printf '%.1f (%.1f)' "$baseline_rate" "$baseline_cpu")"
  fi
  { read -r text; read -r text_cpu; } < <(rate label prn -o document-format=application/vnd.quillon-commands)
  for v in raw raw_cpu filter filter_cpu baseline_rate baseline_cpu text text_cpu; do
    [ -z "${!v:-}" ] || echo "${!v}" >> "$results/$v"
  done
  echo "$filter / $raw" | bc -l >> "$results/ratio"
  printf 'round %d: jobs/s (CPU ms per job): %s, command text %.1f (%.1f)\n' "$round" "$line" "$text" "$text_cpu"
done

# What the printer got through the filter (and the baseline) is what the
# tool renders.
received=($(spooler_received printer))
for run in 1 2; do
  [ "$run" -eq 1 ] || [ -n "$baseline" ] || break
  i=0
  for f in "$labels"/*.prn; do
    cmp -s "$f" "${received[$((run * jobs + i))]}" ||
      { echo "bench: job $i through ${runs[$run]} differs from the tool's output" >&2; exit 1; }
    i=$((i + 1))
  done
done

# The filter run by hand the way cupsd runs it, against the tool alone:
# median wall time and mean CPU time (its own and its children's) per run.
per_call() {
  local start times=()
  for i in $(seq 50); do
    start=$EPOCHREALTIME
    "$@" > /dev/null 2>&1
    times+=("$(echo "($EPOCHREALTIME - $start) * 1000" | bc -l)")
  done
  printf '%s\n' "${times[@]}" | median
}
cpu_per_call() {
  (
    for i in $(seq 50); do "$@" > /dev/null 2>&1; done
    times > "$SPOOLER_DIR/times"
    tail -n 1 "$SPOOLER_DIR/times" | sed 's/[ms]/ /g' | awk '{ print ($1 * 60 + $2 + $3 * 60 + $4) * 1000 / 50 }'
  )
}
label=$labels/00000.json
export PPD=$build/tools/cups/quillon-vorn.ppd
filter=("$build/tools/cups/quillon-label" 1 root label 1 "job-uuid=urn:uuid:0 number-up=1" "$label")
render=("$tool" render --lang vorn --dpi 203 "$label")
filter_ms=$(per_call "${filter[@]}")
filter_cpu=$(cpu_per_call "${filter[@]}")
if [ -n "$baseline" ]; then
  baseline_ms=$(per_call "$baseline" "${filter[@]:1}")
  baseline_cpu=$(cpu_per_call "$baseline" "${filter[@]:1}")
fi
tool_ms=$(per_call "${render[@]}")
tool_cpu=$(cpu_per_call "${render[@]}")
true_cpu=$(cpu_per_call /bin/true)

printf '\n%d jobs a run, %d rounds, medians (load average %s)\n' "$jobs" "$rounds" \
  "$(cut -d' ' -f1-3 /proc/loadavg)"
printf '                                                  jobs/s   CPU ms/job (cupsd, filter, backend)\n'
printf '  raw queue, labels rendered beforehand:         %6.1f   %6.1f\n' \
  "$(median < "$results/raw")" "$(median < "$results/raw_cpu")"
printf '  quillon queue, label files (filter):           %6.1f   %6.1f\n' \
  "$(median < "$results/filter")" "$(median < "$results/filter_cpu")"
printf '  quillon queue, command text (no filter):       %6.1f   %6.1f\n' \
  "$(median < "$results/text")" "$(median < "$results/text_cpu")"
if [ -n "$baseline" ]; then
  printf '  quillon queue, label files (baseline filter):  %6.1f   %6.1f\n' \
    "$(median < "$results/baseline_rate")" "$(median < "$results/baseline_cpu")"
fi
printf '  filter / raw rate, median of the rounds:       %6.2f\n' "$(median < "$results/ratio")"
[ -z "$baseline" ] ||
  printf '  baseline filter / raw rate, median:            %6.2f\n' "$(median < "$results/baseline_ratio")"
printf 'per job, 50 runs by hand (median wall, mean CPU): filter %.1f ms, %.1f ms CPU;\n' "$filter_ms" "$filter_cpu"
[ -z "$baseline" ] ||
  printf '  baseline filter %.1f ms, %.1f ms CPU;\n' "$baseline_ms" "$baseline_cpu"
printf '  quillon render of the same label %.1f ms, %.1f ms CPU (starting /bin/true: %.1f ms CPU)\n' \
  "$tool_ms" "$tool_cpu" "$true_cpu"
