cmake_minimum_required(VERSION 3.25)
# Fails when program code includes the editor's test door: the door reaches
# the whole state past the Editor's operations and edit scopes, which only
# tests, benchmarks and tools that lay out a state may do.
#   SRC_DIR  src
file(GLOB_RECURSE files "${SRC_DIR}/*.h" "${SRC_DIR}/*.cpp")
set(offenders "")
foreach(f ${files})
  if(f MATCHES "/editor_test_door\\.h$")
    continue()
  endif()
  file(STRINGS "${f}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*/)?editor_test_door\\.h[>\"]")
  if(lines)
    list(APPEND offenders "${f}")
  endif()
endforeach()
list(LENGTH files checked)
if(offenders)
  string(REPLACE ";" "\n" offenders "${offenders}")
  message(FATAL_ERROR "Program code includes the editor's test door:\n${offenders}")
endif()
message(STATUS "${checked} source files checked, none includes the editor's test door")
