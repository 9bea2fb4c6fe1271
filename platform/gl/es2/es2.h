// The provider's own state: GL 1.1's, one per context, and the ES objects that draw it.
#pragma once
#define CORVALA_GL_ES2_UNMAPPED  // in here, gl* names are ES's own
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/gl/es2/gl.h"

namespace es2 {

struct Mat4 {
    float m[16];  // column-major, as GL keeps it
};
Mat4 Identity();
Mat4 operator*(const Mat4& a, const Mat4& b);
inline void Transform(const Mat4& m, const float in[4], float out[4]) {
    for (int row = 0; row < 4; ++row)
        out[row] = m.m[row] * in[0] + m.m[4 + row] * in[1] + m.m[8 + row] * in[2] + m.m[12 + row] * in[3];
}
// The inverse's transpose of the upper 3x3, column-major: what turns normals into eye space.
void NormalMatrix(const Mat4& m, float out[9]);

struct Vertex {
    float pos[3];
    float normal[3];
    float color[4];
    float tex[2];
    float facing;  // -1 on a polygon seen from behind, where two-sided lighting turns the normal round
};

struct Light {
    float ambient[4] = {0, 0, 0, 1};
    float diffuse[4] = {0, 0, 0, 1};
    float specular[4] = {0, 0, 0, 1};
    float position[4] = {0, 0, 1, 0};  // eye coordinates
    float spot_direction[3] = {0, 0, -1};
    float spot_exponent = 0, spot_cutoff = 180;
    float attenuation[3] = {1, 0, 0};
};

struct TexLevel {
    int w = 0, h = 0;
    GLint internal = 0;
    std::vector<uint8_t> rgba;  // what was given, as RGBA, rows bottom-up
};

struct Texture {
    GLuint es = 0;
    std::vector<TexLevel> levels;
    GLint min_filter = GL_NEAREST_MIPMAP_LINEAR, mag_filter = GL_LINEAR;
    GLint wrap_s = GL_REPEAT, wrap_t = GL_REPEAT;
    bool complete = false;
};

struct Block;

// One recorded command of a display list: the entry point and its arguments.
struct Op {
    uint16_t code = 0;
    GLenum e[2] = {};
    float f[4] = {};
    std::shared_ptr<std::vector<float>> more = nullptr;  // a matrix, or an image and its sizes
    std::shared_ptr<const Block> block = nullptr;
};

// A glBegin/glEnd of a display list holding only vertices and their attributes, kept as its positions
// too: selection needs nothing else, and a pick list is replayed several times a frame.
struct Block {
    GLenum mode = 0;
    std::vector<float> xyz;
    std::vector<Op> ops;  // glBegin to glEnd, for drawing
    bool has[3] = {};     // a normal, colour, texture coordinate given inside, which stays current after
    float normal[3] = {}, color[4] = {}, tex[2] = {};
};

enum Kind { kNone, kPoints, kLines, kTriangles };

// A shader pair made for one combination of switches, and what it was last given.
struct Program {
    GLuint id = 0;
    GLint mvp = -1, mv = -1, nm = -1, texmat = -1, point = -1, viewport = -1, alpha_ref = -1, sampler = -1;
    GLint model_ambient = -1, mat_ambient = -1, mat_diffuse = -1;
    GLint light_ambient = -1, light_diffuse = -1, light_position = -1, light_spot = -1, light_attenuation = -1;
    uint32_t matrix_version = 0, light_version = 0, misc_version = 0;
    bool uses_normal = false, uses_tex = false, uses_facing = false, uses_offset = false;
};

struct Context {
    // Transformation
    GLenum matrix_mode = GL_MODELVIEW;
    std::vector<Mat4> stacks[3];  // modelview, projection, texture; back() is the top
    uint32_t matrix_version = 1;
    Mat4 mvp{};
    uint32_t mvp_version = 0;
    GLint viewport[4] = {0, 0, 0, 0};

    // Current attributes
    float color[4] = {1, 1, 1, 1};
    float normal[3] = {0, 0, 1};
    float tex[2] = {0, 0};

    // Enables kept here; the rest are ES's own
    bool lighting = false, color_material = false, normalize = false, texture_2d = false, alpha_test = false;
    bool cull = false, auto_normal = false, line_smooth = false, point_smooth = false, polygon_smooth = false;
    bool depth_test = false, blend = false;
    std::map<GLenum, bool> other_caps;

    GLenum alpha_func = GL_ALWAYS;
    float alpha_ref = 0;
    GLenum cull_mode = GL_BACK, front_face = GL_CCW;
    GLenum polygon_mode[2] = {GL_FILL, GL_FILL};  // front, back
    float point_size = 1, line_width = 1;
    float line_range[2] = {1, 1};  // the widths ES draws
    GLenum depth_func = GL_LESS, blend_src = GL_ONE, blend_dst = GL_ZERO;
    bool depth_mask = true;
    GLboolean color_mask[4] = {GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE};
    float clear_color[4] = {0, 0, 0, 0};
    float clear_depth = 1;
    GLenum hints[5] = {GL_DONT_CARE, GL_DONT_CARE, GL_DONT_CARE, GL_DONT_CARE, GL_DONT_CARE};

    // Lighting
    Light lights[8];
    bool light_on[8] = {};
    float model_ambient[4] = {0.2f, 0.2f, 0.2f, 1};
    bool two_side = false, local_viewer = false;
    float material_ambient[2][4] = {{0.2f, 0.2f, 0.2f, 1}, {0.2f, 0.2f, 0.2f, 1}};
    float material_diffuse[2][4] = {{0.8f, 0.8f, 0.8f, 1}, {0.8f, 0.8f, 0.8f, 1}};
    uint32_t light_version = 1;
    uint32_t misc_version = 1;  // alpha test, point size, texture environment

    // Textures
    GLint unpack_alignment = 4, unpack_row_length = 0, unpack_skip_rows = 0, unpack_skip_pixels = 0;
    GLint pack_alignment = 4, pack_row_length = 0, pack_skip_rows = 0, pack_skip_pixels = 0;
    GLenum tex_env_mode = GL_MODULATE;
    GLuint bound = 0;
    std::map<GLuint, Texture> textures;  // 0 is the default texture
    GLint max_texture_size = 0;
    GLuint tex_next = 1;

    // Immediate mode, and the batch it goes to
    bool in_begin = false;
    GLenum primitive = 0;
    std::vector<Vertex> prim;
    Kind batch_kind = kNone;
    std::vector<Vertex> batch;

    // Display lists
    std::map<GLuint, std::vector<Op>> lists;
    GLuint list_next = 1, compiling = 0;
    GLenum list_mode = 0;
    std::vector<Op> recording;
    int call_depth = 0;

    // Selection
    GLenum render_mode = GL_RENDER;
    GLuint* select_buffer = nullptr;
    GLsizei select_size = 0;
    GLuint select_count = 0, hits = 0;
    bool hit_flag = false;
    float hit_min = 1, hit_max = 0;
    std::vector<GLuint> names;

    GLenum error = GL_NO_ERROR;
    std::string strings[4];

    // ES objects
    GLuint vbo = 0;
    GLuint offset_vbo = 0;  // lines wider than ES draws: each corner's step across the line
    std::vector<float> offsets;
    bool offsets_on = false;  // whether ES has their attribute on
    std::map<uint32_t, std::unique_ptr<Program>> programs;
    Program* program = nullptr;  // the one ES has in use
    bool es_ready = false;
};

// The current context, or null: every entry point does nothing without one, as GL does.
extern Context* g_current;
inline Context* Current() { return g_current; }
void SetError(Context& c, GLenum e);
Mat4& Top(Context& c);
const Mat4& Modelview(const Context& c);
const Mat4& Projection(const Context& c);
// Projection times modelview, made again only when either has changed.
const Mat4& ModelviewProjection(Context& c);
// Draws what is batched; every state change that the batch depends on calls it first.
void Flush(Context& c);
// Immediate mode's end: a primitive goes to the batch, or to selection.
void EndPrimitive(Context& c);
// Positions are x, y, z at every `stride` floats.
void SelectPrimitive(Context& c, GLenum mode, const float* pos, size_t n, size_t stride);
void ReleaseDrawing(Context& c);
void ReleaseTextures(Context& c);
Texture* Bound(Context& c);
bool TextureReady(Context& c);
// Display lists: while one is compiled (c.compiling), entry points record themselves; false when they
// should not run.
bool Record(Context& c, const Op& op);
void Replay(Context& c, const std::vector<Op>& ops);
void ReplayImage(Context& c, const std::vector<float>& recorded);

// A polygon's triangles as indices into its n vertices, each with the edges that are the polygon's (bit 0:
// a-b, 1: b-c, 2: c-a).
template <class F>
void ForEachTriangle(GLenum mode, size_t n, F&& out) {
    switch (mode) {
    case GL_TRIANGLES:
        for (size_t i = 0; i + 2 < n; i += 3) out(i, i + 1, i + 2, 7u);
        break;
    case GL_TRIANGLE_STRIP:
        for (size_t i = 0; i + 2 < n; ++i) {
            if (i % 2 == 0) out(i, i + 1, i + 2, 7u);
            else out(i + 1, i, i + 2, 7u);
        }
        break;
    case GL_TRIANGLE_FAN:
        for (size_t i = 1; i + 1 < n; ++i) out(size_t(0), i, i + 1, 7u);
        break;
    case GL_QUADS:
        for (size_t i = 0; i + 3 < n; i += 4) {
            out(i, i + 1, i + 3, 5u);
            out(i + 1, i + 2, i + 3, 3u);
        }
        break;
    case GL_QUAD_STRIP:
        for (size_t i = 0; i + 3 < n; i += 2) {
            out(i, i + 1, i + 2, 5u);
            out(i + 1, i + 3, i + 2, 3u);
        }
        break;
    case GL_POLYGON:
        for (size_t i = 1; i + 1 < n; ++i) out(size_t(0), i, i + 1, 2u | (i == 1 ? 1u : 0u) | (i + 2 == n ? 4u : 0u));
        break;
    default: break;
    }
}

enum Code : uint16_t {
    kAlphaFunc,
    kBegin,
    kBindTexture,
    kBlendFunc,
    kCallList,
    kClear,
    kClearColor,
    kClearDepth,
    kColor4f,
    kColorMask,
    kCullFace,
    kDepthFunc,
    kDepthMask,
    kDisable,
    kEnable,
    kEnd,
    kFrontFace,
    kHint,
    kInitNames,
    kLightModeli,
    kLightfv,
    kLineWidth,
    kLoadIdentity,
    kLoadMatrixf,
    kLoadName,
    kMatrixMode,
    kMultMatrixf,
    kNormal3f,
    kPointSize,
    kPolygonMode,
    kPopMatrix,
    kPopName,
    kPushMatrix,
    kPushName,
    kTexCoord2f,
    kTexEnvi,
    kTexImage2D,
    kTexParameteri,
    kTexSubImage2D,
    kVertex3f,
    kViewport,
    kPrimitive
};

}  // namespace es2
