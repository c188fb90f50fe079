# wendrix_test(NAME source... [LABELS label...]): one GoogleTest binary against the
# core library. Every test case runs in a process of its own; a test during which
# the process exits fails (tests/support/GlTest.cpp holds the binaries' main).
function(wendrix_test name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "LABELS")
  add_executable(${name} ${arg_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE wendrix_core wendrix_testsupport GTest::gtest)
  # The binaries' main picks Mesa's surfaceless platform and software rasteriser.
  if(arg_LABELS)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS "${arg_LABELS}")
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()
