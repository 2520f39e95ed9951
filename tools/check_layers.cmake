# Run by the build for each layer's library: refuses an include of a folder above the layer, and
# GUI headers below the widgets.
#   cmake -DLAYER=name -DALLOWED="ticket;serial" -DFILES="a.cpp;a.h" -DSTAMP=file -P check_layers.cmake
cmake_minimum_required(VERSION 3.16)
set(faults "")
foreach(file ${FILES})
  file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]+/[^\"]+\"")
  foreach(line ${includes})
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"/]+)/.*" "\\1" folder "${line}")
    if(NOT folder IN_LIST ALLOWED)
      string(APPEND faults "\n  ${file}: ${line}")
    endif()
  endforeach()
  # Below the widgets, Qt's GUI modules are not on the include path; a module-qualified include
  # would still find them, so it is refused here.
  if(LAYER MATCHES "^(base|link|protocol|cli)$")
    file(STRINGS ${file} gui REGEX "^[ \t]*#[ \t]*include[ \t]*<Qt(Gui|Widgets)/")
    foreach(line ${gui})
      string(APPEND faults "\n  ${file}: ${line} (GUI code)")
    endforeach()
  endif()
endforeach()
if(faults)
  message(FATAL_ERROR "The ${LAYER} layer may include only ${ALLOWED}:${faults}")
endif()
file(WRITE ${STAMP} "")
