# GoogleTest for both builds: the system package natively, and the same
# sources cross-compiled for the Windows build, whose tests run under Wine.
enable_testing()
if(WIN32)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  # The i686 compilers' win32 thread model has no std::mutex for
  # GoogleTest's Notification: ours, over an event, goes ahead of it.
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_compile_options(gtest PUBLIC "$<$<COMPILE_LANGUAGE:CXX>:SHELL:-include ${PROJECT_SOURCE_DIR}/tests/win32/support/GtestNotification.h>")
  endif()
else()
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()

# zel95_add_test(name SOURCES ... LIBS ...): one test program. Natively each
# test case becomes a CTest test; under Wine the program runs once, since
# every start of it costs a Wine process.
function(zel95_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  if(WIN32)
    target_link_libraries(${name} PRIVATE ${T_LIBS} gtest_main)
    target_compile_definitions(${name} PRIVATE ZEL95_TEST_DATA="Z:${PROJECT_SOURCE_DIR}/tests/data")
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 600)
  else()
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
    target_compile_definitions(${name} PRIVATE ZEL95_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()
