// The tracer as the build's GL: every entry point of traced.h's list goes to the tracer, which records
// it and calls the GL beneath; the rest are that GL's own. The tracer checks this map against the list.
// Drawing that is the platform's and not the program's (the child windows a backend composites)
// defines CORVALA_GL_UNTRACED before any include and calls the GL beneath the tracer.
#pragma once
#include "traced.h"

#ifndef CORVALA_GL_UNTRACED
// clang-format off
#ifdef CORVALA_GL_TRACER_OVER_ES2
// es2's header maps these names to its own entry points: the tracer takes them over.
#undef glAlphaFunc
#undef glBegin
#undef glBindTexture
#undef glBlendFunc
#undef glCallList
#undef glClear
#undef glClearColor
#undef glClearDepth
#undef glColor3f
#undef glColor4f
#undef glCullFace
#undef glDepthFunc
#undef glDepthMask
#undef glDisable
#undef glEnable
#undef glEnd
#undef glEndList
#undef glFrontFace
#undef glGenLists
#undef glGenTextures
#undef glGetIntegerv
#undef glHint
#undef glInitNames
#undef glLightModeli
#undef glLightfv
#undef glLineWidth
#undef glLoadIdentity
#undef glLoadName
#undef glMatrixMode
#undef glMultMatrixf
#undef glNewList
#undef glNormal3f
#undef glOrtho
#undef glPixelStorei
#undef glPointSize
#undef glPolygonMode
#undef glPopMatrix
#undef glPopName
#undef glPushMatrix
#undef glPushName
#undef glRenderMode
#undef glRotatef
#undef glScalef
#undef glSelectBuffer
#undef glTexCoord2f
#undef glTexImage2D
#undef glTexParameteri
#undef glTranslatef
#undef glVertex3f
#undef glViewport
#undef gluBuild2DMipmaps
#undef gluPerspective
#undef gluPickMatrix
#endif
#define glAlphaFunc gltrace_glAlphaFunc
#define glBegin gltrace_glBegin
#define glBindTexture gltrace_glBindTexture
#define glBlendFunc gltrace_glBlendFunc
#define glCallList gltrace_glCallList
#define glClear gltrace_glClear
#define glClearColor gltrace_glClearColor
#define glClearDepth gltrace_glClearDepth
#define glColor3f gltrace_glColor3f
#define glColor4f gltrace_glColor4f
#define glCullFace gltrace_glCullFace
#define glDepthFunc gltrace_glDepthFunc
#define glDepthMask gltrace_glDepthMask
#define glDisable gltrace_glDisable
#define glEnable gltrace_glEnable
#define glEnd gltrace_glEnd
#define glEndList gltrace_glEndList
#define glFrontFace gltrace_glFrontFace
#define glGenLists gltrace_glGenLists
#define glGenTextures gltrace_glGenTextures
#define glGetIntegerv gltrace_glGetIntegerv
#define glHint gltrace_glHint
#define glInitNames gltrace_glInitNames
#define glLightModeli gltrace_glLightModeli
#define glLightfv gltrace_glLightfv
#define glLineWidth gltrace_glLineWidth
#define glLoadIdentity gltrace_glLoadIdentity
#define glLoadName gltrace_glLoadName
#define glMatrixMode gltrace_glMatrixMode
#define glMultMatrixf gltrace_glMultMatrixf
#define glNewList gltrace_glNewList
#define glNormal3f gltrace_glNormal3f
#define glOrtho gltrace_glOrtho
#define glPixelStorei gltrace_glPixelStorei
#define glPointSize gltrace_glPointSize
#define glPolygonMode gltrace_glPolygonMode
#define glPopMatrix gltrace_glPopMatrix
#define glPopName gltrace_glPopName
#define glPushMatrix gltrace_glPushMatrix
#define glPushName gltrace_glPushName
#define glRenderMode gltrace_glRenderMode
#define glRotatef gltrace_glRotatef
#define glScalef gltrace_glScalef
#define glSelectBuffer gltrace_glSelectBuffer
#define glTexCoord2f gltrace_glTexCoord2f
#define glTexImage2D gltrace_glTexImage2D
#define glTexParameteri gltrace_glTexParameteri
#define glTranslatef gltrace_glTranslatef
#define glVertex3f gltrace_glVertex3f
#define glViewport gltrace_glViewport
#define gluBuild2DMipmaps gltrace_gluBuild2DMipmaps
#define gluPerspective gltrace_gluPerspective
#define gluPickMatrix gltrace_gluPickMatrix
// clang-format on
#endif
