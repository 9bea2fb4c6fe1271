# Windows: the surface is Windows' own (windows/surface.h), so there is nothing to emulate and no
# source of a backend; the framework links the system's DLLs.
set(CORVALA_BACKEND_EMULATED OFF)
set(CORVALA_BACKEND_SOURCES bitmap.cpp)
set(CORVALA_BACKEND_TESTING_SOURCES testing.cpp)
# opengl32 for the wgl calls of the surface; the program's GL calls go to the provider.
set(CORVALA_BACKEND_LIBRARIES opengl32 comctl32 gdi32 user32 kernel32)
set(CORVALA_BACKEND_GL system)
set(CORVALA_BACKEND_PACKAGES)
set(CORVALA_BACKEND_PKGCONFIG "")
set(CORVALA_BACKEND_DEBIAN_DEPENDS)
set(CORVALA_BACKEND_HEADERS surface.h)  # win32.h is Windows' own through it, installed too
set(CORVALA_BACKEND_HOST windows)
set(CORVALA_BACKEND_SHOWS ON)  # the framework's and the program's tests run under Wine
set(CORVALA_BACKEND_TEST_LIBRARIES)
