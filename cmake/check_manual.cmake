cmake_minimum_required(VERSION 3.25)
# Fails when troff warns about the manual page: an escape it does not know,
# a register never set, a line it cannot set. What man shows is then what
# the page says.
#   GROFF   the groff program, empty when it is not installed
#   MANUAL  the page
if(NOT GROFF)
  message(STATUS "groff is not installed (scripts/install-deps installs it): manual not checked")
  return()
endif()
execute_process(COMMAND ${GROFF} -ww -z -man ${MANUAL}
                RESULT_VARIABLE result ERROR_VARIABLE warnings)
if(NOT result EQUAL 0 OR NOT warnings STREQUAL "")
  message(FATAL_ERROR "groff -ww -z -man ${MANUAL} warns:\n${warnings}")
endif()
message(STATUS "${MANUAL} sets without a warning")
