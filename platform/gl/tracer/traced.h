// The entry points the tracer records, one list: each is declared under the tracer's name, gltrace_ and
// GL's, with the type the header of the GL beneath gives GL's own. That GL is the system's, or es2's (whose
// header maps GL's names to its own, so that a call by GL's name here reaches it).
#pragma once
#ifdef CORVALA_GL_TRACER_OVER_ES2
#include "../es2/gl.h"
#else
#include "../system/gl.h"
#endif

// clang-format off
#define CORVALA_GL_TRACED(X) \
    X(glAlphaFunc) \
    X(glBegin) \
    X(glBindTexture) \
    X(glBlendFunc) \
    X(glCallList) \
    X(glClear) \
    X(glClearColor) \
    X(glClearDepth) \
    X(glColor3f) \
    X(glColor4f) \
    X(glCullFace) \
    X(glDepthFunc) \
    X(glDepthMask) \
    X(glDisable) \
    X(glEnable) \
    X(glEnd) \
    X(glEndList) \
    X(glFrontFace) \
    X(glGenLists) \
    X(glGenTextures) \
    X(glGetIntegerv) \
    X(glHint) \
    X(glInitNames) \
    X(glLightModeli) \
    X(glLightfv) \
    X(glLineWidth) \
    X(glLoadIdentity) \
    X(glLoadName) \
    X(glMatrixMode) \
    X(glMultMatrixf) \
    X(glNewList) \
    X(glNormal3f) \
    X(glOrtho) \
    X(glPixelStorei) \
    X(glPointSize) \
    X(glPolygonMode) \
    X(glPopMatrix) \
    X(glPopName) \
    X(glPushMatrix) \
    X(glPushName) \
    X(glRenderMode) \
    X(glRotatef) \
    X(glScalef) \
    X(glSelectBuffer) \
    X(glTexCoord2f) \
    X(glTexImage2D) \
    X(glTexParameteri) \
    X(glTranslatef) \
    X(glVertex3f) \
    X(glViewport) \
    X(gluBuild2DMipmaps) \
    X(gluPerspective) \
    X(gluPickMatrix)
// clang-format on

#define CORVALA_GL_TRACED_DECLARE(name) extern "C" decltype(::name) gltrace_##name;
CORVALA_GL_TRACED(CORVALA_GL_TRACED_DECLARE)
#undef CORVALA_GL_TRACED_DECLARE
