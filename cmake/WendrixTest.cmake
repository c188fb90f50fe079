# wendrix_test(NAME source... [WINE] [LABELS label...]): one GoogleTest binary against the
# core library. Every test case runs in a process of its own; a test during which the
# process exits fails (tests/support/TestMain.cpp holds the binaries' main).
# WINE: the sources run on Windows too. There every such set joins the one binary that
# runs under Wine (tests/windows), and the others are left unbuilt.
function(wendrix_test name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "WINE" "" "LABELS")
  if(WIN32)
    if(arg_WINE)
      add_library(${name} OBJECT ${arg_UNPARSED_ARGUMENTS})
      set_property(GLOBAL APPEND PROPERTY wendrix_wine_tests ${name})
    else()
      add_library(${name} OBJECT EXCLUDE_FROM_ALL ${arg_UNPARSED_ARGUMENTS})
    endif()
    target_link_libraries(${name} PRIVATE wendrix_core wendrix_testsupport GTest::gtest)
    return()
  endif()
  add_executable(${name} ${arg_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE wendrix_core wendrix_testsupport GTest::gtest)
  # The binaries' main picks Mesa's surfaceless platform and software rasteriser.
  if(arg_LABELS)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS "${arg_LABELS}")
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()
