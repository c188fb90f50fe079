# The web page, built with Emscripten (emcmake, as scripts/web does): the folders without
# GLUT, EGL, X11, libpng or the x86 kernels, the page's window and its WebGL drawing
# (window/web), and the page itself with what it loads and its zip (webapp).

set(WENDRIX_ICON_DIR "" CACHE PATH
    "The icons the Linux build drew: its packaging/icons folder (scripts/web gives it)")
if(NOT EXISTS ${WENDRIX_ICON_DIR}/256x256/apps/wendrix.png)
  message(FATAL_ERROR "WENDRIX_ICON_DIR (\"${WENDRIX_ICON_DIR}\") holds no icons: give the "
    "packaging/icons folder of a Linux build; scripts/web builds one and passes it")
endif()

set(WENDRIX_BUILD_TESTS OFF)
foreach(folder ${wendrix_folders} webapp)
  add_subdirectory(${folder})
endforeach()
