# Cross build for 64-bit Arm Linux on a Debian x86-64 host with multiarch
# (scripts/install-cross-deps.sh installs what it needs):
#   cmake -S . -B build-aarch64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-aarch64.cmake
# ctest then runs the aarch64 test binaries through qemu user emulation.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(QUILLON_CROSS_TRIPLE aarch64-linux-gnu)

set(CMAKE_C_COMPILER ${QUILLON_CROSS_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${QUILLON_CROSS_TRIPLE}-g++)
set(CMAKE_LIBRARY_ARCHITECTURE ${QUILLON_CROSS_TRIPLE})

# With the library architecture set, find_library and find_package look in
# /usr/lib/aarch64-linux-gnu, where multiarch puts the arm64 packages.

# pkg-config must see the arm64 .pc files, never the host's.
set(ENV{PKG_CONFIG_LIBDIR} "/usr/lib/${QUILLON_CROSS_TRIPLE}/pkgconfig:/usr/share/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")

# Multiarch installs the arm64 loader and libraries where the binaries look
# for them, so qemu needs no sysroot. Only without them fall back to the
# cross toolchain's C library (slow: qemu then maps every path through it,
# and libusb's event thread has been seen to hang that way).
find_program(QUILLON_QEMU_AARCH64 qemu-aarch64)
if(QUILLON_QEMU_AARCH64)
  if(EXISTS /lib/ld-linux-aarch64.so.1)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${QUILLON_QEMU_AARCH64})
  else()
    set(CMAKE_CROSSCOMPILING_EMULATOR ${QUILLON_QEMU_AARCH64} -L /usr/${QUILLON_CROSS_TRIPLE})
  endif()
endif()
