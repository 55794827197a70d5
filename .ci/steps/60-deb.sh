#!/usr/bin/env bash
# Builds the three Debian packages, checks them with lintian (no errors
# allowed; warnings are listed), runs the tool from a moved prefix, installs
# them, runs the demo and builds a host program against the installed
# headers, CMake package and quillon.pc.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
bash "$root/scripts/install-deps.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0
check() {
  local what=$1; shift
  if "$@"; then passed=$((passed + 1)); echo "ok: $what"; else failed=$((failed + 1)); echo "FAILED: $what"; fi
}
dpkg -P quillon libquillon-dev libquillon1 >/dev/null 2>&1 || true

cmake -S "$root" -B "$work/build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
      -DQUILLON_BUILD_TESTS=OFF -DQUILLON_BUILD_BENCH=OFF >/dev/null
cmake --build "$work/build" -j2
(cd "$work/build" && cpack -G DEB >/dev/null)
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
lib=$(ls "$work"/build/libquillon1_*.deb)
dev=$(ls "$work"/build/libquillon-dev_*.deb)
tool=$(ls "$work"/build/quillon_*.deb)
echo "packages: $(basename "$lib") $(basename "$dev") $(basename "$tool")"
# grep reads the whole listing: with -q it would stop at the first match and
# dpkg-deb would report its tar killed by a broken pipe.
has() { dpkg-deb -c "$1" | grep "$2" > /dev/null; }
check "libquillon1 holds the library in the multiarch directory, its copyright and changelog" \
  bash -c "$(declare -f has); has '$lib' ./usr/lib/$multiarch/libquillon.so.1 &&
           has '$lib' ./usr/share/doc/libquillon1/copyright && has '$lib' ./usr/share/doc/libquillon1/changelog.gz"
check "libquillon-dev holds headers, the .so link, the CMake package and quillon.pc" \
  bash -c "$(declare -f has); has '$dev' ./usr/include/quillon/quillon.h && has '$dev' ./usr/lib/$multiarch/libquillon.so &&
           has '$dev' quillonConfig.cmake && has '$dev' pkgconfig/quillon.pc"
check "quillon holds the tool, its manual page, bash completion and docs" \
  bash -c "$(declare -f has); has '$tool' ./usr/bin/quillon && has '$tool' man1/quillon.1.gz &&
           has '$tool' completions/quillon && has '$tool' doc/quillon/label-format.md"
check "quillon holds the CUPS filter, its MIME type and conversion, and the PPD files" \
  bash -c "$(declare -f has); has '$tool' ./usr/lib/cups/filter/quillon-label && has '$tool' mime/quillon.types &&
           has '$tool' mime/quillon.convs && has '$tool' ppd/quillon/quillon-vorn.ppd && has '$tool' ppd/quillon/quillon-kesh.ppd"

# lintian: errors fail the step, the rest is listed.
lintian --tag-display-limit 0 "$lib" "$dev" "$tool" > "$work/lintian.txt" 2>&1 || true
echo "lintian:"
sed 's/^/  /' "$work/lintian.txt"
check "lintian reports no error" bash -c "! grep -q '^E:' '$work/lintian.txt'"

# A prefix moved elsewhere: the tool finds the library beside it.
mkdir -p "$work/moved"
dpkg-deb -x "$lib" "$work/moved"
dpkg-deb -x "$tool" "$work/moved"
check "binaries are stripped" bash -c "! readelf -S '$work/moved/usr/bin/quillon' | grep -q '\.symtab'"
check "the tool runs from a moved prefix" bash -c "'$work/moved/usr/bin/quillon' demo | grep -q 'FORM BEGIN'"
# The filter is a static PIE: stripped, it still needs no library and renders.
filter=$work/moved/usr/lib/cups/filter/quillon-label
check "the CUPS filter needs no shared library and renders a label as cupsd runs it" \
  bash -c "! readelf -d '$filter' | grep -q NEEDED &&
           PPD='$work/moved/usr/share/ppd/quillon/quillon-vorn.ppd' '$filter' 1 lp label 1 '' '$root/examples/picture.json' |
             grep -q 'FORM BEGIN'"

check "dpkg -i" dpkg -i "$lib" "$dev" "$tool"
check "quillon demo (VORN)" bash -c "quillon demo | grep -q 'FORM BEGIN'"
check "quillon demo --lang kesh" bash -c "quillon demo --lang kesh | grep -q '~CREATE;SHIP1;X'"

# A host program built against the installed packages, both ways.
mkdir -p "$work/host"
cp "$root/examples/sample_label.cpp" "$work/host/"
cat > "$work/host/CMakeLists.txt" <<'CM'
cmake_minimum_required(VERSION 3.25)
project(host CXX)
set(CMAKE_CXX_STANDARD 17)
find_package(quillon REQUIRED)
add_executable(sample_label sample_label.cpp)
target_link_libraries(sample_label PRIVATE quillon::quillon)
CM
check "CMake host build" bash -c "cmake -S '$work/host' -B '$work/host/build' >/dev/null &&
                                  cmake --build '$work/host/build' >/dev/null"
check "CMake host runs" bash -c "'$work/host/build/sample_label' | grep -q 'PUTPNG,20,20'"
check "pkg-config host build and run" bash -c "g++ -std=c++17 '$work/host/sample_label.cpp' -o '$work/pc_sample' \
      \$(pkg-config --cflags --libs quillon) && '$work/pc_sample' | grep -q 'LOGO'"

dpkg -P quillon libquillon-dev libquillon1 >/dev/null || true
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
