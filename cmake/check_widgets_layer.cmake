# Fails when a file under src/ui/widgets includes a window header from
# outside the widgets and the services: the small widget classes sit below
# the main window, the areas and the dialogs, are handed the editor and the
# actions they need, and must not reach up into what is built from them.
file(GLOB_RECURSE widget_files "${UI_DIR}/widgets/*.h" "${UI_DIR}/widgets/*.cpp")
set(offenders "")
list(LENGTH widget_files checked)
foreach(f ${widget_files})
  file(STRINGS "${f}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](ui/|\\.\\./)")
  foreach(line ${lines})
    if(NOT line MATCHES "[<\"]ui/(widgets|services)/")
      list(APPEND offenders "${f}: ${line}")
    endif()
  endforeach()
endforeach()
if(checked EQUAL 0)
  message(FATAL_ERROR "No widget files found under ${UI_DIR}/widgets")
endif()
if(offenders)
  string(REPLACE ";" "\n" offenders "${offenders}")
  message(FATAL_ERROR "A widget includes a window header above the widgets:\n${offenders}")
endif()
message(STATUS "${checked} widget files checked, none includes a window header above them")
