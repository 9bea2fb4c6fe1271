# The web backend: the page's canvas is the window, WebGL its context, the page's dialog its boxes, built
# with Emscripten. The program's loop keeps its shape: it waits on the browser (an animation frame, an event,
# a box's answer) through Asyncify, and the JavaScript it waits on is library.js. site.cmake makes the pages.
set(CORVALA_BACKEND_SOURCES ../emul/composite.cpp events.cpp opengl.cpp window.cpp)
set(CORVALA_BACKEND_EMULATED ON)
# Its test library is null's: input goes straight into the queue as the page's events would put it there (the
# pages themselves are driven by the browser tests).
set(CORVALA_BACKEND_TESTING_SOURCES ../null/testing.cpp)
# Where the SDK installs library.js, with what makes pages (sdk/).
set(CORVALA_WEB_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/corvala/web)
if(NOT TARGET corvala_web_link)
  # What every program linked over it needs from emcc; an interface target carries the flags to them.
  add_library(corvala_web_link INTERFACE)
  set(web_async_imports web_next_frame web_wait web_box)
  list(JOIN web_async_imports "," web_async_imports)
  target_link_options(corvala_web_link INTERFACE
    "SHELL:--js-library $<BUILD_INTERFACE:${CMAKE_CURRENT_LIST_DIR}/library.js>$<INSTALL_INTERFACE:$<INSTALL_PREFIX>/${CORVALA_WEB_INSTALL_DIR}/library.js>"
    -sASYNCIFY "-sASYNCIFY_IMPORTS=[${web_async_imports}]" -sASYNCIFY_STACK_SIZE=65536
    -sALLOW_MEMORY_GROWTH -sEXIT_RUNTIME -sMIN_WEBGL_VERSION=1 -sMAX_WEBGL_VERSION=1
    -sENVIRONMENT=web -sFORCE_FILESYSTEM)
  set_property(TARGET corvala_web_link APPEND PROPERTY INTERFACE_LINK_DEPENDS
               $<BUILD_INTERFACE:${CMAKE_CURRENT_LIST_DIR}/library.js>)
endif()
set(CORVALA_BACKEND_LIBRARIES corvala_web_link)
set(CORVALA_BACKEND_GL es2)
set(CORVALA_BACKEND_PACKAGES)
set(CORVALA_BACKEND_PKGCONFIG "")
set(CORVALA_BACKEND_DEBIAN_DEPENDS)
set(CORVALA_BACKEND_HEADERS)
# Files are Emscripten's, in memory, as POSIX sees them; time, threads and notices are the browser's.
set(CORVALA_BACKEND_HOST web)
set(CORVALA_BACKEND_SHOWS OFF)  # the browser tests drive its pages; the desktop tests do not build over it
set(CORVALA_BACKEND_TEST_LIBRARIES)
