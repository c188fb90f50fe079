# wendrix_test(NAME source...): one GoogleTest binary against the core library.
# Every test case runs in a process of its own; a test during which the process
# exits fails (tests/support/GlTest.cpp holds the binaries' main).
function(wendrix_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE wendrix_core wendrix_testsupport GTest::gtest)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "EGL_PLATFORM=surfaceless;LIBGL_ALWAYS_SOFTWARE=1")
endfunction()
