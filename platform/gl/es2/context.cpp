// Contexts, the switches and the state that ES keeps no copy of, and the queries that read it back.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "platform/gl/es2/es2.h"
#include "platform/gl/provider.h"

namespace es2 {
namespace {

std::map<const void*, std::unique_ptr<Context>> g_contexts;

// A context's first moment as the current one: what GL 1.1 starts with that ES does not.
void ready(Context& c) {
    if (c.es_ready) return;
    c.es_ready = true;
    for (auto& s : c.stacks) s.assign(1, Identity());
    glGetIntegerv(GL_VIEWPORT, c.viewport);
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &c.max_texture_size);
    glGetFloatv(GL_ALIASED_LINE_WIDTH_RANGE, c.line_range);
    // Images are unpacked and packed here, tightly; ES sees rows of whole RGBA pixels.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    c.lights[0].diffuse[0] = c.lights[0].diffuse[1] = c.lights[0].diffuse[2] = 1;
    c.lights[0].specular[0] = c.lights[0].specular[1] = c.lights[0].specular[2] = 1;
    c.textures[0];
}

bool native_cap(GLenum cap) {
    switch (cap) {
    case GL_BLEND:
    case GL_DEPTH_TEST:
    case GL_CULL_FACE:
    case GL_DITHER:
    case GL_SCISSOR_TEST:
    case GL_POLYGON_OFFSET_FILL:
    case GL_STENCIL_TEST: return true;
    default: return false;
    }
}

bool* own_cap(Context& c, GLenum cap) {
    switch (cap) {
    case GL_LIGHTING: return &c.lighting;
    case GL_COLOR_MATERIAL: return &c.color_material;
    case GL_NORMALIZE: return &c.normalize;
    case GL_TEXTURE_2D: return &c.texture_2d;
    case GL_ALPHA_TEST: return &c.alpha_test;
    case GL_CULL_FACE: return &c.cull;
    case GL_AUTO_NORMAL: return &c.auto_normal;
    case GL_LINE_SMOOTH: return &c.line_smooth;
    case GL_POINT_SMOOTH: return &c.point_smooth;
    case GL_POLYGON_SMOOTH: return &c.polygon_smooth;
    case GL_DEPTH_TEST: return &c.depth_test;
    case GL_BLEND: return &c.blend;
    default: break;
    }
    if (cap >= GL_LIGHT0 && cap <= GL_LIGHT7) return &c.light_on[cap - GL_LIGHT0];
    return nullptr;
}

void enable(GLenum cap, bool on) {
    Context* c = Current();
    if (!c || (c->compiling && !Record(*c, {on ? kEnable : kDisable, {cap, 0}, {}, nullptr}))) return;
    if (c->in_begin) return SetError(*c, GL_INVALID_OPERATION);
    Flush(*c);
    if (cap == GL_COLOR_MATERIAL || (c->color_material && cap == GL_LIGHTING)) {
        // While it is on the material follows glColor; off, it keeps the last colour it took.
        for (int face = 0; face < 2; ++face) {
            std::memcpy(c->material_ambient[face], c->color, sizeof c->color);
            std::memcpy(c->material_diffuse[face], c->color, sizeof c->color);
        }
    }
    if (bool* own = own_cap(*c, cap)) *own = on;
    else c->other_caps[cap] = on;
    if ((cap >= GL_LIGHT0 && cap <= GL_LIGHT7) || cap == GL_COLOR_MATERIAL || cap == GL_LIGHTING) ++c->light_version;
    if (native_cap(cap)) on ? glEnable(cap) : glDisable(cap);
}

int hint_slot(GLenum target) {
    switch (target) {
    case GL_PERSPECTIVE_CORRECTION_HINT: return 0;
    case GL_POINT_SMOOTH_HINT: return 1;
    case GL_LINE_SMOOTH_HINT: return 2;
    case GL_POLYGON_SMOOTH_HINT: return 3;
    case GL_FOG_HINT: return 4;
    default: return -1;
    }
}

GLint* store_slot(Context& c, GLenum pname) {
    switch (pname) {
    case GL_UNPACK_ALIGNMENT: return &c.unpack_alignment;
    case GL_UNPACK_ROW_LENGTH: return &c.unpack_row_length;
    case GL_UNPACK_SKIP_ROWS: return &c.unpack_skip_rows;
    case GL_UNPACK_SKIP_PIXELS: return &c.unpack_skip_pixels;
    case GL_PACK_ALIGNMENT: return &c.pack_alignment;
    case GL_PACK_ROW_LENGTH: return &c.pack_row_length;
    case GL_PACK_SKIP_ROWS: return &c.pack_skip_rows;
    case GL_PACK_SKIP_PIXELS: return &c.pack_skip_pixels;
    default: return nullptr;
    }
}

// GL 1.1's state as numbers; false for what ES answers itself.
bool query(Context& c, GLenum pname, double* out, int& n) {
    auto put = [&](std::initializer_list<double> v) {
        n = 0;
        for (double d : v) out[n++] = d;
        return true;
    };
    auto put_f = [&](const float* v, int count) {
        for (n = 0; n < count; ++n) out[n] = v[n];
        return true;
    };
    if (bool* own = own_cap(c, pname)) return put({*own ? 1.0 : 0.0});
    if (GLint* slot = store_slot(c, pname)) return put({double(*slot)});
    if (const int h = hint_slot(pname); h >= 0) return put({double(c.hints[h])});
    switch (pname) {
    case GL_VIEWPORT:
        return put({double(c.viewport[0]), double(c.viewport[1]), double(c.viewport[2]), double(c.viewport[3])});
    case GL_MATRIX_MODE: return put({double(c.matrix_mode)});
    case GL_MODELVIEW_MATRIX: return put_f(c.stacks[0].back().m, 16);
    case GL_PROJECTION_MATRIX: return put_f(c.stacks[1].back().m, 16);
    case GL_TEXTURE_MATRIX: return put_f(c.stacks[2].back().m, 16);
    case GL_MODELVIEW_STACK_DEPTH: return put({double(c.stacks[0].size())});
    case GL_PROJECTION_STACK_DEPTH: return put({double(c.stacks[1].size())});
    case GL_TEXTURE_STACK_DEPTH: return put({double(c.stacks[2].size())});
    case GL_MAX_MODELVIEW_STACK_DEPTH:
    case GL_MAX_PROJECTION_STACK_DEPTH: return put({32});
    case GL_MAX_NAME_STACK_DEPTH:
    case GL_MAX_LIST_NESTING: return put({64});
    case GL_NAME_STACK_DEPTH: return put({double(c.names.size())});
    case GL_MAX_LIGHTS: return put({8});
    case GL_POLYGON_MODE: return put({double(c.polygon_mode[0]), double(c.polygon_mode[1])});
    case GL_ALPHA_TEST_FUNC: return put({double(c.alpha_func)});
    case GL_ALPHA_TEST_REF: return put({double(c.alpha_ref)});
    case GL_CURRENT_COLOR: return put_f(c.color, 4);
    case GL_CURRENT_NORMAL: return put_f(c.normal, 3);
    case GL_CURRENT_TEXTURE_COORDS: return put({c.tex[0], c.tex[1], 0, 1});
    case GL_TEXTURE_BINDING_2D: return put({double(c.bound)});
    case GL_CULL_FACE_MODE: return put({double(c.cull_mode)});
    case GL_FRONT_FACE: return put({double(c.front_face)});
    case GL_DEPTH_FUNC: return put({double(c.depth_func)});
    case GL_DEPTH_WRITEMASK: return put({c.depth_mask ? 1.0 : 0.0});
    case GL_BLEND_SRC: return put({double(c.blend_src)});
    case GL_BLEND_DST: return put({double(c.blend_dst)});
    case GL_COLOR_WRITEMASK:
        return put(
            {double(c.color_mask[0]), double(c.color_mask[1]), double(c.color_mask[2]), double(c.color_mask[3])});
    case GL_COLOR_CLEAR_VALUE: return put_f(c.clear_color, 4);
    case GL_DEPTH_CLEAR_VALUE: return put({c.clear_depth});
    case GL_POINT_SIZE: return put({c.point_size});
    case GL_LINE_WIDTH: return put({c.line_width});
    case GL_LIGHT_MODEL_TWO_SIDE: return put({c.two_side ? 1.0 : 0.0});
    case GL_LIGHT_MODEL_LOCAL_VIEWER: return put({c.local_viewer ? 1.0 : 0.0});
    case GL_LIGHT_MODEL_AMBIENT: return put_f(c.model_ambient, 4);
    case GL_RENDER_MODE: return put({double(c.render_mode)});
    case GL_SELECTION_BUFFER_SIZE: return put({double(c.select_size)});
    case GL_LIST_INDEX: return put({double(c.compiling)});
    case GL_LIST_MODE: return put({double(c.list_mode)});
    case GL_SHADE_MODEL: return put({GL_SMOOTH});
    case GL_READ_BUFFER: return put({GL_BACK});
    case GL_MAX_TEXTURE_SIZE: return put({double(c.max_texture_size)});
    default: break;
    }
    if (c.other_caps.count(pname)) return put({c.other_caps[pname] ? 1.0 : 0.0});
    return false;
}

}  // namespace

Context* g_current = nullptr;

void SetError(Context& c, GLenum e) {
    if (c.error == GL_NO_ERROR) c.error = e;
}

}  // namespace es2

namespace glprovider {
using namespace es2;

void Created(const void* context) { g_contexts[context] = std::make_unique<Context>(); }

void MadeCurrent(const void* context) {
    auto it = g_contexts.find(context);
    g_current = it == g_contexts.end() ? nullptr : it->second.get();
    if (g_current) {
        ready(*g_current);
        g_current->program = nullptr;  // ES's own choice may have changed under another context
    }
}

void Deleted(const void* context) {
    auto it = g_contexts.find(context);
    if (it == g_contexts.end()) return;
    if (g_current == it->second.get()) {
        ReleaseDrawing(*g_current);
        ReleaseTextures(*g_current);
        g_current = nullptr;
    }
    g_contexts.erase(it);
}

bool HasCurrent() { return g_current != nullptr; }

void Finish() {
    if (g_current) Flush(*g_current);
}

}  // namespace glprovider

using namespace es2;

extern "C" {

void es2_glEnable(GLenum cap) { enable(cap, true); }
void es2_glDisable(GLenum cap) { enable(cap, false); }

GLboolean es2_glIsEnabled(GLenum cap) {
    Context* c = Current();
    if (!c) return GL_FALSE;
    if (bool* own = own_cap(*c, cap)) return *own;
    auto it = c->other_caps.find(cap);
    return it != c->other_caps.end() && it->second;
}

void es2_glAlphaFunc(GLenum func, GLclampf ref) {
    Context* c = Current();
    if (!c || (c->compiling && !Record(*c, {kAlphaFunc, {func, 0}, {ref, 0, 0, 0}, nullptr}))) return;
    if (func < GL_NEVER || func > GL_ALWAYS) return SetError(*c, GL_INVALID_ENUM);
    Flush(*c);
    c->alpha_func = func;
    c->alpha_ref = std::clamp(ref, 0.0f, 1.0f);
    ++c->misc_version;
}

void es2_glBlendFunc(GLenum s, GLenum d) {
    Context* c = Current();
    if (!c || (c->compiling && !Record(*c, {kBlendFunc, {s, d}, {}, nullptr}))) return;
    Flush(*c);
    c->blend_src = s;
    c->blend_dst = d;
    glBlendFunc(s, d);
}

void es2_glDepthFunc(GLenum f) {
    Context* c = Current();
    if (!c || (c->compiling && !Record(*c, {kDepthFunc, {f, 0}, {}, nullptr}))) return;
    Flush(*c);
    c->depth_func = f;
    glDepthFunc(f);
}

void es2_glDepthMask(GLboolean flag) {
    Context* c = Current();
    if (!c || (c->compiling && !Record(*c, {kDepthMask, {flag, 0}, {}, nullptr}))) return;
    Flush(*c);
    c->depth_mask = flag != 0;
    glDepthMask(flag);
}

void es2_glColorMask(GLboolean r, GLboolean g, GLboolean b, GLboolean a) {
    Context* c = Current();
    if (!c || (c->compiling && !Record(*c, {kColorMask, {}, {float(r), float(g), float(b), float(a)}, nullptr})))
        return;
    Flush(*c);
    c->color_mask[0] = r;
    c->color_mask[1] = g;
    c->color_mask[2] = b;
    c->color_mask[3] = a;
    glColorMask(r, g, b, a);
}

void es2_glCullFace(GLenum mode) {
    Context* c = Current();
    if (!c || (c->compiling && !Record(*c, {kCullFace, {mode, 0}, {}, nullptr}))) return;
    Flush(*c);
    c->cull_mode = mode;
    glCullFace(mode);
}

void es2_glFrontFace(GLenum mode) {
    Context* c = Current();
    if (!c || (c->compiling && !Record(*c, {kFrontFace, {mode, 0}, {}, nullptr}))) return;
    Flush(*c);
    c->front_face = mode;
    glFrontFace(mode);
}

void es2_glPolygonMode(GLenum face, GLenum mode) {
    Context* c = Current();
    if (!c || (c->compiling && !Record(*c, {kPolygonMode, {face, mode}, {}, nullptr}))) return;
    if (mode != GL_POINT && mode != GL_LINE && mode != GL_FILL) return SetError(*c, GL_INVALID_ENUM);
    if (face == GL_FRONT || face == GL_FRONT_AND_BACK) c->polygon_mode[0] = mode;
    if (face == GL_BACK || face == GL_FRONT_AND_BACK) c->polygon_mode[1] = mode;
}

void es2_glLineWidth(GLfloat w) {
    Context* c = Current();
    if (!c || (c->compiling && !Record(*c, {kLineWidth, {}, {w, 0, 0, 0}, nullptr}))) return;
    if (w <= 0) return SetError(*c, GL_INVALID_VALUE);
    Flush(*c);
    c->line_width = w;
    // Lines without smoothing are a whole number of pixels wide, as wide as ES allows.
    glLineWidth(std::clamp(std::max(1.0f, std::floor(w + 0.5f)), c->line_range[0], c->line_range[1]));
}

void es2_glPointSize(GLfloat size) {
    Context* c = Current();
    if (!c || (c->compiling && !Record(*c, {kPointSize, {}, {size, 0, 0, 0}, nullptr}))) return;
    if (size <= 0) return SetError(*c, GL_INVALID_VALUE);
    Flush(*c);
    c->point_size = size;
    ++c->misc_version;
}

void es2_glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
    Context* c = Current();
    if (!c || (c->compiling && !Record(*c, {kClearColor, {}, {r, g, b, a}, nullptr}))) return;
    c->clear_color[0] = std::clamp(r, 0.0f, 1.0f);
    c->clear_color[1] = std::clamp(g, 0.0f, 1.0f);
    c->clear_color[2] = std::clamp(b, 0.0f, 1.0f);
    c->clear_color[3] = std::clamp(a, 0.0f, 1.0f);
    glClearColor(c->clear_color[0], c->clear_color[1], c->clear_color[2], c->clear_color[3]);
}

void es2_glClearDepth(GLclampd depth) {
    Context* c = Current();
    if (!c || (c->compiling && !Record(*c, {kClearDepth, {}, {float(depth), 0, 0, 0}, nullptr}))) return;
    c->clear_depth = std::clamp(float(depth), 0.0f, 1.0f);
    glClearDepthf(c->clear_depth);
}

void es2_glHint(GLenum target, GLenum mode) {
    Context* c = Current();
    if (!c || (c->compiling && !Record(*c, {kHint, {target, mode}, {}, nullptr}))) return;
    const int slot = hint_slot(target);
    if (slot < 0 || (mode != GL_FASTEST && mode != GL_NICEST && mode != GL_DONT_CARE))
        return SetError(*c, GL_INVALID_ENUM);
    c->hints[slot] = mode;  // taken, as GL lets an implementation do
}

void es2_glPixelStorei(GLenum pname, GLint param) {
    Context* c = Current();
    if (!c) return;
    GLint* slot = store_slot(*c, pname);
    if (!slot) return SetError(*c, GL_INVALID_ENUM);
    const bool alignment = pname == GL_UNPACK_ALIGNMENT || pname == GL_PACK_ALIGNMENT;
    if (param < 0 || (alignment && param != 1 && param != 2 && param != 4 && param != 8))
        return SetError(*c, GL_INVALID_VALUE);
    *slot = param;
}

void es2_glLightfv(GLenum light, GLenum pname, const GLfloat* v) {
    Context* c = Current();
    if (!c) return;
    Op op{kLightfv, {light, pname}, {v[0], 0, 0, 0}, nullptr};
    const bool four = pname == GL_AMBIENT || pname == GL_DIFFUSE || pname == GL_SPECULAR || pname == GL_POSITION;
    const int count = four ? 4 : pname == GL_SPOT_DIRECTION ? 3 : 1;
    for (int i = 0; i < count; ++i) op.f[i] = v[i];
    if ((c->compiling && !Record(*c, op))) return;
    if (light < GL_LIGHT0 || light > GL_LIGHT7) return SetError(*c, GL_INVALID_ENUM);
    Flush(*c);
    Light& l = c->lights[light - GL_LIGHT0];
    switch (pname) {
    case GL_AMBIENT: std::memcpy(l.ambient, v, 16); break;
    case GL_DIFFUSE: std::memcpy(l.diffuse, v, 16); break;
    case GL_SPECULAR: std::memcpy(l.specular, v, 16); break;
    case GL_POSITION: Transform(Modelview(*c), v, l.position); break;  // kept in eye coordinates
    case GL_SPOT_DIRECTION: {
        const float in[4] = {v[0], v[1], v[2], 0};
        float out[4];
        Transform(Modelview(*c), in, out);
        std::memcpy(l.spot_direction, out, 12);
        break;
    }
    case GL_SPOT_EXPONENT: l.spot_exponent = v[0]; break;
    case GL_SPOT_CUTOFF: l.spot_cutoff = v[0]; break;
    case GL_CONSTANT_ATTENUATION: l.attenuation[0] = v[0]; break;
    case GL_LINEAR_ATTENUATION: l.attenuation[1] = v[0]; break;
    case GL_QUADRATIC_ATTENUATION: l.attenuation[2] = v[0]; break;
    default: return SetError(*c, GL_INVALID_ENUM);
    }
    ++c->light_version;
}

void es2_glGetLightfv(GLenum light, GLenum pname, GLfloat* v) {
    Context* c = Current();
    if (!c) return;
    if (light < GL_LIGHT0 || light > GL_LIGHT7) return SetError(*c, GL_INVALID_ENUM);
    const Light& l = c->lights[light - GL_LIGHT0];
    switch (pname) {
    case GL_AMBIENT: std::memcpy(v, l.ambient, 16); break;
    case GL_DIFFUSE: std::memcpy(v, l.diffuse, 16); break;
    case GL_SPECULAR: std::memcpy(v, l.specular, 16); break;
    case GL_POSITION: std::memcpy(v, l.position, 16); break;
    case GL_SPOT_DIRECTION: std::memcpy(v, l.spot_direction, 12); break;
    case GL_SPOT_EXPONENT: v[0] = l.spot_exponent; break;
    case GL_SPOT_CUTOFF: v[0] = l.spot_cutoff; break;
    case GL_CONSTANT_ATTENUATION: v[0] = l.attenuation[0]; break;
    case GL_LINEAR_ATTENUATION: v[0] = l.attenuation[1]; break;
    case GL_QUADRATIC_ATTENUATION: v[0] = l.attenuation[2]; break;
    default: SetError(*c, GL_INVALID_ENUM);
    }
}

void es2_glLightModeli(GLenum pname, GLint param) {
    Context* c = Current();
    if (!c || (c->compiling && !Record(*c, {kLightModeli, {pname, GLenum(param)}, {}, nullptr}))) return;
    Flush(*c);
    if (pname == GL_LIGHT_MODEL_TWO_SIDE) c->two_side = param != 0;
    else if (pname == GL_LIGHT_MODEL_LOCAL_VIEWER) c->local_viewer = param != 0;  // it moves only specular light
    else return SetError(*c, GL_INVALID_ENUM);
    ++c->light_version;
}

void es2_glGetDoublev(GLenum pname, GLdouble* params) {
    Context* c = Current();
    if (!c) return;
    double v[16];
    int n = 0;
    if (query(*c, pname, v, n)) {
        std::copy(v, v + n, params);
        return;
    }
    GLfloat f[16];
    glGetFloatv(pname, f);
    params[0] = f[0];
}

void es2_glGetFloatv(GLenum pname, GLfloat* params) {
    Context* c = Current();
    if (!c) return;
    double v[16];
    int n = 0;
    if (!query(*c, pname, v, n)) return glGetFloatv(pname, params);
    for (int i = 0; i < n; ++i) params[i] = GLfloat(v[i]);
}

void es2_glGetIntegerv(GLenum pname, GLint* params) {
    Context* c = Current();
    if (!c) return;
    double v[16];
    int n = 0;
    if (!query(*c, pname, v, n)) return glGetIntegerv(pname, params);
    // Colours and depths in [0, 1] map onto the whole integer range, as GL returns them.
    const bool scaled = pname == GL_CURRENT_COLOR || pname == GL_COLOR_CLEAR_VALUE || pname == GL_DEPTH_CLEAR_VALUE ||
                        pname == GL_ALPHA_TEST_REF || pname == GL_LIGHT_MODEL_AMBIENT;
    for (int i = 0; i < n; ++i)
        params[i] = scaled ? GLint(std::lround(std::clamp(v[i], -1.0, 1.0) * 2147483647.0)) : GLint(std::lround(v[i]));
}

void es2_glGetBooleanv(GLenum pname, GLboolean* params) {
    Context* c = Current();
    if (!c) return;
    double v[16];
    int n = 0;
    if (!query(*c, pname, v, n)) return glGetBooleanv(pname, params);
    for (int i = 0; i < n; ++i) params[i] = v[i] != 0 ? GL_TRUE : GL_FALSE;
}

GLenum es2_glGetError(void) {
    Context* c = Current();
    if (!c) return GL_NO_ERROR;
    const GLenum e = c->error;
    c->error = GL_NO_ERROR;
    return e != GL_NO_ERROR ? e : glGetError();
}

const GLubyte* es2_glGetString(GLenum name) {
    Context* c = Current();
    if (!c) return nullptr;
    int slot;
    std::string value;
    switch (name) {
    case GL_VENDOR:
        slot = 0;
        value = "Corvala";
        break;
    case GL_RENDERER:
        slot = 1;
        value = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
        break;
    case GL_VERSION:
        slot = 2;
        value = std::string("1.1 Corvala es2 on ") + reinterpret_cast<const char*>(glGetString(GL_VERSION));
        break;
    case GL_EXTENSIONS: slot = 3; break;
    default: SetError(*c, GL_INVALID_ENUM); return nullptr;
    }
    c->strings[slot] = value;
    return reinterpret_cast<const GLubyte*>(c->strings[slot].c_str());
}

void es2_glFinish(void) {
    if (Context* c = Current()) {
        Flush(*c);
        glFinish();
    }
}

void es2_glFlush(void) {
    if (Context* c = Current()) {
        Flush(*c);
        glFlush();
    }
}

void es2_glReadBuffer(GLenum mode) {
    Context* c = Current();
    // ES reads the back buffer of a double-buffered window, which is what is drawn to.
    if (c && mode != GL_BACK && mode != GL_FRONT) SetError(*c, GL_INVALID_ENUM);
}

void es2_glReadPixels(GLint x, GLint y, GLsizei w, GLsizei h, GLenum format, GLenum type, GLvoid* pixels) {
    Context* c = Current();
    if (!c) return;
    if (w < 0 || h < 0) return SetError(*c, GL_INVALID_VALUE);
    int comps;
    switch (format) {
    case GL_RGBA:
    case GL_BGRA: comps = 4; break;
    case GL_RGB:
    case GL_BGR: comps = 3; break;
    case GL_RED:
    case GL_GREEN:
    case GL_BLUE:
    case GL_ALPHA:
    case GL_LUMINANCE: comps = 1; break;
    case GL_LUMINANCE_ALPHA: comps = 2; break;
    default: return SetError(*c, GL_INVALID_ENUM);
    }
    if (type != GL_UNSIGNED_BYTE) return SetError(*c, GL_INVALID_ENUM);
    Flush(*c);
    std::vector<uint8_t> rgba(size_t(w) * size_t(h) * 4);
    glReadPixels(x, y, w, h, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    const size_t row_pixels = size_t(c->pack_row_length > 0 ? c->pack_row_length : w);
    const size_t a = size_t(c->pack_alignment);
    const size_t stride = (row_pixels * size_t(comps) + a - 1) / a * a;
    uint8_t* base = static_cast<uint8_t*>(pixels) + size_t(c->pack_skip_rows) * stride +
                    size_t(c->pack_skip_pixels) * size_t(comps);
    for (GLsizei row = 0; row < h; ++row) {
        const uint8_t* s = &rgba[size_t(row) * size_t(w) * 4];
        uint8_t* d = base + size_t(row) * stride;
        for (GLsizei i = 0; i < w; ++i, s += 4, d += comps) {
            switch (format) {
            case GL_RGBA: std::memcpy(d, s, 4); break;
            case GL_BGRA: d[0] = s[2], d[1] = s[1], d[2] = s[0], d[3] = s[3]; break;
            case GL_RGB: d[0] = s[0], d[1] = s[1], d[2] = s[2]; break;
            case GL_BGR: d[0] = s[2], d[1] = s[1], d[2] = s[0]; break;
            case GL_RED: d[0] = s[0]; break;
            case GL_GREEN: d[0] = s[1]; break;
            case GL_BLUE: d[0] = s[2]; break;
            case GL_ALPHA: d[0] = s[3]; break;
            // GL's luminance of a colour read back is the sum of its parts, clamped.
            case GL_LUMINANCE: d[0] = uint8_t(std::min(255, s[0] + s[1] + s[2])); break;
            default: d[0] = uint8_t(std::min(255, s[0] + s[1] + s[2])), d[1] = s[3]; break;
            }
        }
    }
}

}  // extern "C"
