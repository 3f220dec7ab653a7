# A shipped DLL: no "lib" prefix, exports from its .def file, warnings on.
function(add_deliverable name)
  cmake_parse_arguments(D "" "DEF" "SOURCES" ${ARGN})
  add_library(${name} SHARED ${D_SOURCES} ${D_DEF})
  set_target_properties(${name} PROPERTIES PREFIX "" IMPORT_PREFIX "")
  target_link_libraries(${name} PRIVATE project_warnings)
endfunction()
