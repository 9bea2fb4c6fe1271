# Our own OpenGL 1.1 and GLU over OpenGL ES 2 (and WebGL): the program takes no GL 1.1 entry point from a
# system library, only ES 2's. It keeps GL 1.1's state per context, so the backend tells it of each context
# (platform/gl/provider.h) and makes ES contexts.
set(CORVALA_GL_SOURCES context.cpp draw.cpp lists.cpp matrix.cpp select.cpp texture.cpp)
set(CORVALA_GL_HEADERS es2/gl.h)
set(CORVALA_GL_OWN_CONTEXTS ON)
if(EMSCRIPTEN)
  set(CORVALA_GL_LIBRARIES)
  set(CORVALA_GL_PACKAGE)
  set(CORVALA_GL_PKGCONFIG "")
else()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(GLESV2 REQUIRED IMPORTED_TARGET glesv2)
  set(CORVALA_GL_LIBRARIES PkgConfig::GLESV2)
  set(CORVALA_GL_PACKAGE)
  set(CORVALA_GL_PKGCONFIG "glesv2")
endif()
