#!/usr/bin/env bash
# Builds the Debian package, installs it, runs the installed tool and builds
# a host program against the installed headers, CMake package and quillon.pc.
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

cmake -S "$root" -B "$work/build" -DCMAKE_BUILD_TYPE=Release -DQUILLON_BUILD_TESTS=OFF \
      -DQUILLON_BUILD_BENCH=OFF >/dev/null
cmake --build "$work/build" -j2 --target quillon quillon_cli
(cd "$work/build" && cpack -G DEB >/dev/null)
deb=$(ls "$work"/build/quillon_*.deb)
echo "package: $(basename "$deb")"
check "package holds the library, headers, CMake package, quillon.pc and the tool" \
  bash -c "dpkg-deb -c '$deb' | grep -q 'usr/lib/.*libquillon.so.1' &&
           dpkg-deb -c '$deb' | grep -q 'usr/include/quillon/quillon.h' &&
           dpkg-deb -c '$deb' | grep -q 'quillonConfig.cmake' &&
           dpkg-deb -c '$deb' | grep -q 'pkgconfig/quillon.pc' &&
           dpkg-deb -c '$deb' | grep -q 'usr/bin/quillon'"
check "dpkg -i" dpkg -i "$deb"
check "quillon demo (VORN)" bash -c "quillon demo | grep -q 'FORM BEGIN'"
check "quillon demo --lang kesh" bash -c "quillon demo --lang kesh | grep -q '~CREATE;SHIP1;X'"

# A host program built against the installed package, both ways.
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

dpkg -P quillon >/dev/null || true
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
