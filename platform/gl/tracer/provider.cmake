# The tests' GL: the one include maps the traced entry points to the tracer (gl.h), which records each
# call and passes it on to the system's GL and GLU when a context is current (glX's or wgl's answer).
set(CORVALA_GL_SOURCES gltrace.cpp)
set(CORVALA_GL_HEADERS system/gl.h tracer/gl.h tracer/traced.h)
if(WIN32)
  set(CORVALA_GL_LIBRARIES opengl32 glu32)
  set(CORVALA_GL_PACKAGE)
  set(CORVALA_GL_PKGCONFIG "")
else()
  find_package(OpenGL REQUIRED COMPONENTS OpenGL GLX)
  set(CORVALA_GL_LIBRARIES OpenGL::GL OpenGL::GLU OpenGL::GLX)
  set(CORVALA_GL_PACKAGE OpenGL COMPONENTS OpenGL GLX)
  set(CORVALA_GL_PKGCONFIG "gl glu")
endif()
