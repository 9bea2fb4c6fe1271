// Selection in software: nothing is drawn; each primitive is transformed, clipped to the view volume and,
// for polygons, culled as GL would, and the window depths of what is left make the hit.
#include <algorithm>
#include <cmath>

#include "platform/gl/es2/es2.h"

namespace es2 {
namespace {

constexpr size_t kMaxNames = 64;

struct Clip {
    float v[4];
};

void write(Context& c, GLuint value) {
    if (c.select_count < GLuint(c.select_size)) c.select_buffer[c.select_count] = value;
    ++c.select_count;  // past the end it only counts, so that the overflow is known
}

GLuint depth_word(float z) { return GLuint(std::clamp(double(z), 0.0, 1.0) * 4294967295.0); }

void write_hit(Context& c) {
    write(c, GLuint(c.names.size()));
    write(c, depth_word(c.hit_min));
    write(c, depth_word(c.hit_max));
    for (GLuint n : c.names) write(c, n);
    ++c.hits;
    c.hit_flag = false;
    c.hit_min = 1;
    c.hit_max = 0;
}

void hit(Context& c, const Clip& p) {
    const float z = p.v[2] / p.v[3] * 0.5f + 0.5f;
    c.hit_flag = true;
    c.hit_min = std::min(c.hit_min, z);
    c.hit_max = std::max(c.hit_max, z);
}

// The distance to each side of the view volume: inside where all are at least 0.
float side(const Clip& p, int plane) {
    const float* v = p.v;
    switch (plane) {
    case 0: return v[3] + v[0];
    case 1: return v[3] - v[0];
    case 2: return v[3] + v[1];
    case 3: return v[3] - v[1];
    case 4: return v[3] + v[2];
    default: return v[3] - v[2];
    }
}

Clip lerp(const Clip& a, const Clip& b, float t) {
    Clip r;
    for (int i = 0; i < 4; ++i) r.v[i] = a.v[i] + (b.v[i] - a.v[i]) * t;
    return r;
}

void line(Context& c, Clip a, Clip b) {
    for (int plane = 0; plane < 6; ++plane) {
        const float da = side(a, plane), db = side(b, plane);
        if (da < 0 && db < 0) return;
        if (da < 0) a = lerp(a, b, da / (da - db));
        else if (db < 0) b = lerp(a, b, da / (da - db));
    }
    hit(c, a);
    hit(c, b);
}

// The sides of the view volume a point lies beyond, a bit each, in the order of side().
unsigned outside(const Clip& p) {
    const float x = p.v[0], y = p.v[1], z = p.v[2], w = p.v[3];
    return unsigned(w + x < 0) | unsigned(w - x < 0) << 1 | unsigned(w + y < 0) << 2 | unsigned(w - y < 0) << 3 |
           unsigned(w + z < 0) << 4 | unsigned(w - z < 0) << 5;
}

void triangle(Context& c, const Clip& a, const Clip& b, const Clip& d, unsigned ca, unsigned cb, unsigned cd) {
    // Wholly beyond one side: most of what a pick region sees.
    if (ca & cb & cd) return;
    // Clipped side by side: a triangle gains at most one corner a side.
    Clip poly[9], next[9];
    size_t n = 3;
    poly[0] = a;
    poly[1] = b;
    poly[2] = d;
    for (int plane = 0; plane < 6 && n > 0 && (ca | cb | cd); ++plane) {
        if (!((ca | cb | cd) & (1u << plane))) continue;
        size_t m = 0;
        for (size_t i = 0; i < n; ++i) {
            const Clip& p = poly[i];
            const Clip& q = poly[(i + 1) % n];
            const float dp = side(p, plane), dq = side(q, plane);
            if (dp >= 0) next[m++] = p;
            if ((dp >= 0) != (dq >= 0)) next[m++] = lerp(p, q, dp / (dp - dq));
        }
        std::copy(next, next + m, poly);
        n = m;
    }
    if (n < 3) return;
    if (c.cull) {
        // Twice the window area, y up: positive turns counter-clockwise.
        float area = 0;
        for (size_t i = 0; i < n; ++i) {
            const Clip& p = poly[i];
            const Clip& q = poly[(i + 1) % n];
            area += p.v[0] / p.v[3] * (q.v[1] / q.v[3]) - q.v[0] / q.v[3] * (p.v[1] / p.v[3]);
        }
        if (area == 0 || !std::isfinite(area)) return;
        const bool front = (area > 0) == (c.front_face == GL_CCW);
        if (c.cull_mode == GL_FRONT_AND_BACK || (c.cull_mode == GL_FRONT) == front) return;
    }
    for (size_t i = 0; i < n; ++i) hit(c, poly[i]);
}

}  // namespace

void SelectPrimitive(Context& c, GLenum mode, const float* pos, size_t n, size_t stride) {
    const Mat4& mvp = ModelviewProjection(c);
    static thread_local std::vector<Clip> clip;
    static thread_local std::vector<unsigned> codes;
    clip.resize(n);
    codes.resize(n);
    for (size_t i = 0; i < n; ++i, pos += stride) {
        const float in[4] = {pos[0], pos[1], pos[2], 1};
        Transform(mvp, in, clip[i].v);
        codes[i] = outside(clip[i]);
    }
    switch (mode) {
    case GL_POINTS:
        for (size_t i = 0; i < n; ++i)
            if (!codes[i]) hit(c, clip[i]);
        return;
    case GL_LINES:
        for (size_t i = 0; i + 1 < n; i += 2) line(c, clip[i], clip[i + 1]);
        return;
    case GL_LINE_STRIP:
    case GL_LINE_LOOP:
        for (size_t i = 0; i + 1 < n; ++i) line(c, clip[i], clip[i + 1]);
        if (mode == GL_LINE_LOOP && n >= 2) line(c, clip[n - 1], clip[0]);
        return;
    default: break;
    }
    ForEachTriangle(mode, n, [&](size_t i, size_t j, size_t k, unsigned) {
        triangle(c, clip[i], clip[j], clip[k], codes[i], codes[j], codes[k]);
    });
}

}  // namespace es2

using namespace es2;

extern "C" {

void es2_glSelectBuffer(GLsizei size, GLuint* buffer) {
    Context* c = Current();
    if (!c) return;
    if (size < 0) return SetError(*c, GL_INVALID_VALUE);
    if (c->render_mode == GL_SELECT) return SetError(*c, GL_INVALID_OPERATION);
    c->select_buffer = buffer;
    c->select_size = size;
    c->select_count = 0;
    c->hit_flag = false;
    c->hit_min = 1;
    c->hit_max = 0;
}

GLint es2_glRenderMode(GLenum mode) {
    Context* c = Current();
    if (!c) return 0;
    if (c->in_begin) {
        SetError(*c, GL_INVALID_OPERATION);
        return 0;
    }
    if (mode != GL_RENDER && mode != GL_SELECT) {
        SetError(*c, mode == GL_FEEDBACK ? GL_INVALID_OPERATION : GL_INVALID_ENUM);
        return 0;
    }
    if (mode == GL_SELECT && !c->select_buffer) {
        SetError(*c, GL_INVALID_OPERATION);
        return 0;
    }
    Flush(*c);
    GLint result = 0;
    if (c->render_mode == GL_SELECT) {
        if (c->hit_flag) write_hit(*c);
        // More words than the buffer holds: GL says -1, and the buffer keeps what fitted.
        result = c->select_count > GLuint(c->select_size) ? -1 : GLint(c->hits);
        c->select_count = 0;
        c->hits = 0;
        c->names.clear();
    }
    c->render_mode = mode;
    return result;
}

void es2_glInitNames(void) {
    Context* c = Current();
    if (!c || (c->compiling && !Record(*c, {kInitNames, {}, {}, nullptr}))) return;
    if (c->render_mode != GL_SELECT) return;
    if (c->hit_flag) write_hit(*c);
    c->names.clear();
    c->hit_flag = false;
    c->hit_min = 1;
    c->hit_max = 0;
}

void es2_glLoadName(GLuint name) {
    Context* c = Current();
    if (!c || (c->compiling && !Record(*c, {kLoadName, {name, 0}, {}, nullptr}))) return;
    if (c->render_mode != GL_SELECT) return;
    if (c->names.empty()) return SetError(*c, GL_INVALID_OPERATION);
    if (c->hit_flag) write_hit(*c);
    c->names.back() = name;
}

void es2_glPushName(GLuint name) {
    Context* c = Current();
    if (!c || (c->compiling && !Record(*c, {kPushName, {name, 0}, {}, nullptr}))) return;
    if (c->render_mode != GL_SELECT) return;
    if (c->hit_flag) write_hit(*c);
    if (c->names.size() >= kMaxNames) return SetError(*c, GL_STACK_OVERFLOW);
    c->names.push_back(name);
}

void es2_glPopName(void) {
    Context* c = Current();
    if (!c || (c->compiling && !Record(*c, {kPopName, {}, {}, nullptr}))) return;
    if (c->render_mode != GL_SELECT) return;
    if (c->hit_flag) write_hit(*c);
    if (c->names.empty()) return SetError(*c, GL_STACK_UNDERFLOW);
    c->names.pop_back();
}

}  // extern "C"
