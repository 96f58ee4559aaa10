# SPDX-License-Identifier: GPL-2.0-or-later
# Compiler settings shared by every target of the project.

if(TW_SANITIZE)
  set(TW_SANITIZER_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer
                         -fno-sanitize-recover=undefined)
  if(TW_FUZZ)
    # Coverage instrumentation for the libraries, so the fuzz targets can steer.
    list(APPEND TW_SANITIZER_FLAGS -fsanitize=fuzzer-no-link)
  endif()
  add_compile_options(${TW_SANITIZER_FLAGS})
  add_link_options(-fsanitize=address,undefined)
endif()

# Project warnings; third-party headers come in as system includes, so they stay quiet.
# They are errors where TW_WERROR is on (the presets our own builds use); a packager's build
# with another compiler or optimisation level must not stop on a new false positive.
function(tw_target_defaults target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic
    -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual -Wimplicit-fallthrough
    -Wformat=2 -Wundef -Wcast-qual -Wnull-dereference)
  if(TW_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  target_compile_definitions(${target} PRIVATE QT_NO_KEYWORDS QT_NO_CAST_FROM_ASCII)
endfunction()

# tw_add_library(name SOURCES... DEPS...)
function(tw_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  tw_target_defaults(${name})
endfunction()

# tw_add_test(name SOURCES... DEPS...): one GoogleTest binary, each test a CTest entry. The
# undo journals of the saves tests make, and the files they move to the trash, go to the
# build tree, never to the user's folders.
set(TW_TEST_STATE_HOME ${CMAKE_BINARY_DIR}/test-state)
set(TW_TEST_DATA_HOME ${CMAKE_BINARY_DIR}/test-data)
function(tw_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  tw_target_defaults(${name})
  # The test folders are set by the program itself (test_environment.cpp): of a list given
  # here, CTest would pass on only the first variable.
  target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support/test_environment.cpp)
  target_compile_definitions(${name} PRIVATE TW_TEST_STATE_HOME="${TW_TEST_STATE_HOME}"
                                             TW_TEST_DATA_HOME="${TW_TEST_DATA_HOME}")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "TW_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()
