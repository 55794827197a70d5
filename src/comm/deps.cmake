# libusb-1.0 for the USB connection and listing; Bluetooth and serial need
# only system headers. Included from src/CMakeLists.txt.
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)
pkg_check_modules(QUILLON_LIBUSB REQUIRED IMPORTED_TARGET libusb-1.0)
target_link_libraries(quillon_objects PUBLIC PkgConfig::QUILLON_LIBUSB Threads::Threads)

# The two known USB vendor ids are fixed when the library is built; 0
# recognises no device.
foreach(var QUILLON_VENDOR_ORLO QUILLON_VENDOR_HLV)
  set(value "${${var}}")
  if(value MATCHES "^0[xX][0-9a-fA-F]+$")
    math(EXPR value "${value}" OUTPUT_FORMAT DECIMAL)
  elseif(NOT value MATCHES "^[0-9]+$")
    message(FATAL_ERROR "${var} must be a USB vendor id (decimal or 0x hexadecimal), got '${value}'")
  endif()
  if(value GREATER 65535)
    message(FATAL_ERROR "${var} must fit in 16 bits, got '${${var}}'")
  endif()
  set(${var}_DECIMAL ${value})
endforeach()
configure_file(${CMAKE_CURRENT_LIST_DIR}/VendorIds.h.in ${CMAKE_CURRENT_BINARY_DIR}/comm/VendorIds.h @ONLY)
