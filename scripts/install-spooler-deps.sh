#!/usr/bin/env bash
# Installs what the spooler test and benchmark need besides the build: CUPS
# (the daemon and its socket backend), its clients and ipptool. Installing
# starts no daemon of ours; the test runs a private one. Safe to run again.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive

packages=(cups cups-client cups-ipp-utils python3)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  apt-get update
  apt-get install -y --no-install-recommends "${missing[@]}"
fi
