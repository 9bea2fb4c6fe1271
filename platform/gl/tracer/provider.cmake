# The tests' GL: the one include maps the traced entry points to the tracer (gl.h), which records each
# call and passes it on to the GL beneath it when a context is current. That GL, CORVALA_GL_BENEATH, is a
# provider of its own, read before this one: the system's (a context is glX's or wgl's answer), or es2 (the
# provider's own answer). This adds what the tracer needs over it.
set(CORVALA_GL_SOURCES gltrace.cpp)
set(CORVALA_GL_HEADERS tracer/gl.h tracer/traced.h)
if(NOT CORVALA_GL_BENEATH STREQUAL "system" OR WIN32)
  set(CORVALA_GL_LIBRARIES)
  set(CORVALA_GL_PACKAGE)
else()
  find_package(OpenGL REQUIRED COMPONENTS OpenGL GLX)
  set(CORVALA_GL_LIBRARIES OpenGL::GLX)
  set(CORVALA_GL_PACKAGE OpenGL COMPONENTS OpenGL GLX)
endif()
set(CORVALA_GL_PKGCONFIG "")
