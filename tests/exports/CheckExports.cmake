# Compares the defined dynamic symbols of the built library with the checked-in
# list and prints both differences. Run as
#   cmake -DNM=nm -DLIBRARY=<libquillon.so.1.0.0> -DEXPECTED=<list> -P CheckExports.cmake
# VERSION: the library's version node, QUILLON_1 unless given.
if(NOT DEFINED VERSION)
  set(VERSION QUILLON_1)
endif()
foreach(var NM LIBRARY EXPECTED)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "CheckExports.cmake needs -D${var}=...")
  endif()
endforeach()

execute_process(COMMAND ${NM} -D --defined-only --format=just-symbols ${LIBRARY}
                OUTPUT_VARIABLE nm_out RESULT_VARIABLE nm_rc ERROR_VARIABLE nm_err)
if(NOT nm_rc EQUAL 0)
  message(FATAL_ERROR "${NM} failed on ${LIBRARY}: ${nm_err}")
endif()

# One list element per line; the version node itself is not a symbol.
string(REGEX REPLACE "\n+$" "" nm_out "${nm_out}")
string(REPLACE ";" "\\;" nm_out "${nm_out}")
string(REPLACE "\n" ";" actual "${nm_out}")
list(REMOVE_ITEM actual ${VERSION})
list(SORT actual)

file(STRINGS ${EXPECTED} expected)
list(FILTER expected EXCLUDE REGEX "^[ \t]*$")
list(SORT expected)

set(extra ${actual})
list(REMOVE_ITEM extra ${expected})
set(missing ${expected})
list(REMOVE_ITEM missing ${actual})

# Every symbol must carry the library's version node: an unversioned export
# means the linker version script was bypassed.
set(unversioned ${actual})
list(FILTER unversioned EXCLUDE REGEX "@@${VERSION}$")

if(extra OR missing OR unversioned)
  set(report "Exported symbols of ${LIBRARY} differ from ${EXPECTED}:\n")
  foreach(s IN LISTS extra)
    string(APPEND report "+ ${s}  (exported, not listed)\n")
  endforeach()
  foreach(s IN LISTS missing)
    string(APPEND report "- ${s}  (listed, not exported)\n")
  endforeach()
  foreach(s IN LISTS unversioned)
    string(APPEND report "! ${s}  (exported without the ${VERSION} version)\n")
  endforeach()
  string(APPEND report "Add a new entry point to cmake/quillon.map and to the list; the list is\n"
                       "  nm -D --defined-only --format=just-symbols build/src/libquillon.so | grep -vx QUILLON_1 | LC_ALL=C sort\n")
  message(NOTICE "${report}")
  message(FATAL_ERROR "exported symbols differ")
endif()
list(LENGTH actual n)
message(STATUS "${n} exported symbols match ${EXPECTED}")
