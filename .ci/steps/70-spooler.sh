#!/usr/bin/env bash
# Label files printed through a private cupsd with the quillon-label filter
# and queues, to printers that are listeners on loopback ports. The machine's
# own CUPS is neither used nor touched.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
# CUPS with its socket backend, its clients and ipptool (installing starts
# no daemon the test uses).
bash "$root/scripts/install-deps.sh" cups cups-client cups-ipp-utils
# The build of scripts/test.sh, when it is there.
cmake -S "$root" -B "$root/build" -DQUILLON_WERROR=ON -DQUILLON_BUILD_TESTS=ON > /dev/null
cmake --build "$root/build" -j2 --target quillon_cli quillon_label_filter
# The test bounds itself; this is the backstop.
timeout -k 10 185 bash "$root/tests/spooler/spooler-test.sh" "$root/build"
