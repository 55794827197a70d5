#!/usr/bin/env bash
# Throughput of `quillon send` to a TCP sink on this machine against the
# shell's `cat job > /dev/tcp/HOST/PORT`, in one run: a 20,000-label job
# (the shipping label of the demo, VORN, about 20.8 MB). The sink times
# each connection from accept to the end of the stream, the same way for
# both senders, and checks that every byte arrived; the tool's whole run
# (reading and rendering the labels first) is timed apart. Reports medians
# of RUNS interleaved runs.
#   bench/bench_send.sh [TOOL] [RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tool=${1:-$root/build/tools/quillon/quillon}
runs=${2:-7}
work=$(mktemp -d)
sink_pid=
cleanup() {
  [ -n "$sink_pid" ] && kill "$sink_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

label=$(tr '\n' ' ' < "$root/examples/shipping.json")
for _ in $(seq 20000); do echo "$label"; done > "$work/labels.jsonl"
"$tool" render "$work/labels.jsonl" -o "$work/job.prn" 2>/dev/null
bytes=$(stat -c %s "$work/job.prn")

# One connection at a time; each count is written where the script reads it.
python3 - "$work" <<'PY' &
import os, socket, sys, time
work = sys.argv[1]
s = socket.socket()
s.bind(("127.0.0.1", 0))
s.listen(1)
open(os.path.join(work, "port.tmp"), "w").write(str(s.getsockname()[1]))
os.rename(os.path.join(work, "port.tmp"), os.path.join(work, "port"))
buffer = bytearray(1 << 20)
while True:
    c, _ = s.accept()
    start = time.perf_counter()
    n = 0
    while True:
        got = c.recv_into(buffer)
        if not got:
            break
        n += got
    seconds = time.perf_counter() - start
    c.close()
    open(os.path.join(work, "count.tmp"), "w").write(f"{n} {seconds:.6f}\n")
    os.rename(os.path.join(work, "count.tmp"), os.path.join(work, "count"))
PY
sink_pid=$!
while [ ! -e "$work/port" ]; do sleep 0.05; done
port=$(cat "$work/port")

now() { date +%s.%N; }
# Waits for the sink's figures of the last connection, checks the count and
# adds the stream's time to the file $1.
received() {
  while [ ! -e "$work/count" ]; do sleep 0.01; done
  local n seconds; read -r n seconds < "$work/count"; rm -f "$work/count"
  [ "$n" = "$bytes" ] || echo "  warning: the sink received $n of $bytes bytes" >&2
  echo "$seconds" >> "$1"
}

: > "$work/cat"; : > "$work/send"; : > "$work/whole"
for _ in $(seq "$runs"); do
  cat "$work/job.prn" > "/dev/tcp/127.0.0.1/$port"
  received "$work/cat"
  t0=$(date +%s.%N)
  "$tool" send "$work/labels.jsonl" --to "tcp://127.0.0.1:$port" 2>/dev/null
  t1=$(date +%s.%N)
  received "$work/send"
  awk -v a="$t0" -v b="$t1" 'BEGIN {print b - a}' >> "$work/whole"
done
median() { sort -n "$1" | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
awk -v bytes="$bytes" -v runs="$runs" -v c="$(median "$work/cat")" -v s="$(median "$work/send")" \
    -v w="$(median "$work/whole")" 'BEGIN {
  printf "job: 20,000 labels, %d bytes; medians of %d interleaved runs\n", bytes, runs
  printf "cat > /dev/tcp       stream %.3f s  %5.0f MB/s\n", c, bytes / c / 1e6
  printf "quillon send         stream %.3f s  %5.0f MB/s  %.2fx the time of cat\n", s, bytes / s / 1e6, s / c
  printf "quillon send, whole run %.3f s (reads and renders the labels before it connects)\n", w
}'
