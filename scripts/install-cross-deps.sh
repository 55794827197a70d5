#!/usr/bin/env bash
# Installs what the aarch64 cross build needs on a Debian 12 x86-64 host:
# the cross compiler, qemu to run the test binaries, and the arm64 builds of
# the libraries the project links (Debian multiarch). Safe to run again.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive

bash "$(dirname "$0")/install-deps.sh"

need_update=no
if ! dpkg --print-foreign-architectures | grep -qx arm64; then
  dpkg --add-architecture arm64
  need_update=yes
fi

packages=(
  g++-aarch64-linux-gnu qemu-user
  libgtest-dev:arm64 libgmock-dev:arm64 libbenchmark-dev:arm64
  libusb-1.0-0-dev:arm64 libpango1.0-dev:arm64 libcairo2-dev:arm64 libbluetooth-dev:arm64
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  need_update=yes
fi
if [ "$need_update" = yes ]; then
  apt-get update
fi
if [ ${#missing[@]} -gt 0 ]; then
  apt-get install -y --no-install-recommends --no-remove "${missing[@]}"
fi
