# GoogleTest is built from Debian's source package for every toolchain, so that
# the same tests run natively and, cross-compiled, under wine.
enable_testing()
include(GoogleTest)

set(BRIXOL_GTEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest source tree")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${BRIXOL_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# brixol_add_test(NAME <name> SOURCES <files...> [LIBS <targets...>] [LABELS <labels...>])
# Native test programs report every case to CTest; under wine one program is one
# CTest test, because each wine start costs about a second.
function(brixol_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    # A hang under wine fails the test instead of holding up the whole run.
    set_tests_properties(${T_NAME} PROPERTIES LABELS "wine;${T_LABELS}" TIMEOUT 300)
  else()
    # The discovered tests can carry one label only (the discovery script
    # writes the property unquoted): the area's, else "native".
    set(label native)
    if(T_LABELS)
      list(GET T_LABELS 0 label)
    endif()
    gtest_discover_tests(${T_NAME} DISCOVERY_MODE PRE_TEST NO_PRETTY_VALUES PROPERTIES LABELS ${label})
  endif()
endfunction()
