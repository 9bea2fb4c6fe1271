# The backend with nothing to show: every duty of emul/backend.h at its least, no library of a system.
# The framework and the program link over it and end in their message that OpenGL is missing; only the
# tests that need no display are built over it.
set(CORVALA_BACKEND_EMULATED ON)
set(CORVALA_BACKEND_SOURCES backend.cpp)
set(CORVALA_BACKEND_TESTING_SOURCES testing.cpp)
set(CORVALA_BACKEND_LIBRARIES)
set(CORVALA_BACKEND_GL system)  # nothing calls it without a context, but the framework links GL
set(CORVALA_BACKEND_HOST posix)  # the emulation builds wherever Windows' own surface is not
set(CORVALA_BACKEND_SHOWS OFF)
set(CORVALA_BACKEND_TEST_LIBRARIES)
set(CORVALA_BACKEND_HEADERS)
set(CORVALA_BACKEND_PACKAGES)
set(CORVALA_BACKEND_PKGCONFIG "")
set(CORVALA_BACKEND_DEBIAN_DEPENDS)
