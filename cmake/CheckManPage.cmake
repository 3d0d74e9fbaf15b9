# Renders one manual page with groff's man macros and every warning on, and
# fails on any warning or error, so that a page that man would show garbled
# (an unknown macro, a bad escape, a line that cannot be broken) never ships.
#
# Usage: cmake -DPAGE=<page.N> -P CheckManPage.cmake
# Without groff it says "groff is not installed", which the test takes as skipped.
find_program(GROFF groff)
if(NOT GROFF)
  message("groff is not installed: ${PAGE} not rendered")
  return()
endif()
execute_process(COMMAND ${GROFF} -man -ww -z ${PAGE}
                RESULT_VARIABLE result
                OUTPUT_VARIABLE output
                ERROR_VARIABLE errors)
if(NOT result EQUAL 0 OR NOT errors STREQUAL "" OR NOT output STREQUAL "")
  message(FATAL_ERROR "groff -man -ww -z ${PAGE} (exit ${result}):\n${output}${errors}")
endif()
message("${PAGE}: no warnings")
