# A private cupsd for the spooler test and benchmark; sourced, not run.
# Nothing of the machine's own CUPS is used or touched: configuration, port,
# spool, logs and ServerBin are all under one scratch directory, and every
# process started here is stopped by spooler_stop.
#
#   spooler_start BUILD_DIR SOURCE_DIR   sets SPOOLER_DIR and SPOOLER_HOST
#   spooler_listen NAME [hold]           a printer on 127.0.0.2; sets LISTEN_PORT
#   spooler_queue NAME PORT [lpadmin options...]
#   spooler_received NAME                files the printer NAME has received
#   spooler_wait NAME COUNT SECONDS      waits for COUNT files at NAME
#   spooler_stop

SPOOLER_PIDS=()

spooler_start() {
  local build=$1 source=$2 d
  # cupsd checks that the programs it runs and their directories belong to
  # root and are not writable by others; the job user lp must reach them.
  SPOOLER_DIR=$(mktemp -d /tmp/quillon-spooler.XXXXXX)
  d=$SPOOLER_DIR
  chmod 755 "$d"
  mkdir -p "$d"/{etc/ppd,bin/filter,spool/tmp,cache,run,log,printers}
  for sub in backend cgi-bin daemon monitor notifier; do
    ln -s "/usr/lib/cups/$sub" "$d/bin/$sub"
  done
  install -m 755 "$build/tools/cups/quillon-label" "$d/bin/filter/quillon-label"
  cp "$source/tools/cups/quillon.types" "$source/tools/cups/quillon.convs" "$d/etc/"
  chown root:lp "$d/spool" "$d/spool/tmp"
  chmod 770 "$d/spool" "$d/spool/tmp"

  local port
  port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
  SPOOLER_HOST=127.0.0.1:$port
  cat > "$d/etc/cups-files.conf" <<EOF
ServerRoot $d/etc
ServerBin $d/bin
RequestRoot $d/spool
TempDir $d/spool/tmp
CacheDir $d/cache
StateDir $d/run
ErrorLog $d/log/error_log
AccessLog $d/log/access_log
PageLog $d/log/page_log
User lp
Group lp
SystemGroup root
SyncOnClose No
EOF
  cat > "$d/etc/cupsd.conf" <<EOF
Listen $SPOOLER_HOST
Listen $d/run/cups.sock
LogLevel warn
Browsing No
WebInterface No
MaxJobs 0
PreserveJobHistory No
PreserveJobFiles No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
  cupsd -f -c "$d/etc/cupsd.conf" -s "$d/etc/cups-files.conf" \
    > "$d/log/cupsd.out" 2>&1 &
  SPOOLER_PIDS+=($!)
  local i
  for i in $(seq 100); do
    lpstat -h "$SPOOLER_HOST" -r > /dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "private cupsd did not start:" >&2
  cat "$d/log/cupsd.out" "$d/log/error_log" >&2 2> /dev/null
  return 1
}

spooler_listen() {
  local name=$1 hold=${2:-} i
  mkdir -p "$SPOOLER_DIR/printers/$name"
  [ -z "$hold" ] || touch "$SPOOLER_DIR/printers/$name.hold"
  python3 "$(dirname "${BASH_SOURCE[0]}")/listener.py" 127.0.0.2 "$SPOOLER_DIR/printers/$name" \
    "$SPOOLER_DIR/printers/$name.hold" > "$SPOOLER_DIR/printers/$name.port" &
  SPOOLER_PIDS+=($!)
  # The port file may not be there yet; a failed cat must not end a caller
  # that runs under set -e.
  for i in $(seq 100); do
    LISTEN_PORT=$(cat "$SPOOLER_DIR/printers/$name.port" 2> /dev/null || true)
    [ -z "$LISTEN_PORT" ] || return 0
    sleep 0.05
  done
  return 1
}

# The socket backend asks the printer for its state over SNMP before it
# connects, which costs seconds at a printer without SNMP; snmp=false skips it.
spooler_queue() {
  local name=$1 port=$2
  shift 2
  lpadmin -h "$SPOOLER_HOST" -p "$name" -E -v "socket://127.0.0.2:$port/?snmp=false" "$@" 2>&1 |
    grep -v 'drivers are deprecated' >&2 || true
  lpstat -h "$SPOOLER_HOST" -p "$name" > /dev/null
}

spooler_received() {
  find "$SPOOLER_DIR/printers/$1" -maxdepth 1 -type f ! -name '*.part' | sort
}

spooler_wait() {
  local name=$1 count=$2 seconds=$3 start=$SECONDS
  while [ "$(spooler_received "$name" | wc -l)" -lt "$count" ]; do
    [ $((SECONDS - start)) -lt "$seconds" ] || return 1
    sleep 0.1
  done
}

spooler_release() {
  rm -f "$SPOOLER_DIR/printers/$1.hold"
}

spooler_stop() {
  local pid i
  for pid in "${SPOOLER_PIDS[@]}"; do kill "$pid" 2> /dev/null || true; done
  for pid in "${SPOOLER_PIDS[@]}"; do
    for i in $(seq 50); do
      kill -0 "$pid" 2> /dev/null || break
      sleep 0.1
    done
    kill -9 "$pid" 2> /dev/null || true
    wait "$pid" 2> /dev/null || true
  done
  SPOOLER_PIDS=()
  [ -z "${SPOOLER_DIR:-}" ] || rm -rf "$SPOOLER_DIR"
}
