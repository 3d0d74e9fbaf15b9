# Turns the module-definition file into what a POSIX build needs to export
# exactly its list: a linker version script and the ordinal table that
# GetProcAddress by ordinal reads (see winport/ordinals.h).
#
# Usage: cmake -DDEF=<tekora.def> -DMAP=<out.map> -DTABLE=<out.cpp> -P GenerateExports.cmake
file(STRINGS "${DEF}" lines)
set(names)
set(entries)
set(in_exports FALSE)
foreach(line IN LISTS lines)
  string(REGEX REPLACE ";.*$" "" line "${line}")
  string(STRIP "${line}" line)
  if(line STREQUAL "")
    continue()
  endif()
  if(line STREQUAL "EXPORTS")
    set(in_exports TRUE)
    continue()
  endif()
  if(NOT in_exports)
    continue()
  endif()
  # name[=internal] @ordinal [NONAME]
  if(NOT line MATCHES "^([A-Za-z_][A-Za-z0-9_]*)(=([A-Za-z_][A-Za-z0-9_]*))?[ \t]+@([0-9]+)([ \t]+NONAME)?$")
    message(FATAL_ERROR "tekora.def: cannot read export line '${line}'")
  endif()
  set(symbol "${CMAKE_MATCH_1}")
  if(CMAKE_MATCH_3)
    set(symbol "${CMAKE_MATCH_3}")
  endif()
  list(APPEND names "${symbol}")
  string(APPEND entries "    {${CMAKE_MATCH_4}, \"${symbol}\"},\n")
endforeach()
list(REMOVE_DUPLICATES names)

set(map "{\n  global:\n")
foreach(name IN LISTS names)
  string(APPEND map "    ${name};\n")
endforeach()
string(APPEND map "    WinportOrdinalTable;\n  local:\n    *;\n};\n")
file(WRITE "${MAP}.tmp" "${map}")
file(COPY_FILE "${MAP}.tmp" "${MAP}" ONLY_IF_DIFFERENT)

file(WRITE "${TABLE}.tmp" "// Generated from tekora.def; do not edit.
#include <winport/ordinals.h>

extern \"C\" __attribute__((visibility(\"default\"))) const WinportOrdinal WinportOrdinalTable[] = {
${entries}    {0, nullptr},
};
")
file(COPY_FILE "${TABLE}.tmp" "${TABLE}" ONLY_IF_DIFFERENT)
