#!/usr/bin/env bash
# Installs every Debian 12 package the project needs to build, test and
# benchmark natively, and any further packages named as arguments (the
# spooler test's CUPS, for one). Safe to run again; installs only what is
# missing.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive

packages=(
  build-essential cmake pkg-config git
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libusb-1.0-0-dev libpango1.0-dev libcairo2-dev fontconfig fonts-dejavu-core fonts-wqy-microhei
  libbluetooth-dev umockdev libumockdev-dev
  iproute2
  libcli11-dev rapidjson-dev libfontconfig-dev libzint-dev libzxing-dev
  clang libclang-rt-14-dev valgrind python3
  python3-jsonschema dpkg-dev help2man lintian
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  apt-get update
  apt-get install -y --no-install-recommends "${missing[@]}"
fi
