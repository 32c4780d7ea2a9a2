# Fails when a file of a window area (anything under src/ui outside
# src/ui/app) includes the main window's header, by whatever path: the areas
# are handed the editor, the services, their actions and their controls by
# type, and must never reach back into the main window.
file(GLOB_RECURSE ui_files "${UI_DIR}/*.h" "${UI_DIR}/*.cpp")
set(offenders "")
set(checked 0)
foreach(f ${ui_files})
  file(RELATIVE_PATH relative "${UI_DIR}" "${f}")
  if(relative MATCHES "^app/")
    continue()
  endif()
  math(EXPR checked "${checked} + 1")
  file(STRINGS "${f}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*/)?main_window\\.h[>\"]")
  if(lines)
    list(APPEND offenders "${f}: ${lines}")
  endif()
endforeach()
if(offenders)
  string(REPLACE ";" "\n" offenders "${offenders}")
  message(FATAL_ERROR "The main window's header is included outside src/ui/app:\n${offenders}")
endif()
message(STATUS "${checked} window area files checked, none includes the main window's header")
