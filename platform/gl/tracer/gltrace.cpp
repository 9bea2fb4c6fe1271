#include "platform/gl/tracer/gltrace.h"

#include "platform/gl/tracer/traced.h"
#ifdef CORVALA_GL_TRACER_OVER_ES2
#include "platform/gl/provider.h"
#elif !defined(_WIN32)
#include <GL/glx.h>
#endif

#include <cstdio>
#include <initializer_list>

namespace gltrace {
namespace {
std::vector<Call> g_calls;
bool g_recording = false;
GLuint g_fake_name = 0;

void rec(const char* name, std::initializer_list<double> args, const void* ptr = nullptr) {
    if (!g_recording) return;
    Call c;
    c.name = name;
    c.args.assign(args.begin(), args.end());
    c.ptr = ptr;
    g_calls.push_back(std::move(c));
}
void rec_v(const char* name, std::initializer_list<double> head, const GLfloat* v, int n) {
    if (!g_recording) return;
    Call c;
    c.name = name;
    c.args.assign(head.begin(), head.end());
    for (int i = 0; i < n && v; ++i) c.args.push_back(v[i]);
    g_calls.push_back(std::move(c));
}
}  // namespace

#if defined(CORVALA_GL_TRACER_OVER_ES2)
bool context_current() { return glprovider::HasCurrent(); }
#elif defined(_WIN32)
bool context_current() { return wglGetCurrentContext() != nullptr; }
#else
bool context_current() { return glXGetCurrentContext() != nullptr; }
#endif
void start() {
    g_calls.clear();
    g_recording = true;
}
void stop() { g_recording = false; }
void clear() { g_calls.clear(); }
const std::vector<Call>& calls() { return g_calls; }
std::vector<std::string> names() {
    std::vector<std::string> out;
    for (const Call& c : g_calls) out.push_back(c.name);
    return out;
}
std::vector<Call> named(const std::string& name) {
    std::vector<Call> out;
    for (const Call& c : g_calls)
        if (c.name == name) out.push_back(c);
    return out;
}
std::string format(const Call& c) {
    std::string s = c.name + "(";
    char buf[64];
    for (size_t i = 0; i < c.args.size(); ++i) {
        std::snprintf(buf, sizeof buf, "%s%.9g", i ? ", " : "", c.args[i]);
        s += buf;
    }
    return s + ")";
}
std::string dump() {
    std::string s;
    for (const Call& c : g_calls) s += format(c) + "\n";
    return s;
}
}  // namespace gltrace

using gltrace::context_current;
using gltrace::rec;
using gltrace::rec_v;

// The entry points read as a table, one to a line; the formatter leaves them so. GL's names here are
// those of the GL beneath: the map of gl.h comes only at the end. One defined here and missing from the list
// would never be called, so that is an error.
#pragma GCC diagnostic error "-Wmissing-declarations"
// clang-format off
#define FWD(name, ...) \
    do { if (context_current()) name(__VA_ARGS__); } while (0)

extern "C" {

void APIENTRY gltrace_glBegin(GLenum m) { rec("glBegin", {double(m)}); FWD(glBegin, m); }
void APIENTRY gltrace_glEnd() { rec("glEnd", {}); FWD(glEnd); }
void APIENTRY gltrace_glVertex3f(GLfloat x, GLfloat y, GLfloat z) { rec("glVertex3f", {x, y, z}); FWD(glVertex3f, x, y, z); }
void APIENTRY gltrace_glNormal3f(GLfloat x, GLfloat y, GLfloat z) { rec("glNormal3f", {x, y, z}); FWD(glNormal3f, x, y, z); }
void APIENTRY gltrace_glTexCoord2f(GLfloat s, GLfloat t) { rec("glTexCoord2f", {s, t}); FWD(glTexCoord2f, s, t); }
void APIENTRY gltrace_glColor3f(GLfloat r, GLfloat g, GLfloat b) { rec("glColor3f", {r, g, b}); FWD(glColor3f, r, g, b); }
void APIENTRY gltrace_glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) { rec("glColor4f", {r, g, b, a}); FWD(glColor4f, r, g, b, a); }
void APIENTRY gltrace_glClear(GLbitfield m) { rec("glClear", {double(m)}); FWD(glClear, m); }
void APIENTRY gltrace_glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) { rec("glClearColor", {r, g, b, a}); FWD(glClearColor, r, g, b, a); }
void APIENTRY gltrace_glClearDepth(GLclampd d) { rec("glClearDepth", {d}); FWD(glClearDepth, d); }
void APIENTRY gltrace_glViewport(GLint x, GLint y, GLsizei w, GLsizei h) { rec("glViewport", {double(x), double(y), double(w), double(h)}); FWD(glViewport, x, y, w, h); }
void APIENTRY gltrace_glMatrixMode(GLenum m) { rec("glMatrixMode", {double(m)}); FWD(glMatrixMode, m); }
void APIENTRY gltrace_glLoadIdentity() { rec("glLoadIdentity", {}); FWD(glLoadIdentity); }
void APIENTRY gltrace_glPushMatrix() { rec("glPushMatrix", {}); FWD(glPushMatrix); }
void APIENTRY gltrace_glPopMatrix() { rec("glPopMatrix", {}); FWD(glPopMatrix); }
void APIENTRY gltrace_glTranslatef(GLfloat x, GLfloat y, GLfloat z) { rec("glTranslatef", {x, y, z}); FWD(glTranslatef, x, y, z); }
void APIENTRY gltrace_glRotatef(GLfloat a, GLfloat x, GLfloat y, GLfloat z) { rec("glRotatef", {a, x, y, z}); FWD(glRotatef, a, x, y, z); }
void APIENTRY gltrace_glScalef(GLfloat x, GLfloat y, GLfloat z) { rec("glScalef", {x, y, z}); FWD(glScalef, x, y, z); }
void APIENTRY gltrace_glMultMatrixf(const GLfloat* m) { rec_v("glMultMatrixf", {}, m, 16); FWD(glMultMatrixf, m); }
void APIENTRY gltrace_glOrtho(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f) { rec("glOrtho", {l, r, b, t, n, f}); FWD(glOrtho, l, r, b, t, n, f); }
void APIENTRY gltrace_glEnable(GLenum c) { rec("glEnable", {double(c)}); FWD(glEnable, c); }
void APIENTRY gltrace_glDisable(GLenum c) { rec("glDisable", {double(c)}); FWD(glDisable, c); }
void APIENTRY gltrace_glDepthFunc(GLenum f) { rec("glDepthFunc", {double(f)}); FWD(glDepthFunc, f); }
void APIENTRY gltrace_glDepthMask(GLboolean f) { rec("glDepthMask", {double(f)}); FWD(glDepthMask, f); }
void APIENTRY gltrace_glBlendFunc(GLenum s, GLenum d) { rec("glBlendFunc", {double(s), double(d)}); FWD(glBlendFunc, s, d); }
void APIENTRY gltrace_glAlphaFunc(GLenum f, GLclampf r) { rec("glAlphaFunc", {double(f), r}); FWD(glAlphaFunc, f, r); }
void APIENTRY gltrace_glCullFace(GLenum m) { rec("glCullFace", {double(m)}); FWD(glCullFace, m); }
void APIENTRY gltrace_glFrontFace(GLenum m) { rec("glFrontFace", {double(m)}); FWD(glFrontFace, m); }
void APIENTRY gltrace_glPolygonMode(GLenum f, GLenum m) { rec("glPolygonMode", {double(f), double(m)}); FWD(glPolygonMode, f, m); }
void APIENTRY gltrace_glLineWidth(GLfloat w) { rec("glLineWidth", {w}); FWD(glLineWidth, w); }
void APIENTRY gltrace_glPointSize(GLfloat s) { rec("glPointSize", {s}); FWD(glPointSize, s); }
void APIENTRY gltrace_glLightfv(GLenum l, GLenum p, const GLfloat* v) { rec_v("glLightfv", {double(l), double(p)}, v, 4); FWD(glLightfv, l, p, v); }
void APIENTRY gltrace_glLightModeli(GLenum p, GLint v) { rec("glLightModeli", {double(p), double(v)}); FWD(glLightModeli, p, v); }
void APIENTRY gltrace_glHint(GLenum t, GLenum m) { rec("glHint", {double(t), double(m)}); FWD(glHint, t, m); }
void APIENTRY gltrace_glPixelStorei(GLenum p, GLint v) { rec("glPixelStorei", {double(p), double(v)}); FWD(glPixelStorei, p, v); }
void APIENTRY gltrace_glBindTexture(GLenum t, GLuint n) { rec("glBindTexture", {double(t), double(n)}); FWD(glBindTexture, t, n); }
void APIENTRY gltrace_glTexParameteri(GLenum t, GLenum p, GLint v) { rec("glTexParameteri", {double(t), double(p), double(v)}); FWD(glTexParameteri, t, p, v); }
void APIENTRY gltrace_glTexImage2D(GLenum t, GLint l, GLint i, GLsizei w, GLsizei h, GLint b, GLenum f, GLenum ty, const GLvoid* p) {
    rec("glTexImage2D", {double(t), double(l), double(i), double(w), double(h), double(b), double(f), double(ty)}, p);
    FWD(glTexImage2D, t, l, i, w, h, b, f, ty, p);
}
void APIENTRY gltrace_glGenTextures(GLsizei n, GLuint* names) {
    rec("glGenTextures", {double(n)});
    if (context_current()) { glGenTextures(n, names); return; }
    for (GLsizei i = 0; i < n; ++i) names[i] = ++gltrace::g_fake_name;
}
GLuint APIENTRY gltrace_glGenLists(GLsizei r) {
    rec("glGenLists", {double(r)});
    if (context_current()) return glGenLists(r);
    GLuint first = gltrace::g_fake_name + 1;
    gltrace::g_fake_name += GLuint(r);
    return first;
}
void APIENTRY gltrace_glNewList(GLuint l, GLenum m) { rec("glNewList", {double(l), double(m)}); FWD(glNewList, l, m); }
void APIENTRY gltrace_glEndList() { rec("glEndList", {}); FWD(glEndList); }
void APIENTRY gltrace_glCallList(GLuint l) { rec("glCallList", {double(l)}); FWD(glCallList, l); }
void APIENTRY gltrace_glSelectBuffer(GLsizei n, GLuint* b) { rec("glSelectBuffer", {double(n)}, b); FWD(glSelectBuffer, n, b); }
void APIENTRY gltrace_glGetIntegerv(GLenum p, GLint* v) {
    rec("glGetIntegerv", {double(p)});
    if (context_current()) { glGetIntegerv(p, v); return; }
    if (p == GL_VIEWPORT) { v[0] = v[1] = v[2] = v[3] = 0; } else { v[0] = 0; }
}
GLint APIENTRY gltrace_glRenderMode(GLenum m) {
    rec("glRenderMode", {double(m)});
    if (context_current()) return glRenderMode(m);
    return 0;
}
void APIENTRY gltrace_glInitNames() { rec("glInitNames", {}); FWD(glInitNames); }
void APIENTRY gltrace_glPushName(GLuint n) { rec("glPushName", {double(n)}); FWD(glPushName, n); }
void APIENTRY gltrace_glPopName() { rec("glPopName", {}); FWD(glPopName); }
void APIENTRY gltrace_glLoadName(GLuint n) { rec("glLoadName", {double(n)}); FWD(glLoadName, n); }

// clang-format on

void APIENTRY gltrace_gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zn, GLdouble zf) {
    rec("gluPerspective", {fovy, aspect, zn, zf});
    FWD(gluPerspective, fovy, aspect, zn, zf);
}
void APIENTRY gltrace_gluPickMatrix(GLdouble x, GLdouble y, GLdouble dx, GLdouble dy, GLint* vp) {
    rec("gluPickMatrix", {x, y, dx, dy, double(vp[0]), double(vp[1]), double(vp[2]), double(vp[3])});
    FWD(gluPickMatrix, x, y, dx, dy, vp);
}
GLint APIENTRY gltrace_gluBuild2DMipmaps(GLenum t, GLint c, GLsizei w, GLsizei h, GLenum f, GLenum ty, const void* d) {
    rec("gluBuild2DMipmaps", {double(t), double(c), double(w), double(h), double(f), double(ty)}, d);
    if (context_current()) return gluBuild2DMipmaps(t, c, w, h, f, ty, d);
    return 0;
}

}  // extern "C"

// Every name of the list is mapped to its entry point above: a line missing from gl.h's map fails here.
#include "platform/gl/tracer/gl.h"
#define CORVALA_GL_TRACED_MAPPED(name) static_assert(&name == &gltrace_##name, #name " is not mapped");
CORVALA_GL_TRACED(CORVALA_GL_TRACED_MAPPED)
