# Three Debian packages from one build, split as Debian splits a library:
#   libquillon1     the shared library
#   libquillon-dev  headers, the CMake package, quillon.pc and the libquillon.so link
#   quillon         the command-line tool, its manual page, bash completion and docs,
#                   and the CUPS filter, MIME type and PPD files
# Configure with -DCMAKE_INSTALL_PREFIX=/usr, so that the library goes to the
# multiarch directory (lib/x86_64-linux-gnu), then run `cpack -G DEB`.
set(CPACK_GENERATOR "DEB")
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL runtime dev tool)
set(CPACK_PACKAGE_NAME "quillon")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_CONTACT "quillon developers <quillon@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://quillon.invalid/")
# Runtime dependencies (libusb, pango, cairo, ...) are read from the
# binaries; the tool's dependency on the library comes from its shlibs file.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS "${PROJECT_BINARY_DIR}/src")
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY "=")

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME "libquillon1")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION "libs")
# The library cache is refreshed by a trigger, as Debian asks of a library.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA "${PROJECT_SOURCE_DIR}/packaging/triggers")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION
    "label command text for thermal label printers (library)\n The shared library: labels described through plain exported functions become\n printer command text in either of two printer languages; printers are reached\n over USB, TCP, Bluetooth RFCOMM or a serial port.")
set(CPACK_DEBIAN_DEV_PACKAGE_NAME "libquillon-dev")
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION "libdevel")
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "libquillon1 (= ${PROJECT_VERSION})")
set(CPACK_COMPONENT_DEV_DESCRIPTION
    "label command text for thermal label printers (development files)\n Headers, the CMake package and the pkg-config file for building programs\n against libquillon.")
set(CPACK_DEBIAN_TOOL_PACKAGE_NAME "quillon")
set(CPACK_DEBIAN_TOOL_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_TOOL_PACKAGE_SUGGESTS "cups")
set(CPACK_COMPONENT_TOOL_DESCRIPTION
    "label command text for thermal label printers (command-line tool)\n quillon renders label files (JSON) to printer command text, sends them to a\n printer, stores host-rendered text in a printer and lists USB printers. With\n CUPS, its filter, MIME type and PPD files print label files through queues.")
include(CPack)
