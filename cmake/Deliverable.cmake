# A shipped DLL: no "lib" prefix, exports from its .def file, warnings on.
function(add_deliverable name)
  cmake_parse_arguments(D "" "DEF" "SOURCES" ${ARGN})
  add_library(${name} SHARED ${D_SOURCES} ${D_DEF})
  set_target_properties(${name} PROPERTIES PREFIX "" IMPORT_PREFIX "")
  target_link_libraries(${name} PRIVATE project_warnings)
endfunction()

# Adds every child folder of the current one that has a CMakeLists.txt, so a
# new program or component joins the build by existing.
function(add_child_directories)
  file(GLOB children LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(child ${children})
    get_filename_component(name ${child} NAME)
    if(IS_DIRECTORY ${child} AND EXISTS ${child}/CMakeLists.txt AND NOT name IN_LIST RV_SKIP_PARTS)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()
