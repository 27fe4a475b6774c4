# Test registration shared by the native and the Windows build.
include(GoogleTest)

if(TICKVANE_WINDOWS)
  # One Wine prefix per build tree, made once per test run; every Windows test needs it.
  add_test(NAME wine_prefix_setup
           COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-prefix ${TICKVANE_WINE_PREFIX} start)
  set_tests_properties(wine_prefix_setup PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
  add_test(NAME wine_prefix_shutdown
           COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-prefix ${TICKVANE_WINE_PREFIX} stop)
  set_tests_properties(wine_prefix_shutdown PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 120)
endif()

# tickvane_windows_test(NAME SOURCES ... [LIBS ...])
# A GoogleTest program that runs under Wine, one CTest test for the whole program.
# Tests drive real windows and one X display, so they never run side by side.
function(tickvane_windows_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TICKVANE_TEST_BIN_DIR})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 600)
  endif()
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine RUN_SERIAL TRUE TIMEOUT ${ARG_TIMEOUT})
endfunction()
