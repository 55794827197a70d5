#!/usr/bin/env bash
# check-install.sh BUILD_DIR CONSUMER_DIR LIBDIR CXX CMAKE EXTRA_FLAGS native|cross
set -euo pipefail
build=$1 consumer=$2 libdir=$3 cxx=$4 cmake=$5 flags=$6 mode=$7
if [ "$mode" = cross ]; then
  echo "cross build: the installed library cannot be linked into a host program; skipped"
  exit 77
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

printf 'REM L1 FORM BEGIN\r\nCLS\r\nDPI = 203\r\nFONT$ = "1"\r\nFH = 8\r\nFV = 12\r\nREM SCALE 203,203\r\nPRINT 1\r\nREM L1 FORM END\r\n' \
  > "$tmp/expected.txt"

prefix=$tmp/prefix
"$cmake" --install "$build" --prefix "$prefix" > "$tmp/install.log" || { cat "$tmp/install.log"; fail "cmake --install"; }

lib=$prefix/$libdir
for f in include/quillon/quillon.h include/quillon/Label.h include/quillon/Enums.h include/quillon/Export.h \
         "$libdir/cmake/quillon/quillonConfig.cmake" "$libdir/cmake/quillon/quillonConfigVersion.cmake" \
         "$libdir/cmake/quillon/quillonTargets.cmake" "$libdir/pkgconfig/quillon.pc"; do
  [ -f "$prefix/$f" ] || fail "not installed: $f"
done
[ "$(readlink "$lib/libquillon.so")" = libquillon.so.1 ] || fail "libquillon.so does not point to libquillon.so.1"
[ "$(readlink "$lib/libquillon.so.1")" = libquillon.so.1.0.0 ] || fail "libquillon.so.1 does not point to libquillon.so.1.0.0"
[ -f "$lib/libquillon.so.1.0.0" ] && [ ! -L "$lib/libquillon.so.1.0.0" ] || fail "libquillon.so.1.0.0 missing"
soname=$(LC_ALL=C readelf -d "$lib/libquillon.so.1.0.0" | sed -n 's/.*Library soname: \[\(.*\)\]/\1/p')
[ "$soname" = libquillon.so.1 ] || fail "SONAME is '$soname', not libquillon.so.1"
srcroot=$(cd "$consumer/../../.." && pwd)
if grep -rqF -e "$build" -e "$srcroot" "$prefix/$libdir/cmake" "$prefix/$libdir/pkgconfig"; then
  fail "installed package files refer to the build or source tree"
fi

# Runs a consumer program against the library in $1 and compares its output.
run_consumer() {
  local exe=$1 libpath=$2 what=$3
  LD_LIBRARY_PATH=$libpath "$exe" > "$tmp/out.txt" || fail "$what: consumer exited with $?"
  cmp -s "$tmp/expected.txt" "$tmp/out.txt" || { diff <(cat -A "$tmp/expected.txt") <(cat -A "$tmp/out.txt") >&2 || true; fail "$what: wrong label text"; }
  echo "ok: $what"
}

build_with_cmake() {
  local pfx=$1 dir=$2
  "$cmake" -S "$consumer" -B "$dir" -DCMAKE_PREFIX_PATH="$pfx" -DCMAKE_CXX_COMPILER="$cxx" \
           -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" > "$dir.log" 2>&1 &&
    "$cmake" --build "$dir" >> "$dir.log" 2>&1 || { cat "$dir.log" >&2; fail "CMake consumer build against $pfx"; }
}

build_with_pkgconfig() {
  local pfx=$1 out=$2 pcflags
  pcflags=$(PKG_CONFIG_PATH="$pfx/$libdir/pkgconfig" PKG_CONFIG_LIBDIR= pkg-config --cflags --libs quillon) ||
    fail "pkg-config does not find quillon in $pfx"
  # shellcheck disable=SC2086
  "$cxx" -std=c++17 $flags "$consumer/main.cpp" -o "$out" $pcflags || fail "pkg-config consumer build against $pfx"
}

build_with_cmake "$prefix" "$tmp/cmake-build"
run_consumer "$tmp/cmake-build/consumer" "$lib" "find_package(quillon) consumer"
build_with_pkgconfig "$prefix" "$tmp/pc-consumer"
run_consumer "$tmp/pc-consumer" "$lib" "pkg-config consumer"

# The preview library, when the build has it: its SONAME, and a program that
# draws a label through pkg-config quillon-preview.
if [ -f "$lib/libquillon-preview.so.1.0.0" ]; then
  soname=$(LC_ALL=C readelf -d "$lib/libquillon-preview.so.1.0.0" | sed -n 's/.*Library soname: \[\(.*\)\]/\1/p')
  [ "$soname" = libquillon-preview.so.1 ] || fail "preview SONAME is '$soname', not libquillon-preview.so.1"
  [ -f "$prefix/include/quillon/Preview.h" ] || fail "not installed: include/quillon/Preview.h"
  printf '%s\n' '#include <quillon/Preview.h>' '#include <iostream>' \
    'int main() { quillon::Label l(quillon::Language::Vorn, 203, quillon::Unit::Inch);' \
    '  quillon::LineOptions o; o.endX = 1; o.thickness = 0.1f; l.line(o);' \
    '  quillon::PreviewImage i = l.preview(); std::cout << i.width << "x" << i.height << "\n"; }' > "$tmp/preview.cpp"
  pcflags=$(PKG_CONFIG_PATH="$prefix/$libdir/pkgconfig" PKG_CONFIG_LIBDIR= pkg-config --cflags --libs quillon-preview) ||
    fail "pkg-config does not find quillon-preview in $prefix"
  # shellcheck disable=SC2086
  "$cxx" -std=c++17 $flags "$tmp/preview.cpp" -o "$tmp/preview" $pcflags || fail "preview consumer build"
  [ "$(LD_LIBRARY_PATH=$lib "$tmp/preview")" = "235x52" ] || fail "preview consumer: wrong picture size"
  echo "ok: pkg-config quillon-preview consumer"
fi

# Relocation: nothing in the installed files may depend on where they were put.
moved=$tmp/elsewhere/deeper
mkdir -p "$(dirname "$moved")"
mv "$prefix" "$moved"
build_with_cmake "$moved" "$tmp/cmake-build-moved"
run_consumer "$tmp/cmake-build-moved/consumer" "$moved/$libdir" "find_package(quillon) consumer, prefix moved"
build_with_pkgconfig "$moved" "$tmp/pc-consumer-moved"
run_consumer "$tmp/pc-consumer-moved" "$moved/$libdir" "pkg-config consumer, prefix moved"
echo "install package: all checks passed"
