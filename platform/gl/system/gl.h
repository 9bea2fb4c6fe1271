// The system's OpenGL and GLU, called directly.
#pragma once
#ifdef _WIN32
// Windows' gl.h needs WINGDIAPI and APIENTRY from <windows.h>, which the surface includes as it wants it.
#include "../../windows/surface.h"
#endif
#include <GL/gl.h>
#include <GL/glu.h>
// GL_BGRA and the other names after 1.1: Windows' gl.h stops at 1.1, Mesa's includes this itself.
#include <GL/glext.h>
