// OpenGL 1.1 and GLU as the framework uses them, our own, over OpenGL ES 2 / WebGL (provider es2). The entry
// points keep GL's names for the code above: each is mapped to its es2_ definition, since ES has functions
// of the same name that mean less (glEnable knows no GL_LIGHTING). What ES shares with GL 1.1 unchanged
// (glBlendFunc's arguments, glDepthFunc's) still goes through here, so that the state stays ours to read.
#pragma once
#include <GLES2/gl2.h>

#ifndef APIENTRY
#define APIENTRY GL_APIENTRY
#endif
#define GL_VERSION_1_1 1
typedef double GLdouble;
typedef double GLclampd;
typedef void GLvoid;

// clang-format off
#define GL_POINT_BIT 0x00000002
#define GL_QUADS 0x0007
#define GL_QUAD_STRIP 0x0008
#define GL_POLYGON 0x0009
#define GL_STACK_OVERFLOW 0x0503
#define GL_STACK_UNDERFLOW 0x0504
#define GL_2D 0x0600
#define GL_3D 0x0601
#define GL_CURRENT_COLOR 0x0B00
#define GL_CURRENT_NORMAL 0x0B02
#define GL_CURRENT_TEXTURE_COORDS 0x0B03
#define GL_CURRENT_RASTER_POSITION 0x0B07
#define GL_POINT_SMOOTH 0x0B10
#define GL_POINT_SIZE 0x0B11
#define GL_LINE_SMOOTH 0x0B20
#define GL_LINE_STIPPLE 0x0B24
#define GL_LIST_MODE 0x0B30
#define GL_MAX_LIST_NESTING 0x0B31
#define GL_LIST_INDEX 0x0B33
#define GL_POLYGON_MODE 0x0B40
#define GL_POLYGON_SMOOTH 0x0B41
#define GL_POLYGON_STIPPLE 0x0B42
#define GL_LIGHTING 0x0B50
#define GL_LIGHT_MODEL_LOCAL_VIEWER 0x0B51
#define GL_LIGHT_MODEL_TWO_SIDE 0x0B52
#define GL_LIGHT_MODEL_AMBIENT 0x0B53
#define GL_SHADE_MODEL 0x0B54
#define GL_COLOR_MATERIAL_FACE 0x0B55
#define GL_COLOR_MATERIAL_PARAMETER 0x0B56
#define GL_COLOR_MATERIAL 0x0B57
#define GL_FOG 0x0B60
#define GL_MATRIX_MODE 0x0BA0
#define GL_NORMALIZE 0x0BA1
#define GL_MODELVIEW_STACK_DEPTH 0x0BA3
#define GL_PROJECTION_STACK_DEPTH 0x0BA4
#define GL_TEXTURE_STACK_DEPTH 0x0BA5
#define GL_MODELVIEW_MATRIX 0x0BA6
#define GL_PROJECTION_MATRIX 0x0BA7
#define GL_TEXTURE_MATRIX 0x0BA8
#define GL_ALPHA_TEST 0x0BC0
#define GL_ALPHA_TEST_FUNC 0x0BC1
#define GL_ALPHA_TEST_REF 0x0BC2
#define GL_BLEND_DST 0x0BE0
#define GL_BLEND_SRC 0x0BE1
#define GL_LOGIC_OP 0x0BF1
#define GL_READ_BUFFER 0x0C02
#define GL_RENDER_MODE 0x0C40
#define GL_PERSPECTIVE_CORRECTION_HINT 0x0C50
#define GL_POINT_SMOOTH_HINT 0x0C51
#define GL_LINE_SMOOTH_HINT 0x0C52
#define GL_POLYGON_SMOOTH_HINT 0x0C53
#define GL_FOG_HINT 0x0C54
#define GL_UNPACK_ROW_LENGTH 0x0CF2
#define GL_UNPACK_SKIP_ROWS 0x0CF3
#define GL_UNPACK_SKIP_PIXELS 0x0CF4
#define GL_PACK_ROW_LENGTH 0x0D02
#define GL_PACK_SKIP_ROWS 0x0D03
#define GL_PACK_SKIP_PIXELS 0x0D04
#define GL_MAX_LIGHTS 0x0D31
#define GL_MAX_MODELVIEW_STACK_DEPTH 0x0D36
#define GL_MAX_NAME_STACK_DEPTH 0x0D37
#define GL_MAX_PROJECTION_STACK_DEPTH 0x0D38
#define GL_NAME_STACK_DEPTH 0x0D70
#define GL_AUTO_NORMAL 0x0D80
#define GL_TEXTURE_1D 0x0DE0
#define GL_SELECTION_BUFFER_POINTER 0x0DF3
#define GL_SELECTION_BUFFER_SIZE 0x0DF4
#define GL_TEXTURE_WIDTH 0x1000
#define GL_TEXTURE_HEIGHT 0x1001
#define GL_TEXTURE_INTERNAL_FORMAT 0x1003
#define GL_TEXTURE_COMPONENTS 0x1003
#define GL_TEXTURE_BORDER 0x1005
#define GL_AMBIENT 0x1200
#define GL_DIFFUSE 0x1201
#define GL_SPECULAR 0x1202
#define GL_POSITION 0x1203
#define GL_SPOT_DIRECTION 0x1204
#define GL_SPOT_EXPONENT 0x1205
#define GL_SPOT_CUTOFF 0x1206
#define GL_CONSTANT_ATTENUATION 0x1207
#define GL_LINEAR_ATTENUATION 0x1208
#define GL_QUADRATIC_ATTENUATION 0x1209
#define GL_COMPILE 0x1300
#define GL_COMPILE_AND_EXECUTE 0x1301
#define GL_DOUBLE 0x140A
#define GL_EMISSION 0x1600
#define GL_SHININESS 0x1601
#define GL_AMBIENT_AND_DIFFUSE 0x1602
#define GL_MODELVIEW 0x1700
#define GL_PROJECTION 0x1701
#define GL_TEXTURE 0x1702
#define GL_COLOR_INDEX 0x1900
#define GL_RED 0x1903
#define GL_GREEN 0x1904
#define GL_BLUE 0x1905
#define GL_POINT 0x1B00
#define GL_LINE 0x1B01
#define GL_FILL 0x1B02
#define GL_RENDER 0x1C00
#define GL_FEEDBACK 0x1C01
#define GL_SELECT 0x1C02
#define GL_FLAT 0x1D00
#define GL_SMOOTH 0x1D01
#define GL_MODULATE 0x2100
#define GL_DECAL 0x2101
#define GL_TEXTURE_ENV_MODE 0x2200
#define GL_TEXTURE_ENV_COLOR 0x2201
#define GL_TEXTURE_ENV 0x2300
#define GL_CLAMP 0x2900
#define GL_LIGHT0 0x4000
#define GL_LIGHT1 0x4001
#define GL_LIGHT2 0x4002
#define GL_LIGHT3 0x4003
#define GL_LIGHT4 0x4004
#define GL_LIGHT5 0x4005
#define GL_LIGHT6 0x4006
#define GL_LIGHT7 0x4007
#define GL_ALPHA8 0x803C
#define GL_LUMINANCE8 0x8040
#define GL_LUMINANCE8_ALPHA8 0x8045
#define GL_INTENSITY 0x8049
#define GL_INTENSITY8 0x804B
#define GL_RGB8 0x8051
#define GL_RGBA8 0x8058
#define GL_BGR 0x80E0
#define GL_BGRA 0x80E1

// Every entry point this provider defines, one list: gl.h maps each, the provider defines each.
#define CORVALA_GL_ES2(X) \
    X(glAlphaFunc) X(glBegin) X(glBindTexture) X(glBlendFunc) X(glCallList) X(glClear) X(glClearColor) \
    X(glClearDepth) X(glColor3f) X(glColor4f) X(glColorMask) X(glCullFace) X(glDeleteTextures) X(glDepthFunc) \
    X(glDepthMask) X(glDisable) X(glEnable) X(glEnd) X(glEndList) X(glFinish) X(glFlush) X(glFrontFace) \
    X(glGenLists) X(glGenTextures) X(glGetBooleanv) X(glGetDoublev) X(glGetError) X(glGetFloatv) \
    X(glGetIntegerv) X(glGetLightfv) X(glGetString) X(glGetTexEnviv) X(glGetTexImage) \
    X(glGetTexLevelParameteriv) X(glGetTexParameteriv) X(glHint) X(glInitNames) X(glIsEnabled) X(glIsTexture) \
    X(glLightModeli) X(glLightfv) X(glLineWidth) X(glLoadIdentity) X(glLoadMatrixf) X(glLoadName) \
    X(glMatrixMode) X(glMultMatrixf) X(glNewList) X(glNormal3f) X(glOrtho) X(glPixelStorei) X(glPointSize) \
    X(glPolygonMode) X(glPopMatrix) X(glPopName) X(glPushMatrix) X(glPushName) X(glReadBuffer) \
    X(glReadPixels) X(glRenderMode) X(glRotatef) X(glScalef) X(glSelectBuffer) X(glTexCoord2f) X(glTexEnvi) \
    X(glTexImage2D) X(glTexParameteri) X(glTexSubImage2D) X(glTranslatef) X(glVertex3f) X(glViewport) \
    X(gluBuild2DMipmaps) X(gluPerspective) X(gluPickMatrix) X(gluProject) X(gluUnProject)

#ifndef CORVALA_GL_ES2_UNMAPPED
#define glAlphaFunc es2_glAlphaFunc
#define glBegin es2_glBegin
#define glBindTexture es2_glBindTexture
#define glBlendFunc es2_glBlendFunc
#define glCallList es2_glCallList
#define glClear es2_glClear
#define glClearColor es2_glClearColor
#define glClearDepth es2_glClearDepth
#define glColor3f es2_glColor3f
#define glColor4f es2_glColor4f
#define glColorMask es2_glColorMask
#define glCullFace es2_glCullFace
#define glDeleteTextures es2_glDeleteTextures
#define glDepthFunc es2_glDepthFunc
#define glDepthMask es2_glDepthMask
#define glDisable es2_glDisable
#define glEnable es2_glEnable
#define glEnd es2_glEnd
#define glEndList es2_glEndList
#define glFinish es2_glFinish
#define glFlush es2_glFlush
#define glFrontFace es2_glFrontFace
#define glGenLists es2_glGenLists
#define glGenTextures es2_glGenTextures
#define glGetBooleanv es2_glGetBooleanv
#define glGetDoublev es2_glGetDoublev
#define glGetError es2_glGetError
#define glGetFloatv es2_glGetFloatv
#define glGetIntegerv es2_glGetIntegerv
#define glGetLightfv es2_glGetLightfv
#define glGetString es2_glGetString
#define glGetTexEnviv es2_glGetTexEnviv
#define glGetTexImage es2_glGetTexImage
#define glGetTexLevelParameteriv es2_glGetTexLevelParameteriv
#define glGetTexParameteriv es2_glGetTexParameteriv
#define glHint es2_glHint
#define glInitNames es2_glInitNames
#define glIsEnabled es2_glIsEnabled
#define glIsTexture es2_glIsTexture
#define glLightModeli es2_glLightModeli
#define glLightfv es2_glLightfv
#define glLineWidth es2_glLineWidth
#define glLoadIdentity es2_glLoadIdentity
#define glLoadMatrixf es2_glLoadMatrixf
#define glLoadName es2_glLoadName
#define glMatrixMode es2_glMatrixMode
#define glMultMatrixf es2_glMultMatrixf
#define glNewList es2_glNewList
#define glNormal3f es2_glNormal3f
#define glOrtho es2_glOrtho
#define glPixelStorei es2_glPixelStorei
#define glPointSize es2_glPointSize
#define glPolygonMode es2_glPolygonMode
#define glPopMatrix es2_glPopMatrix
#define glPopName es2_glPopName
#define glPushMatrix es2_glPushMatrix
#define glPushName es2_glPushName
#define glReadBuffer es2_glReadBuffer
#define glReadPixels es2_glReadPixels
#define glRenderMode es2_glRenderMode
#define glRotatef es2_glRotatef
#define glScalef es2_glScalef
#define glSelectBuffer es2_glSelectBuffer
#define glTexCoord2f es2_glTexCoord2f
#define glTexEnvi es2_glTexEnvi
#define glTexImage2D es2_glTexImage2D
#define glTexParameteri es2_glTexParameteri
#define glTexSubImage2D es2_glTexSubImage2D
#define glTranslatef es2_glTranslatef
#define glVertex3f es2_glVertex3f
#define glViewport es2_glViewport
#define gluBuild2DMipmaps es2_gluBuild2DMipmaps
#define gluPerspective es2_gluPerspective
#define gluPickMatrix es2_gluPickMatrix
#define gluProject es2_gluProject
#define gluUnProject es2_gluUnProject
#endif
// clang-format on

extern "C" {
void es2_glAlphaFunc(GLenum func, GLclampf ref);
void es2_glBegin(GLenum mode);
void es2_glBindTexture(GLenum target, GLuint texture);
void es2_glBlendFunc(GLenum sfactor, GLenum dfactor);
void es2_glCallList(GLuint list);
void es2_glClear(GLbitfield mask);
void es2_glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a);
void es2_glClearDepth(GLclampd depth);
void es2_glColor3f(GLfloat r, GLfloat g, GLfloat b);
void es2_glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a);
void es2_glColorMask(GLboolean r, GLboolean g, GLboolean b, GLboolean a);
void es2_glCullFace(GLenum mode);
void es2_glDeleteTextures(GLsizei n, const GLuint* textures);
void es2_glDepthFunc(GLenum func);
void es2_glDepthMask(GLboolean flag);
void es2_glDisable(GLenum cap);
void es2_glEnable(GLenum cap);
void es2_glEnd(void);
void es2_glEndList(void);
void es2_glFinish(void);
void es2_glFlush(void);
void es2_glFrontFace(GLenum mode);
GLuint es2_glGenLists(GLsizei range);
void es2_glGenTextures(GLsizei n, GLuint* textures);
void es2_glGetBooleanv(GLenum pname, GLboolean* params);
void es2_glGetDoublev(GLenum pname, GLdouble* params);
GLenum es2_glGetError(void);
void es2_glGetFloatv(GLenum pname, GLfloat* params);
void es2_glGetIntegerv(GLenum pname, GLint* params);
void es2_glGetLightfv(GLenum light, GLenum pname, GLfloat* params);
const GLubyte* es2_glGetString(GLenum name);
void es2_glGetTexEnviv(GLenum target, GLenum pname, GLint* params);
void es2_glGetTexImage(GLenum target, GLint level, GLenum format, GLenum type, GLvoid* pixels);
void es2_glGetTexLevelParameteriv(GLenum target, GLint level, GLenum pname, GLint* params);
void es2_glGetTexParameteriv(GLenum target, GLenum pname, GLint* params);
void es2_glHint(GLenum target, GLenum mode);
void es2_glInitNames(void);
GLboolean es2_glIsEnabled(GLenum cap);
GLboolean es2_glIsTexture(GLuint texture);
void es2_glLightModeli(GLenum pname, GLint param);
void es2_glLightfv(GLenum light, GLenum pname, const GLfloat* params);
void es2_glLineWidth(GLfloat width);
void es2_glLoadIdentity(void);
void es2_glLoadMatrixf(const GLfloat* m);
void es2_glLoadName(GLuint name);
void es2_glMatrixMode(GLenum mode);
void es2_glMultMatrixf(const GLfloat* m);
void es2_glNewList(GLuint list, GLenum mode);
void es2_glNormal3f(GLfloat nx, GLfloat ny, GLfloat nz);
void es2_glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar);
void es2_glPixelStorei(GLenum pname, GLint param);
void es2_glPointSize(GLfloat size);
void es2_glPolygonMode(GLenum face, GLenum mode);
void es2_glPopMatrix(void);
void es2_glPopName(void);
void es2_glPushMatrix(void);
void es2_glPushName(GLuint name);
void es2_glReadBuffer(GLenum mode);
void es2_glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type, GLvoid* pixels);
GLint es2_glRenderMode(GLenum mode);
void es2_glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z);
void es2_glScalef(GLfloat x, GLfloat y, GLfloat z);
void es2_glSelectBuffer(GLsizei size, GLuint* buffer);
void es2_glTexCoord2f(GLfloat s, GLfloat t);
void es2_glTexEnvi(GLenum target, GLenum pname, GLint param);
void es2_glTexImage2D(GLenum target, GLint level, GLint internalformat, GLsizei width, GLsizei height, GLint border,
                      GLenum format, GLenum type, const GLvoid* pixels);
void es2_glTexParameteri(GLenum target, GLenum pname, GLint param);
void es2_glTexSubImage2D(GLenum target, GLint level, GLint xoffset, GLint yoffset, GLsizei width, GLsizei height,
                         GLenum format, GLenum type, const GLvoid* pixels);
void es2_glTranslatef(GLfloat x, GLfloat y, GLfloat z);
void es2_glVertex3f(GLfloat x, GLfloat y, GLfloat z);
void es2_glViewport(GLint x, GLint y, GLsizei width, GLsizei height);
GLint es2_gluBuild2DMipmaps(GLenum target, GLint components, GLint width, GLint height, GLenum format, GLenum type,
                            const void* data);
void es2_gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar);
void es2_gluPickMatrix(GLdouble x, GLdouble y, GLdouble delX, GLdouble delY, GLint* viewport);
GLint es2_gluProject(GLdouble objX, GLdouble objY, GLdouble objZ, const GLdouble* model, const GLdouble* proj,
                     const GLint* view, GLdouble* winX, GLdouble* winY, GLdouble* winZ);
GLint es2_gluUnProject(GLdouble winX, GLdouble winY, GLdouble winZ, const GLdouble* model, const GLdouble* proj,
                       const GLint* view, GLdouble* objX, GLdouble* objY, GLdouble* objZ);
}

// GL 1.1's capabilities that the SDL backend's compositor reads and switches off around its quads
// (platform/emul/composite.cpp); this GL has none of them, so they read as disabled.
#define GL_COLOR_LOGIC_OP 0x0BF2
#define GL_TEXTURE_GEN_S 0x0C60
#define GL_TEXTURE_GEN_T 0x0C61
#define GL_TEXTURE_GEN_R 0x0C62
#define GL_TEXTURE_GEN_Q 0x0C63
#define GL_CLIP_PLANE0 0x3000
#define GL_CLIP_PLANE1 0x3001
#define GL_CLIP_PLANE2 0x3002
#define GL_CLIP_PLANE3 0x3003
#define GL_CLIP_PLANE4 0x3004
#define GL_CLIP_PLANE5 0x3005
