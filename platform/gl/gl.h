// OpenGL 1.1 and GLU, for everything above the platform: the framework, programs, tests and tools
// include this and never a GL header of their own. The build's provider (CORVALA_GL) gives the entry
// points under GL's own names; its header, CORVALA_GL_HEADER, comes with the provider's target. A copy
// compiled without it gets the system's.
#pragma once
#ifdef CORVALA_GL_HEADER
#include CORVALA_GL_HEADER
#else
#include "system/gl.h"
#endif
