cmake_minimum_required(VERSION 3.25)
# Fails when a file of the image loader includes more than the core, its own
# files and Qt Core or Qt Gui: the command line and the fuzz target take it
# without the widgets or a window. A Qt header counts as Core or Gui when it
# is named by one of those modules' folders (<QtGui/QImage>, <QtCore>) or is
# a file in one of them (<QImage>, <QtGlobal>, <qimage.h>); any other Qt
# header (QWidget, QApplication, <QtWidgets/...>, QtNetwork, ...) fails, so
# the rule needs no list of Widgets classes. Quoted includes are paths from
# src: core/, qt_support/ and image_io/ only, never ui/ or cli/.
#   IMAGE_IO_DIR  src/image_io
#   QT_CORE_DIR   the QtCore header folder
#   QT_GUI_DIR    the QtGui header folder
foreach(dir IMAGE_IO_DIR QT_CORE_DIR QT_GUI_DIR)
  if(NOT IS_DIRECTORY "${${dir}}")
    message(FATAL_ERROR "${dir} is not a folder: '${${dir}}'")
  endif()
endforeach()

file(GLOB_RECURSE files "${IMAGE_IO_DIR}/*.h" "${IMAGE_IO_DIR}/*.cpp")
set(offenders "")
set(checked 0)
foreach(f ${files})
  math(EXPR checked "${checked} + 1")
  file(STRINGS "${f}" lines REGEX "^[ \t]*#[ \t]*include")
  foreach(line ${lines})
    if(line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
      set(path "${CMAKE_MATCH_1}")
      if(NOT path MATCHES "^(core|qt_support|image_io)/")
        list(APPEND offenders "${f} includes \"${path}\": only core/, qt_support/ and image_io/")
      endif()
    elseif(line MATCHES "#[ \t]*include[ \t]*<([^>]+)>")
      set(header "${CMAKE_MATCH_1}")
      if(header MATCHES "^(Qt[A-Za-z0-9]*)/")
        if(NOT CMAKE_MATCH_1 MATCHES "^Qt(Core|Gui)$")
          list(APPEND offenders "${f} includes <${header}>, outside Qt Core and Qt Gui")
        endif()
      elseif(header MATCHES "^(Q[A-Za-z0-9_]*|q[a-z0-9_]+\\.h)$")
        if(NOT EXISTS "${QT_CORE_DIR}/${header}" AND NOT EXISTS "${QT_GUI_DIR}/${header}")
          list(APPEND offenders "${f} includes <${header}>, outside Qt Core and Qt Gui")
        endif()
      endif()
    else()
      list(APPEND offenders "${f}: an include this check cannot read: ${line}")
    endif()
  endforeach()
endforeach()

if(checked EQUAL 0)
  message(FATAL_ERROR "No file found under ${IMAGE_IO_DIR}")
endif()
if(offenders)
  string(REPLACE ";" "\n" report "${offenders}")
  message(FATAL_ERROR "The image loader reaches past Qt Gui and the core:\n${report}")
endif()
message(STATUS "${checked} image loader files checked, each includes only the core, "
               "the loader and Qt Core or Qt Gui")
