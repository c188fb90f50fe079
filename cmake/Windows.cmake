# The Windows configuration, cross-built with MinGW-w64 (cmake/mingw-w64-x86_64.cmake, as
# scripts/windows does): the folders without GLUT, EGL, X11 or libpng, the Win32 window,
# wendrix.exe and wendrix.scr in the top of the build tree, the installer and the zip
# (packaging/windows), and the tests that run under Wine (tests/windows).

# MinGW's GL/gl.h wants three macros of windows.h and includes all of windows.h when they
# are missing. Given here, only the window seam and the front ends see windows.h, whose
# DrawText, min and max macros would rename the program's own.
add_compile_definitions("$<$<COMPILE_LANGUAGE:CXX>:WINGDIAPI=__declspec(dllimport)>"
                        "$<$<COMPILE_LANGUAGE:CXX>:APIENTRY=__stdcall>"
                        "$<$<COMPILE_LANGUAGE:CXX>:CALLBACK=__stdcall>")
# GCC keeps the stack 16-byte aligned on Win64 yet spills AVX registers with aligned moves
# (its bug 54412), which faults; the assembler turns every such move into an unaligned one.
add_compile_options("$<$<COMPILE_LANGUAGE:CXX>:-Wa,-muse-unaligned-vector-move>")
target_link_libraries(wendrix_core PUBLIC Threads::Threads winmm)
# What users download carries no symbols: a third of the size. Nor the time it was linked
# (MinGW's ld stamps the PE header), so that a build is the same bytes whenever it is made.
add_link_options($<$<CONFIG:Release>:-s> -Wl,--no-insert-timestamp)

# The icon: the Linux build's hicolor pictures (packaging's `icons` target draws them with
# wendrix-render), packed into one .ico.
set(WENDRIX_ICON_DIR "" CACHE PATH
    "The icons the Linux build drew: its packaging/icons folder (scripts/windows gives it)")
set(wendrix_icon_pngs)
foreach(size 16 24 32 48 64 128 256)
  list(APPEND wendrix_icon_pngs ${WENDRIX_ICON_DIR}/${size}x${size}/apps/wendrix.png)
endforeach()
if(NOT EXISTS ${WENDRIX_ICON_DIR}/256x256/apps/wendrix.png)
  message(FATAL_ERROR "WENDRIX_ICON_DIR (\"${WENDRIX_ICON_DIR}\") holds no icons: give the "
    "packaging/icons folder of a Linux build; scripts/windows builds one and passes it")
endif()
find_program(WENDRIX_PYTHON NAMES python3 REQUIRED)
add_custom_command(OUTPUT wendrix.ico
  COMMAND ${WENDRIX_PYTHON} ${PROJECT_SOURCE_DIR}/packaging/windows/ico.py wendrix.ico
          ${wendrix_icon_pngs}
  DEPENDS ${wendrix_icon_pngs} ${PROJECT_SOURCE_DIR}/packaging/windows/ico.py
  COMMENT "Packing the icons into wendrix.ico"
  VERBATIM)
add_custom_target(wendrix_ico DEPENDS wendrix.ico)

# What every program's resource script includes from the build tree.
file(WRITE ${PROJECT_BINARY_DIR}/WendrixVersion.h.in "// Made by cmake/Windows.cmake.
#define WENDRIX_VERSION_MAJOR ${PROJECT_VERSION_MAJOR}
#define WENDRIX_VERSION_MINOR ${PROJECT_VERSION_MINOR}
#define WENDRIX_VERSION_PATCH ${PROJECT_VERSION_PATCH}
#define WENDRIX_VERSION_TEXT \"${PROJECT_VERSION}\"
#define WENDRIX_COPYRIGHT \"Copyright 2026 Wendrix maintainers\"
")
configure_file(${PROJECT_BINARY_DIR}/WendrixVersion.h.in ${PROJECT_BINARY_DIR}/WendrixVersion.h
               COPYONLY)
set(WENDRIX_VERSION_QUAD ${PROJECT_VERSION}.0)
configure_file(packaging/windows/wendrix.manifest ${PROJECT_BINARY_DIR}/wendrix.manifest @ONLY)

# wendrix_windows_program(TARGET FILE): TARGET becomes FILE in the top of the build tree,
# a program without a console, its resources built against the icon and the manifest.
function(wendrix_windows_program target file)
  get_filename_component(suffix ${file} LAST_EXT)
  get_filename_component(name ${file} NAME_WE)
  set_target_properties(${target} PROPERTIES OUTPUT_NAME ${name} SUFFIX ${suffix}
    RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
  target_include_directories(${target} PRIVATE ${PROJECT_BINARY_DIR})
  add_dependencies(${target} wendrix_ico)
  get_target_property(sources ${target} SOURCES)
  list(FILTER sources INCLUDE REGEX "\\.rc$")
  set_source_files_properties(${sources} PROPERTIES OBJECT_DEPENDS
    "${PROJECT_BINARY_DIR}/wendrix.ico;${PROJECT_BINARY_DIR}/wendrix.manifest")
endfunction()

if(WENDRIX_BUILD_TESTS)
  enable_testing()
  # GoogleTest is not packaged for MinGW; Debian's googletest package ships its sources.
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  include(cmake/WendrixTest.cmake)
  add_subdirectory(tests/support)
endif()
foreach(folder ${wendrix_folders} winapp winsaver)
  add_subdirectory(${folder})
endforeach()
configure_file(data/font.bmp ${PROJECT_BINARY_DIR}/font.bmp COPYONLY)
add_subdirectory(packaging/windows)

if(WENDRIX_BUILD_TESTS)
  add_subdirectory(tests/windows)
endif()
