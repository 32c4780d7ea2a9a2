cmake_minimum_required(VERSION 3.25)
# Fails when a file under src/ui outside src/ui/app includes anything of
# src/ui/app, by whatever path ("ui/app/...", "../app/...", <ui/app/...>), or
# the main window's header by any path: app/ is the composition root, and the
# areas, dialogs, widgets and services are handed the editor, the services,
# their actions and their controls by type. The services are also kept below
# the areas, the dialogs and the widgets, which every one of them may use.
#   UI_DIR  src/ui
get_filename_component(src_dir "${UI_DIR}/.." ABSOLUTE)
set(app_dir "${src_dir}/ui/app")
set(areas files export skin selection dialogs widgets)

# Whether `path` lies in `dir` (string comparison: a folder name may hold
# characters a regular expression would read).
function(lies_in out path dir)
  string(FIND "${path}" "${dir}/" at)
  if(at EQUAL 0)
    set(${out} TRUE PARENT_SCOPE)
  else()
    set(${out} FALSE PARENT_SCOPE)
  endif()
endfunction()

file(GLOB_RECURSE ui_files "${UI_DIR}/*.h" "${UI_DIR}/*.cpp")
set(offenders "")
set(checked 0)
foreach(f ${ui_files})
  file(RELATIVE_PATH relative "${UI_DIR}" "${f}")
  if(relative MATCHES "^app/")
    continue()
  endif()
  string(REGEX MATCH "^[^/]+" folder "${relative}")
  get_filename_component(f_dir "${f}" DIRECTORY)
  math(EXPR checked "${checked} + 1")
  file(STRINGS "${f}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  foreach(line ${lines})
    string(REGEX MATCH "[<\"]([^>\"]+)[>\"]" _ "${line}")
    set(path "${CMAKE_MATCH_1}")
    # Where the path leads, from src and from the including file's folder.
    get_filename_component(from_src "${src_dir}/${path}" ABSOLUTE)
    get_filename_component(from_here "${f_dir}/${path}" ABSOLUTE)
    lies_in(src_in_app "${from_src}" "${app_dir}")
    lies_in(here_in_app "${from_here}" "${app_dir}")
    if(src_in_app OR here_in_app OR path MATCHES "(^|/)main_window\\.h$")
      list(APPEND offenders "${f} includes ${path}, of src/ui/app")
    elseif(folder STREQUAL "services")
      foreach(area ${areas})
        lies_in(src_in_area "${from_src}" "${src_dir}/ui/${area}")
        lies_in(here_in_area "${from_here}" "${src_dir}/ui/${area}")
        if(src_in_area OR here_in_area)
          list(APPEND offenders "${f} includes ${path}: the services sit below ui/${area}")
        endif()
      endforeach()
    endif()
  endforeach()
endforeach()

if(checked EQUAL 0)
  message(FATAL_ERROR "No window file found outside ${app_dir}")
endif()
if(offenders)
  string(REPLACE ";" "\n" offenders "${offenders}")
  message(FATAL_ERROR "Included against the window layers:\n${offenders}")
endif()
message(STATUS "${checked} window files outside src/ui/app checked, none includes anything "
               "of it, and the services include no area, dialog or widget")
