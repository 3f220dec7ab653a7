# GoogleTest, built from Debian's source with the cross compiler.
set(GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest source tree")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

set(WINE_TEST_TIMEOUT 300 CACHE STRING "Seconds before a hanging test program fails")

# One Xvfb display and one persistent wineserver for the whole ctest run.
add_test(NAME wine_session_start
         COMMAND ${CMAKE_SOURCE_DIR}/tools/wine/session.sh start ${WINE_STATE_DIR})
add_test(NAME wine_session_stop
         COMMAND ${CMAKE_SOURCE_DIR}/tools/wine/session.sh stop ${WINE_STATE_DIR})
set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine)

# add_wine_test(<name> SOURCES ... LIBS ...): a GoogleTest program run under Wine.
function(add_wine_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE project_warnings testsupport GTest::gmock_main ${T_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT ${WINE_TEST_TIMEOUT})
endfunction()

# add_wine_emulator_test(<name> SOURCES ... LIBS ... [EMULATOR_ARGS ...]): like
# add_wine_test, with an emulated light engine on a free COM port of the
# prefix for the program's run (tools/wine/with_emulator.sh). The program
# finds it through LUMENCOR_EMULATOR_COM and LUMENCOR_EMULATOR_CONTROL, and
# talks to it with the lumencor_emulator_client library, linked here.
function(add_wine_emulator_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;EMULATOR_ARGS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE project_warnings testsupport GTest::gmock_main
                                        lumencor_emulator_client ${T_LIBS})
  add_test(NAME ${name}
           COMMAND ${CMAKE_SOURCE_DIR}/tools/wine/with_emulator.sh ${WINE_STATE_DIR}
                   ${T_EMULATOR_ARGS} -- $<TARGET_FILE:${name}>)
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT ${WINE_TEST_TIMEOUT})
endfunction()
