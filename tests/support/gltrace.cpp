#include "tests/support/gltrace.h"

#ifdef _WIN32
#include "platform/windows/surface.h"
// The GL entry points below are this program's own definitions, not imports from opengl32.
#undef WINGDIAPI
#define WINGDIAPI
#endif
#include <GL/gl.h>
#include <GL/glu.h>
#ifndef _WIN32
#include <GL/glx.h>
#include <dlfcn.h>
#endif

#include <cstdio>
#include <initializer_list>

namespace gltrace {
namespace {
std::vector<Call> g_calls;
bool g_recording = false;
int g_inside_glu = 0;  // GLU calls back into GL; those inner calls are not the caller's
GLuint g_fake_name = 0;

void rec(const char* name, std::initializer_list<double> args, const void* ptr = nullptr) {
    if (!g_recording || g_inside_glu > 0) return;
    Call c;
    c.name = name;
    c.args.assign(args.begin(), args.end());
    c.ptr = ptr;
    g_calls.push_back(std::move(c));
}
void rec_v(const char* name, std::initializer_list<double> head, const GLfloat* v, int n) {
    if (!g_recording || g_inside_glu > 0) return;
    Call c;
    c.name = name;
    c.args.assign(head.begin(), head.end());
    for (int i = 0; i < n && v; ++i) c.args.push_back(v[i]);
    g_calls.push_back(std::move(c));
}
struct GluScope {
    GluScope() { ++g_inside_glu; }
    ~GluScope() { --g_inside_glu; }
};
}  // namespace

#ifdef _WIN32
bool context_current() { return wglGetCurrentContext() != nullptr; }
// The system's own entry point of that name, in opengl32 or glu32.
void* real_entry(const char* name) {
    static HMODULE gl = LoadLibraryA("opengl32.dll");
    static HMODULE glu = LoadLibraryA("glu32.dll");
    FARPROC p = gl ? GetProcAddress(gl, name) : nullptr;
    if (!p && glu) p = GetProcAddress(glu, name);
    return reinterpret_cast<void*>(p);
}
#else
bool context_current() {
    using Fn = GLXContext (*)();
    static Fn fn = reinterpret_cast<Fn>(dlsym(RTLD_DEFAULT, "glXGetCurrentContext"));
    return fn && fn() != nullptr;
}
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

// The entry points read as a table, one to a line; the formatter leaves them so.
// clang-format off
#ifdef _WIN32
#define REAL(name) \
    ([]() { static auto fn = reinterpret_cast<decltype(&::name)>(gltrace::real_entry(#name)); return fn; }())
#else
#define REAL(name) \
    ([]() { static auto fn = reinterpret_cast<decltype(&::name)>(dlsym(RTLD_NEXT, #name)); return fn; }())
#endif
#define FWD(name, ...) \
    do { if (context_current() && REAL(name)) REAL(name)(__VA_ARGS__); } while (0)

extern "C" {

void glBegin(GLenum m) { rec("glBegin", {double(m)}); FWD(glBegin, m); }
void glEnd() { rec("glEnd", {}); FWD(glEnd); }
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) { rec("glVertex3f", {x, y, z}); FWD(glVertex3f, x, y, z); }
void glNormal3f(GLfloat x, GLfloat y, GLfloat z) { rec("glNormal3f", {x, y, z}); FWD(glNormal3f, x, y, z); }
void glTexCoord2f(GLfloat s, GLfloat t) { rec("glTexCoord2f", {s, t}); FWD(glTexCoord2f, s, t); }
void glColor3f(GLfloat r, GLfloat g, GLfloat b) { rec("glColor3f", {r, g, b}); FWD(glColor3f, r, g, b); }
void glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) { rec("glColor4f", {r, g, b, a}); FWD(glColor4f, r, g, b, a); }
void glClear(GLbitfield m) { rec("glClear", {double(m)}); FWD(glClear, m); }
void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) { rec("glClearColor", {r, g, b, a}); FWD(glClearColor, r, g, b, a); }
void glClearDepth(GLclampd d) { rec("glClearDepth", {d}); FWD(glClearDepth, d); }
void glViewport(GLint x, GLint y, GLsizei w, GLsizei h) { rec("glViewport", {double(x), double(y), double(w), double(h)}); FWD(glViewport, x, y, w, h); }
void glMatrixMode(GLenum m) { rec("glMatrixMode", {double(m)}); FWD(glMatrixMode, m); }
void glLoadIdentity() { rec("glLoadIdentity", {}); FWD(glLoadIdentity); }
void glPushMatrix() { rec("glPushMatrix", {}); FWD(glPushMatrix); }
void glPopMatrix() { rec("glPopMatrix", {}); FWD(glPopMatrix); }
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) { rec("glTranslatef", {x, y, z}); FWD(glTranslatef, x, y, z); }
void glRotatef(GLfloat a, GLfloat x, GLfloat y, GLfloat z) { rec("glRotatef", {a, x, y, z}); FWD(glRotatef, a, x, y, z); }
void glScalef(GLfloat x, GLfloat y, GLfloat z) { rec("glScalef", {x, y, z}); FWD(glScalef, x, y, z); }
void glMultMatrixf(const GLfloat* m) { rec_v("glMultMatrixf", {}, m, 16); FWD(glMultMatrixf, m); }
void glOrtho(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f) { rec("glOrtho", {l, r, b, t, n, f}); FWD(glOrtho, l, r, b, t, n, f); }
void glEnable(GLenum c) { rec("glEnable", {double(c)}); FWD(glEnable, c); }
void glDisable(GLenum c) { rec("glDisable", {double(c)}); FWD(glDisable, c); }
void glDepthFunc(GLenum f) { rec("glDepthFunc", {double(f)}); FWD(glDepthFunc, f); }
void glDepthMask(GLboolean f) { rec("glDepthMask", {double(f)}); FWD(glDepthMask, f); }
void glBlendFunc(GLenum s, GLenum d) { rec("glBlendFunc", {double(s), double(d)}); FWD(glBlendFunc, s, d); }
void glAlphaFunc(GLenum f, GLclampf r) { rec("glAlphaFunc", {double(f), r}); FWD(glAlphaFunc, f, r); }
void glCullFace(GLenum m) { rec("glCullFace", {double(m)}); FWD(glCullFace, m); }
void glFrontFace(GLenum m) { rec("glFrontFace", {double(m)}); FWD(glFrontFace, m); }
void glPolygonMode(GLenum f, GLenum m) { rec("glPolygonMode", {double(f), double(m)}); FWD(glPolygonMode, f, m); }
void glLineWidth(GLfloat w) { rec("glLineWidth", {w}); FWD(glLineWidth, w); }
void glPointSize(GLfloat s) { rec("glPointSize", {s}); FWD(glPointSize, s); }
void glLightfv(GLenum l, GLenum p, const GLfloat* v) { rec_v("glLightfv", {double(l), double(p)}, v, 4); FWD(glLightfv, l, p, v); }
void glLightModeli(GLenum p, GLint v) { rec("glLightModeli", {double(p), double(v)}); FWD(glLightModeli, p, v); }
void glHint(GLenum t, GLenum m) { rec("glHint", {double(t), double(m)}); FWD(glHint, t, m); }
void glPixelStorei(GLenum p, GLint v) { rec("glPixelStorei", {double(p), double(v)}); FWD(glPixelStorei, p, v); }
void glBindTexture(GLenum t, GLuint n) { rec("glBindTexture", {double(t), double(n)}); FWD(glBindTexture, t, n); }
void glTexParameteri(GLenum t, GLenum p, GLint v) { rec("glTexParameteri", {double(t), double(p), double(v)}); FWD(glTexParameteri, t, p, v); }
void glTexImage2D(GLenum t, GLint l, GLint i, GLsizei w, GLsizei h, GLint b, GLenum f, GLenum ty, const GLvoid* p) {
    rec("glTexImage2D", {double(t), double(l), double(i), double(w), double(h), double(b), double(f), double(ty)}, p);
    FWD(glTexImage2D, t, l, i, w, h, b, f, ty, p);
}
void glGenTextures(GLsizei n, GLuint* names) {
    rec("glGenTextures", {double(n)});
    if (context_current() && REAL(glGenTextures)) { REAL(glGenTextures)(n, names); return; }
    for (GLsizei i = 0; i < n; ++i) names[i] = ++gltrace::g_fake_name;
}
GLuint glGenLists(GLsizei r) {
    rec("glGenLists", {double(r)});
    if (context_current() && REAL(glGenLists)) return REAL(glGenLists)(r);
    GLuint first = gltrace::g_fake_name + 1;
    gltrace::g_fake_name += GLuint(r);
    return first;
}
void glNewList(GLuint l, GLenum m) { rec("glNewList", {double(l), double(m)}); FWD(glNewList, l, m); }
void glEndList() { rec("glEndList", {}); FWD(glEndList); }
void glCallList(GLuint l) { rec("glCallList", {double(l)}); FWD(glCallList, l); }
void glSelectBuffer(GLsizei n, GLuint* b) { rec("glSelectBuffer", {double(n)}, b); FWD(glSelectBuffer, n, b); }
void glGetIntegerv(GLenum p, GLint* v) {
    rec("glGetIntegerv", {double(p)});
    if (context_current() && REAL(glGetIntegerv)) { REAL(glGetIntegerv)(p, v); return; }
    if (p == GL_VIEWPORT) { v[0] = v[1] = v[2] = v[3] = 0; } else { v[0] = 0; }
}
GLint glRenderMode(GLenum m) {
    rec("glRenderMode", {double(m)});
    if (context_current() && REAL(glRenderMode)) return REAL(glRenderMode)(m);
    return 0;
}
void glInitNames() { rec("glInitNames", {}); FWD(glInitNames); }
void glPushName(GLuint n) { rec("glPushName", {double(n)}); FWD(glPushName, n); }
void glPopName() { rec("glPopName", {}); FWD(glPopName); }
void glLoadName(GLuint n) { rec("glLoadName", {double(n)}); FWD(glLoadName, n); }

// clang-format on

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zn, GLdouble zf) {
    rec("gluPerspective", {fovy, aspect, zn, zf});
    gltrace::GluScope s;
    FWD(gluPerspective, fovy, aspect, zn, zf);
}
void gluPickMatrix(GLdouble x, GLdouble y, GLdouble dx, GLdouble dy, GLint* vp) {
    rec("gluPickMatrix", {x, y, dx, dy, double(vp[0]), double(vp[1]), double(vp[2]), double(vp[3])});
    gltrace::GluScope s;
    FWD(gluPickMatrix, x, y, dx, dy, vp);
}
GLint gluBuild2DMipmaps(GLenum t, GLint c, GLsizei w, GLsizei h, GLenum f, GLenum ty, const void* d) {
    rec("gluBuild2DMipmaps", {double(t), double(c), double(w), double(h), double(f), double(ty)}, d);
    gltrace::GluScope s;
    if (context_current() && REAL(gluBuild2DMipmaps)) return REAL(gluBuild2DMipmaps)(t, c, w, h, f, ty, d);
    return 0;
}

}  // extern "C"

#ifdef _WIN32
// gl.h declares GL's entry points as imports, so the framework calls them through its import table;
// these entries of the table are this program's and point at the definitions above. GLU's entry
// points are plain functions, which the definitions above replace directly.
// clang-format off
#define IMPORTED(name) decltype(&::name) __imp_##name = &::name;
extern "C" {
IMPORTED(glAlphaFunc)
IMPORTED(glBegin)
IMPORTED(glBindTexture)
IMPORTED(glBlendFunc)
IMPORTED(glCallList)
IMPORTED(glClear)
IMPORTED(glClearColor)
IMPORTED(glClearDepth)
IMPORTED(glColor3f)
IMPORTED(glColor4f)
IMPORTED(glCullFace)
IMPORTED(glDepthFunc)
IMPORTED(glDepthMask)
IMPORTED(glDisable)
IMPORTED(glEnable)
IMPORTED(glEnd)
IMPORTED(glEndList)
IMPORTED(glFrontFace)
IMPORTED(glGenLists)
IMPORTED(glGenTextures)
IMPORTED(glGetIntegerv)
IMPORTED(glHint)
IMPORTED(glInitNames)
IMPORTED(glLightModeli)
IMPORTED(glLightfv)
IMPORTED(glLineWidth)
IMPORTED(glLoadIdentity)
IMPORTED(glLoadName)
IMPORTED(glMatrixMode)
IMPORTED(glMultMatrixf)
IMPORTED(glNewList)
IMPORTED(glNormal3f)
IMPORTED(glOrtho)
IMPORTED(glPixelStorei)
IMPORTED(glPointSize)
IMPORTED(glPolygonMode)
IMPORTED(glPopMatrix)
IMPORTED(glPopName)
IMPORTED(glPushMatrix)
IMPORTED(glPushName)
IMPORTED(glRenderMode)
IMPORTED(glRotatef)
IMPORTED(glScalef)
IMPORTED(glSelectBuffer)
IMPORTED(glTexCoord2f)
IMPORTED(glTexImage2D)
IMPORTED(glTexParameteri)
IMPORTED(glTranslatef)
IMPORTED(glVertex3f)
IMPORTED(glViewport)
}
// clang-format on
#endif
