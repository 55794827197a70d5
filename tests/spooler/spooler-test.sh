#!/usr/bin/env bash
# Label files printed through a real cupsd with the quillon queues, checked
# at printers that are listeners on loopback ports. Runs as root (cupsd runs
# the jobs as lp) with cups, cups-client and cups-ipp-utils installed.
#   tests/spooler/spooler-test.sh [BUILD_DIR]
# The 1,000-job run takes most of the time; it drains its own queue while
# the other cases run on theirs.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
tool=$build/tools/quillon/quillon
source "$here/private-cupsd.sh"

# Bounded as a whole: past the limit the test stops, and the exit trap stops
# cupsd and the printers all the same.
limit=170
(
  trap 'kill "$sleeper" 2> /dev/null; exit 0' TERM
  sleep "$limit" &
  sleeper=$!
  wait "$sleeper"
  echo "spooler: over $limit s; stopping" >&2
  kill -TERM $$
) &
watchdog=$!
trap 'kill "$watchdog" 2> /dev/null; spooler_stop' EXIT
trap 'exit 1' TERM INT

passed=0
failed=0
check() {
  local what=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
    echo "ok: $what"
  else
    failed=$((failed + 1))
    echo "FAILED: $what"
  fi
}

spooler_start "$build" "$root" || exit 1
lp_() { lp -h "$SPOOLER_HOST" "$@" > /dev/null; }
not_completed() { lpstat -h "$SPOOLER_HOST" -W not-completed -o "$1" | wc -l; }
enabled() { lpstat -h "$SPOOLER_HOST" -p "$1" | grep -q enabled; }
log_has() { grep -qF -- "$1" "$SPOOLER_DIR/log/error_log"; }
# The form names of what printer $1 received, in order.
form_names() { spooler_received "$1" | xargs sed -n 's/^REM \([A-Z0-9]*\) FORM BEGIN\r$/\1/p'; }
work=$SPOOLER_DIR/work
mkdir -p "$work"
ppd=$build/tools/cups/quillon-vorn.ppd

# 1,000 jobs from two IPP clients at once into one queue; each client sends
# its 500 jobs one after another over one connection. Every fourth job is a
# label file for the filter and the others command text rendered here
# beforehand, so that the queue interleaves both and the run stays within
# its bound on a busy machine (a filter job costs about 1.6 times the CPU).
spooler_listen bulk && spooler_queue bulk "$LISTEN_PORT" -P "$ppd"
for client in A B; do
  mkdir -p "$work/$client"
  for i in $(seq -w 0 499); do
    printf '{"name": "%s%s", "objects": [{"type": "picture", "x": 0, "y": 0, "name": "P"}]}\n' "$client" "$i"
  done > "$work/$client.jsonl"
  "$tool" render "$work/$client.jsonl" | awk -v dir="$work/$client" '
    / FORM BEGIN\r$/ { if (f) close(f); f = sprintf("%s/%03d.prn", dir, n++) }
    { print > f }'
  for i in $(seq 0 4 499); do
    sed -n "$((i + 1))p" "$work/$client.jsonl" > "$(printf '%s/%03d.json' "$work/$client" "$i")"
    rm "$(printf '%s/%03d.prn' "$work/$client" "$i")"
  done
  for f in "$work/$client"/*; do
    format=
    [ "${f##*.}" = json ] || format="ATTR mimeMediaType document-format application/vnd.quillon-commands"
    printf '{ NAME "%s" OPERATION Print-Job GROUP operation-attributes-tag
      ATTR charset attributes-charset utf-8 ATTR naturalLanguage attributes-natural-language en
      ATTR uri printer-uri $uri ATTR name requesting-user-name client-%s %s
      FILE %s STATUS successful-ok }\n' "$f" "$client" "$format" "$f"
  done > "$work/$client.test"
done
bulk_start=$SECONDS
clients=()
for client in A B; do
  ipptool -T 30 "ipp://$SPOOLER_HOST/printers/bulk" "$work/$client.test" > "$work/$client.log" 2>&1 &
  clients+=($!)
done

# Every example in both languages. The VORN queue keeps its PPD's
# defaults; the KESH queue is set to 300 dpi, as a site sets its printer.
# The jobs carry no document format: cupsd recognises label files by content.
spooler_listen vorn && spooler_queue vorn "$LISTEN_PORT" -P "$ppd"
spooler_listen kesh && spooler_queue kesh "$LISTEN_PORT" -P "$build/tools/cups/quillon-kesh.ppd" \
  -o Resolution=300dpi
declare -A expected_count
for queue in vorn kesh; do
  dpi=203
  [ "$queue" = vorn ] || dpi=300
  n=0
  for example in "$root"/examples/*.json; do
    lp_ -d "$queue" "$example"
    # A label the library refuses in this language stops its job and
    # prints nothing; the queue goes on.
    if "$tool" render --lang "$queue" --dpi "$dpi" "$example" > "$work/$queue.$n" 2> /dev/null; then
      n=$((n + 1))
    fi
  done
  # Copies repeat the label.
  lp_ -d "$queue" -n 3 "$root/examples/picture.json"
  one=$work/picture.$queue
  "$tool" render --lang "$queue" --dpi "$dpi" "$root/examples/picture.json" > "$one"
  cat "$one" "$one" "$one" > "$work/$queue.$n"
  expected_count[$queue]=$((n + 1))
done
same_as_tool() {
  local queue=$1 i=0 f
  spooler_wait "$queue" "${expected_count[$queue]}" 60 || return 1
  for f in $(spooler_received "$queue"); do
    cmp "$work/$queue.$i" "$f" || return 1
    i=$((i + 1))
  done
  [ "$i" -eq "${expected_count[$queue]}" ]
}
check "every example through the VORN queue is what quillon render prints" same_as_tool vorn
check "every example through the KESH queue at 300 dpi is what quillon render prints" same_as_tool kesh
check "labels the library refuses in VORN stop their jobs with its message" \
  log_has "maxicode-mode3.json: Format [MaxicodeMsgStructuredOpenSystemStandard] is not supported."

# A malformed label: its job stops with the field path in the log, nothing
# reaches the printer, the queue stays enabled and the next job prints.
printf '{"name": "BAD", "objects": [{"type": "picture", "x": "1", "name": "A"}]}\n' > "$work/bad.json"
before=$(spooler_received vorn | wc -l)
stopped_before=$(not_completed vorn)
lp_ -d vorn "$work/bad.json"
lp_ -d vorn "$root/examples/picture.json"
check "the job after a malformed label prints" spooler_wait vorn $((before + 1)) 30
check "the malformed label printed nothing" cmp "$(spooler_received vorn | tail -n 1)" "$work/picture.vorn"
check "the job log holds the field path" \
  log_has "bad.json: objects[0].x: expected a number"
check "the malformed label's job is stopped, not printed" \
  test "$(not_completed vorn)" -eq $((stopped_before + 1))
check "the queue stays enabled" enabled vorn

# A printer that accepts nothing for a while: the jobs wait in the queue,
# the queue stays enabled, and once the printer reads they all arrive.
spooler_listen slow hold && spooler_queue slow "$LISTEN_PORT" -P "$ppd"
for i in 0 1 2 3 4 5 6 7 8 9; do
  printf '{"name": "S%s", "objects": []}\n' "$i" > "$work/slow$i.json"
  lp_ -d slow "$work/slow$i.json"
done
sleep 4
check "nothing arrives while the printer accepts nothing" test "$(spooler_received slow | wc -l)" -eq 0
check "the jobs wait in the queue" test "$(not_completed slow)" -eq 10
check "the waiting queue stays enabled" enabled slow
spooler_release slow
check "once the printer reads, every job arrives" spooler_wait slow 10 60
check "in order" test "$(form_names slow | tr '\n' ' ')" = "S0 S1 S2 S3 S4 S5 S6 S7 S8 S9 "
check "and no job is left" test "$(not_completed slow)" -eq 0

# The 1,000 jobs: each arrives once, in its client's order.
for pid in "${clients[@]}"; do
  check "a client sent 500 jobs" wait "$pid"
done
check "1,000 jobs arrive" spooler_wait bulk 1000 $((limit - SECONDS - 5))
echo "$(spooler_received bulk | wc -l) of 1,000 jobs arrived in $((SECONDS - bulk_start)) s"
in_order() {
  local client
  form_names bulk > "$work/arrived"
  for client in A B; do
    grep "^$client" "$work/arrived" | diff -q - <(seq -f "$client%03g" 0 499) > /dev/null || return 1
  done
  [ "$(wc -l < "$work/arrived")" -eq 1000 ]
}
check "each job arrived exactly once, in its client's order" in_order

echo "spooler: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
