// The matrix stacks and GLU's matrices. Translations, rotations and the rest are products with a matrix of
// their own, so a display list keeps them as that matrix.
#include <cmath>
#include <cstring>

#include "platform/gl/es2/es2.h"

namespace es2 {

Mat4 Identity() {
    Mat4 r{};
    r.m[0] = r.m[5] = r.m[10] = r.m[15] = 1;
    return r;
}

Mat4 operator*(const Mat4& a, const Mat4& b) {
    Mat4 r;
    for (int col = 0; col < 4; ++col)
        for (int row = 0; row < 4; ++row)
            r.m[col * 4 + row] = a.m[row] * b.m[col * 4] + a.m[4 + row] * b.m[col * 4 + 1] +
                                 a.m[8 + row] * b.m[col * 4 + 2] + a.m[12 + row] * b.m[col * 4 + 3];
    return r;
}

void NormalMatrix(const Mat4& m, float out[9]) {
    const float a = m.m[0], b = m.m[4], c = m.m[8], d = m.m[1], e = m.m[5], f = m.m[9], g = m.m[2], h = m.m[6],
                i = m.m[10];
    const float A = e * i - f * h, B = -(d * i - f * g), C = d * h - e * g;
    const float det = a * A + b * B + c * C;
    const float s = det != 0 ? 1 / det : 0;
    // The inverse's transpose is the cofactor matrix over the determinant; out is column-major.
    out[0] = A * s;
    out[1] = -(b * i - c * h) * s;
    out[2] = (b * f - c * e) * s;
    out[3] = B * s;
    out[4] = (a * i - c * g) * s;
    out[5] = -(a * f - c * d) * s;
    out[6] = C * s;
    out[7] = -(a * h - b * g) * s;
    out[8] = (a * e - b * d) * s;
}

Mat4& Top(Context& c) {
    return c.stacks[c.matrix_mode == GL_MODELVIEW ? 0 : c.matrix_mode == GL_PROJECTION ? 1 : 2].back();
}
const Mat4& Modelview(const Context& c) { return c.stacks[0].back(); }
const Mat4& Projection(const Context& c) { return c.stacks[1].back(); }

const Mat4& ModelviewProjection(Context& c) {
    if (c.mvp_version != c.matrix_version) {
        c.mvp = Projection(c) * Modelview(c);
        c.mvp_version = c.matrix_version;
    }
    return c.mvp;
}

namespace {

constexpr size_t kDepth[3] = {32, 32, 10};

std::vector<Mat4>& stack(Context& c) {
    return c.stacks[c.matrix_mode == GL_MODELVIEW ? 0 : c.matrix_mode == GL_PROJECTION ? 1 : 2];
}

void changed(Context& c) {
    Flush(c);
    ++c.matrix_version;
}

void multiply(const Mat4& m) {
    Context* c = Current();
    if (!c) return;
    if (c->compiling && !Record(*c, {kMultMatrixf, {}, {}, std::make_shared<std::vector<float>>(m.m, m.m + 16)}))
        return;
    if (c->in_begin) return SetError(*c, GL_INVALID_OPERATION);
    changed(*c);
    Top(*c) = Top(*c) * m;
}

bool invert(const double m[16], double out[16]) {
    double inv[16];
    inv[0] = m[5] * m[10] * m[15] - m[5] * m[11] * m[14] - m[9] * m[6] * m[15] + m[9] * m[7] * m[14] +
             m[13] * m[6] * m[11] - m[13] * m[7] * m[10];
    inv[4] = -m[4] * m[10] * m[15] + m[4] * m[11] * m[14] + m[8] * m[6] * m[15] - m[8] * m[7] * m[14] -
             m[12] * m[6] * m[11] + m[12] * m[7] * m[10];
    inv[8] = m[4] * m[9] * m[15] - m[4] * m[11] * m[13] - m[8] * m[5] * m[15] + m[8] * m[7] * m[13] +
             m[12] * m[5] * m[11] - m[12] * m[7] * m[9];
    inv[12] = -m[4] * m[9] * m[14] + m[4] * m[10] * m[13] + m[8] * m[5] * m[14] - m[8] * m[6] * m[13] -
              m[12] * m[5] * m[10] + m[12] * m[6] * m[9];
    inv[1] = -m[1] * m[10] * m[15] + m[1] * m[11] * m[14] + m[9] * m[2] * m[15] - m[9] * m[3] * m[14] -
             m[13] * m[2] * m[11] + m[13] * m[3] * m[10];
    inv[5] = m[0] * m[10] * m[15] - m[0] * m[11] * m[14] - m[8] * m[2] * m[15] + m[8] * m[3] * m[14] +
             m[12] * m[2] * m[11] - m[12] * m[3] * m[10];
    inv[9] = -m[0] * m[9] * m[15] + m[0] * m[11] * m[13] + m[8] * m[1] * m[15] - m[8] * m[3] * m[13] -
             m[12] * m[1] * m[11] + m[12] * m[3] * m[9];
    inv[13] = m[0] * m[9] * m[14] - m[0] * m[10] * m[13] - m[8] * m[1] * m[14] + m[8] * m[2] * m[13] +
              m[12] * m[1] * m[10] - m[12] * m[2] * m[9];
    inv[2] = m[1] * m[6] * m[15] - m[1] * m[7] * m[14] - m[5] * m[2] * m[15] + m[5] * m[3] * m[14] +
             m[13] * m[2] * m[7] - m[13] * m[3] * m[6];
    inv[6] = -m[0] * m[6] * m[15] + m[0] * m[7] * m[14] + m[4] * m[2] * m[15] - m[4] * m[3] * m[14] -
             m[12] * m[2] * m[7] + m[12] * m[3] * m[6];
    inv[10] = m[0] * m[5] * m[15] - m[0] * m[7] * m[13] - m[4] * m[1] * m[15] + m[4] * m[3] * m[13] +
              m[12] * m[1] * m[7] - m[12] * m[3] * m[5];
    inv[14] = -m[0] * m[5] * m[14] + m[0] * m[6] * m[13] + m[4] * m[1] * m[14] - m[4] * m[2] * m[13] -
              m[12] * m[1] * m[6] + m[12] * m[2] * m[5];
    inv[3] = -m[1] * m[6] * m[11] + m[1] * m[7] * m[10] + m[5] * m[2] * m[11] - m[5] * m[3] * m[10] -
             m[9] * m[2] * m[7] + m[9] * m[3] * m[6];
    inv[7] = m[0] * m[6] * m[11] - m[0] * m[7] * m[10] - m[4] * m[2] * m[11] + m[4] * m[3] * m[10] +
             m[8] * m[2] * m[7] - m[8] * m[3] * m[6];
    inv[11] = -m[0] * m[5] * m[11] + m[0] * m[7] * m[9] + m[4] * m[1] * m[11] - m[4] * m[3] * m[9] -
              m[8] * m[1] * m[7] + m[8] * m[3] * m[5];
    inv[15] = m[0] * m[5] * m[10] - m[0] * m[6] * m[9] - m[4] * m[1] * m[10] + m[4] * m[2] * m[9] + m[8] * m[1] * m[6] -
              m[8] * m[2] * m[5];
    const double det = m[0] * inv[0] + m[1] * inv[4] + m[2] * inv[8] + m[3] * inv[12];
    if (det == 0) return false;
    for (int i = 0; i < 16; ++i) out[i] = inv[i] / det;
    return true;
}

void transform(const double m[16], const double in[4], double out[4]) {
    for (int row = 0; row < 4; ++row)
        out[row] = m[row] * in[0] + m[4 + row] * in[1] + m[8 + row] * in[2] + m[12 + row] * in[3];
}

}  // namespace
}  // namespace es2

using namespace es2;

extern "C" {

void es2_glMatrixMode(GLenum mode) {
    Context* c = Current();
    if (!c || (c->compiling && !Record(*c, {kMatrixMode, {mode, 0}, {}, nullptr}))) return;
    if (mode != GL_MODELVIEW && mode != GL_PROJECTION && mode != GL_TEXTURE) return SetError(*c, GL_INVALID_ENUM);
    c->matrix_mode = mode;
}

void es2_glLoadIdentity(void) {
    Context* c = Current();
    if (!c || (c->compiling && !Record(*c, {kLoadIdentity, {}, {}, nullptr}))) return;
    changed(*c);
    Top(*c) = Identity();
}

void es2_glLoadMatrixf(const GLfloat* m) {
    Context* c = Current();
    if (!c || (c->compiling && !Record(*c, {kLoadMatrixf, {}, {}, std::make_shared<std::vector<float>>(m, m + 16)})))
        return;
    changed(*c);
    std::memcpy(Top(*c).m, m, sizeof(Mat4));
}

void es2_glMultMatrixf(const GLfloat* m) {
    Mat4 r;
    std::memcpy(r.m, m, sizeof r.m);
    multiply(r);
}

void es2_glPushMatrix(void) {
    Context* c = Current();
    if (!c || (c->compiling && !Record(*c, {kPushMatrix, {}, {}, nullptr}))) return;
    std::vector<Mat4>& s = stack(*c);
    if (s.size() >= kDepth[&s - c->stacks]) return SetError(*c, GL_STACK_OVERFLOW);
    s.push_back(s.back());
}

void es2_glPopMatrix(void) {
    Context* c = Current();
    if (!c || (c->compiling && !Record(*c, {kPopMatrix, {}, {}, nullptr}))) return;
    std::vector<Mat4>& s = stack(*c);
    if (s.size() <= 1) return SetError(*c, GL_STACK_UNDERFLOW);
    changed(*c);
    s.pop_back();
}

void es2_glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
    Mat4 m = Identity();
    m.m[12] = x;
    m.m[13] = y;
    m.m[14] = z;
    multiply(m);
}

void es2_glScalef(GLfloat x, GLfloat y, GLfloat z) {
    Mat4 m = Identity();
    m.m[0] = x;
    m.m[5] = y;
    m.m[10] = z;
    multiply(m);
}

void es2_glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
    const float len = std::sqrt(x * x + y * y + z * z);
    if (len == 0) return multiply(Identity());
    x /= len;
    y /= len;
    z /= len;
    const float rad = angle * float(M_PI / 180.0);
    const float s = std::sin(rad), co = std::cos(rad), t = 1 - co;
    Mat4 m = Identity();
    m.m[0] = x * x * t + co;
    m.m[1] = y * x * t + z * s;
    m.m[2] = x * z * t - y * s;
    m.m[4] = x * y * t - z * s;
    m.m[5] = y * y * t + co;
    m.m[6] = y * z * t + x * s;
    m.m[8] = x * z * t + y * s;
    m.m[9] = y * z * t - x * s;
    m.m[10] = z * z * t + co;
    multiply(m);
}

void es2_glOrtho(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f) {
    Context* c = Current();
    if (!c) return;
    if (l == r || b == t || n == f) return SetError(*c, GL_INVALID_VALUE);
    Mat4 m = Identity();
    m.m[0] = float(2 / (r - l));
    m.m[5] = float(2 / (t - b));
    m.m[10] = float(-2 / (f - n));
    m.m[12] = float(-(r + l) / (r - l));
    m.m[13] = float(-(t + b) / (t - b));
    m.m[14] = float(-(f + n) / (f - n));
    multiply(m);
}

void es2_glViewport(GLint x, GLint y, GLsizei w, GLsizei h) {
    Context* c = Current();
    if (!c || (c->compiling && !Record(*c, {kViewport, {GLenum(x), GLenum(y)}, {float(w), float(h)}, nullptr}))) return;
    if (w < 0 || h < 0) return SetError(*c, GL_INVALID_VALUE);
    changed(*c);  // points are placed on the window's pixels
    c->viewport[0] = x;
    c->viewport[1] = y;
    c->viewport[2] = w;
    c->viewport[3] = h;
    glViewport(x, y, w, h);
}

void es2_gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zn, GLdouble zf) {
    const double rad = fovy / 2 * M_PI / 180, dz = zf - zn, sine = std::sin(rad);
    if (dz == 0 || sine == 0 || aspect == 0) return;
    const double cot = std::cos(rad) / sine;
    Mat4 m = Identity();
    m.m[0] = float(cot / aspect);
    m.m[5] = float(cot);
    m.m[10] = float(-(zf + zn) / dz);
    m.m[11] = -1;
    m.m[14] = float(-2 * zn * zf / dz);
    m.m[15] = 0;
    multiply(m);
}

void es2_gluPickMatrix(GLdouble x, GLdouble y, GLdouble dx, GLdouble dy, GLint* vp) {
    if (dx <= 0 || dy <= 0) return;
    es2_glTranslatef(GLfloat((vp[2] - 2 * (x - vp[0])) / dx), GLfloat((vp[3] - 2 * (y - vp[1])) / dy), 0);
    es2_glScalef(GLfloat(vp[2] / dx), GLfloat(vp[3] / dy), 1.0f);
}

GLint es2_gluProject(GLdouble ox, GLdouble oy, GLdouble oz, const GLdouble* model, const GLdouble* proj,
                     const GLint* view, GLdouble* wx, GLdouble* wy, GLdouble* wz) {
    const double in[4] = {ox, oy, oz, 1};
    double eye[4], clip[4];
    transform(model, in, eye);
    transform(proj, eye, clip);
    if (clip[3] == 0) return GL_FALSE;
    for (int i = 0; i < 3; ++i) clip[i] = clip[i] / clip[3] * 0.5 + 0.5;
    *wx = clip[0] * view[2] + view[0];
    *wy = clip[1] * view[3] + view[1];
    *wz = clip[2];
    return GL_TRUE;
}

GLint es2_gluUnProject(GLdouble wx, GLdouble wy, GLdouble wz, const GLdouble* model, const GLdouble* proj,
                       const GLint* view, GLdouble* ox, GLdouble* oy, GLdouble* oz) {
    double both[16], inv[16];
    for (int col = 0; col < 4; ++col)
        for (int row = 0; row < 4; ++row)
            both[col * 4 + row] = proj[row] * model[col * 4] + proj[4 + row] * model[col * 4 + 1] +
                                  proj[8 + row] * model[col * 4 + 2] + proj[12 + row] * model[col * 4 + 3];
    if (!invert(both, inv)) return GL_FALSE;
    const double in[4] = {(wx - view[0]) / view[2] * 2 - 1, (wy - view[1]) / view[3] * 2 - 1, wz * 2 - 1, 1};
    double out[4];
    transform(inv, in, out);
    if (out[3] == 0) return GL_FALSE;
    *ox = out[0] / out[3];
    *oy = out[1] / out[3];
    *oz = out[2] / out[3];
    return GL_TRUE;
}

}  // extern "C"
