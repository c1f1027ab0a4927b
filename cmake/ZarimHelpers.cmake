# Small helpers that keep each CMakeLists short.

include(GoogleTest)

# zarim_add_subsystem(NAME SOURCES a.cpp b.cpp [USES lower libraries...])
# One Qt-free static library of src/: its sources, the subsystems below it that it may
# use, and the guard that stops the build when a Qt header slips in.
function(zarim_add_subsystem name)
  cmake_parse_arguments(ARG "" "" "SOURCES;USES" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_USES})
  # The library must never see Qt: Qt's headers are not on its include path, and a
  # library source built with Qt's definitions stops at no_qt.h.
  target_compile_options(${name} PRIVATE -include ${PROJECT_SOURCE_DIR}/src/core/no_qt.h)
endfunction()

# zarim_add_test(NAME SOURCES a.cpp b.cpp [LIBS extra...] [QT])
# A library test links zarim_core, the test support library and gtest_main.
# With QT, the test links the desktop library and brings its own main().
function(zarim_add_test name)
  cmake_parse_arguments(ARG "QT" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  if(ARG_QT)
    target_link_libraries(${name} PRIVATE zarim_shell_lib zarim_test_support Qt6::Test
                          GTest::gtest GTest::gmock ${ARG_LIBS})
  else()
    target_link_libraries(${name} PRIVATE zarim_core zarim_test_support GTest::gtest_main
                          GTest::gmock ${ARG_LIBS})
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# zarim_add_fuzzer(NAME SOURCE file.cpp [SECONDS n])
# Builds a libFuzzer target and registers a short run of it as a test.
function(zarim_add_fuzzer name)
  cmake_parse_arguments(ARG "" "SOURCE;SECONDS" "" ${ARGN})
  if(NOT ARG_SECONDS)
    set(ARG_SECONDS 10)
  endif()
  add_executable(${name} ${ARG_SOURCE})
  target_link_libraries(${name} PRIVATE zarim_core zarim_fuzz_support)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set(corpus ${CMAKE_CURRENT_BINARY_DIR}/corpus/${name})
  add_test(NAME fuzz.${name}
           COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
                   $<TARGET_FILE:${name}> -max_total_time=${ARG_SECONDS} -rss_limit_mb=1024
                   -timeout=10 ${corpus} ${CMAKE_CURRENT_SOURCE_DIR}/seeds/${name})
  set_tests_properties(fuzz.${name} PROPERTIES LABELS fuzz TIMEOUT 300)
  file(MAKE_DIRECTORY ${corpus} ${CMAKE_CURRENT_SOURCE_DIR}/seeds/${name})
endfunction()
