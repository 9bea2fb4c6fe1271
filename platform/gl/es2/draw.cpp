// Immediate mode batched: glBegin/glEnd's vertices become lists of triangles, lines or points that wait
// in one batch until the state they were given under changes, then go to ES in one draw. Lighting is GL
// 1.1's, per vertex, in a vertex shader made for the state at hand.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/gl/es2/es2.h"

namespace es2 {

namespace {

enum : uint32_t {
    kLit = 1u << 0,
    kTwoSide = 1u << 5,
    kColorMaterial = 1u << 6,
    kNormalize = 1u << 7,
    kTextured = 1u << 8,
    kReplace = 1u << 9,
    kDecal = 1u << 10,
    kAlphaTest = 1u << 11,
    kPointSprites = 1u << 12,
    kWideLines = 1u << 16,
};
constexpr int kLightShift = 1, kAlphaShift = 13;

const char* kVertex = R"(
attribute vec3 aPos;
attribute vec3 aNormal;
attribute vec4 aColor;
attribute vec2 aTex;
attribute float aFacing;
#ifdef WIDE_LINES
attribute vec2 aOffset;
#endif
uniform mat4 uMVP;
uniform float uPointSize;
#ifdef POINTS
uniform vec4 uViewport;
#endif
varying vec4 vFront;
#ifdef TEXTURED
uniform mat4 uTexMat;
varying vec2 vTex;
#endif
#ifdef LIT
uniform mat4 uMV;
uniform mat3 uNM;
uniform vec4 uModelAmbient;
uniform vec4 uMatAmbient;
uniform vec4 uMatDiffuse;
uniform vec4 uLightAmbient[LIGHTS];
uniform vec4 uLightDiffuse[LIGHTS];
uniform vec4 uLightPosition[LIGHTS];
uniform vec4 uLightSpot[LIGHTS];
uniform vec4 uLightAttenuation[LIGHTS];  // constant, linear, quadratic; the spot exponent
vec4 shade(vec3 n, vec3 v, vec4 amb, vec4 dif) {
    vec3 c = amb.rgb * uModelAmbient.rgb;
    for (int i = 0; i < NLIGHTS; ++i) {
        vec4 p = uLightPosition[i];
        vec3 l;
        float k = 1.0;
        if (p.w != 0.0) {
            vec3 d = p.xyz / p.w - v;
            float dist = length(d);
            l = d / dist;
            vec4 a = uLightAttenuation[i];
            k = 1.0 / (a.x + a.y * dist + a.z * dist * dist);
        } else {
            l = normalize(p.xyz);
        }
        vec4 spot = uLightSpot[i];
        if (spot.w < 180.0) {
            float s = dot(-l, normalize(spot.xyz));
            k *= s >= cos(radians(spot.w)) ? pow(max(s, 0.0), uLightAttenuation[i].w) : 0.0;
        }
        c += k * (uLightAmbient[i].rgb * amb.rgb + max(dot(n, l), 0.0) * uLightDiffuse[i].rgb * dif.rgb);
    }
    return vec4(clamp(c, 0.0, 1.0), clamp(dif.a, 0.0, 1.0));
}
#endif
void main() {
    gl_Position = uMVP * vec4(aPos, 1.0);
#ifdef WIDE_LINES
    gl_Position.xy += aOffset * gl_Position.w;
#endif
    gl_PointSize = uPointSize;
#ifdef POINTS
    // GL 1.1 centres a point of odd size on its pixel's centre and one of even size on the nearest
    // corner; ES centres it where the vertex falls.
    vec2 win = (gl_Position.xy / gl_Position.w * 0.5 + 0.5) * uViewport.zw + uViewport.xy;
    win = mod(uPointSize, 2.0) == 1.0 ? floor(win) + 0.5 : floor(win + 0.5);
    gl_Position.xy = ((win - uViewport.xy) / uViewport.zw * 2.0 - 1.0) * gl_Position.w;
#endif
#ifdef LIT
    vec3 v = (uMV * vec4(aPos, 1.0)).xyz;
    vec3 n = uNM * aNormal;
#ifdef NORMALIZE
    n = normalize(n);
#endif
#ifdef COLOR_MATERIAL
    vec4 amb = aColor, dif = aColor;
#else
    vec4 amb = uMatAmbient, dif = uMatDiffuse;
#endif
#ifdef TWO_SIDE
    // The polygon's side is known here, per vertex, so one colour is made and interpolated.
    if (aFacing < 0.0) n = -n;
#endif
    vFront = shade(n, v, amb, dif);
#else
    vFront = clamp(aColor, 0.0, 1.0);
#endif
#ifdef TEXTURED
    vec4 t = uTexMat * vec4(aTex, 0.0, 1.0);
    vTex = t.xy / t.w;
#endif
}
)";

const char* kFragment = R"(
precision mediump float;
varying vec4 vFront;
#ifdef TEXTURED
uniform sampler2D uSampler;
varying vec2 vTex;
#endif
#ifdef ALPHA_TEST
uniform float uAlphaRef;
#endif
void main() {
    vec4 c = vFront;
#ifdef TEXTURED
    vec4 t = texture2D(uSampler, vTex);
#if defined(REPLACE)
    c = t;
#elif defined(DECAL)
    c = vec4(mix(c.rgb, t.rgb, t.a), c.a);
#else
    c *= t;
#endif
#endif
#ifdef ALPHA_TEST
    float a = c.a;
    // The comparison is the shader's own, made for the function at hand (ALPHA_TEST is GL's minus GL_NEVER).
#if ALPHA_TEST == 0
    bool pass = false;
#elif ALPHA_TEST == 1
    bool pass = a < uAlphaRef;
#elif ALPHA_TEST == 2
    bool pass = a == uAlphaRef;
#elif ALPHA_TEST == 3
    bool pass = a <= uAlphaRef;
#elif ALPHA_TEST == 4
    bool pass = a > uAlphaRef;
#elif ALPHA_TEST == 5
    bool pass = a != uAlphaRef;
#elif ALPHA_TEST == 6
    bool pass = a >= uAlphaRef;
#else
    bool pass = true;
#endif
    if (!pass) discard;
#endif
    gl_FragColor = c;
}
)";

GLuint compile(GLenum type, const std::string& src) {
    const GLuint s = glCreateShader(type);
    const char* text = src.c_str();
    glShaderSource(s, 1, &text, nullptr);
    glCompileShader(s);
    return s;
}

std::unique_ptr<Program> build(uint32_t key) {
    std::string defs;
    const int lights = int((key >> kLightShift) & 15u);
    // GLSL ES has no empty arrays: with no light on, one unused slot.
    if (key & kLit)
        defs += "#define LIT\n#define LIGHTS " + std::to_string(std::max(lights, 1)) + "\n#define NLIGHTS " +
                std::to_string(lights) + "\n";
    if (key & kTwoSide) defs += "#define TWO_SIDE\n";
    if (key & kColorMaterial) defs += "#define COLOR_MATERIAL\n";
    if (key & kNormalize) defs += "#define NORMALIZE\n";
    if (key & kTextured) defs += "#define TEXTURED\n";
    if (key & kReplace) defs += "#define REPLACE\n";
    if (key & kDecal) defs += "#define DECAL\n";
    if (key & kAlphaTest) defs += "#define ALPHA_TEST " + std::to_string((key >> kAlphaShift) & 7u) + "\n";
    if (key & kPointSprites) defs += "#define POINTS\n";
    if (key & kWideLines) defs += "#define WIDE_LINES\n";
    auto p = std::make_unique<Program>();
    const GLuint vs = compile(GL_VERTEX_SHADER, defs + kVertex), fs = compile(GL_FRAGMENT_SHADER, defs + kFragment);
    p->id = glCreateProgram();
    glAttachShader(p->id, vs);
    glAttachShader(p->id, fs);
    glBindAttribLocation(p->id, 0, "aPos");
    glBindAttribLocation(p->id, 1, "aNormal");
    glBindAttribLocation(p->id, 2, "aColor");
    glBindAttribLocation(p->id, 3, "aTex");
    glBindAttribLocation(p->id, 4, "aFacing");
    glBindAttribLocation(p->id, 5, "aOffset");
    glLinkProgram(p->id);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint linked = 0;
    glGetProgramiv(p->id, GL_LINK_STATUS, &linked);
    if (!linked) {
        char log[1024] = "";
        glGetProgramInfoLog(p->id, sizeof log, nullptr, log);
        std::fprintf(stderr, "GL (es2): a shader did not link: %s\n", log);
    }
    const GLuint id = p->id;
    auto at = [id](const char* name) { return glGetUniformLocation(id, name); };
    p->mvp = at("uMVP");
    p->mv = at("uMV");
    p->nm = at("uNM");
    p->texmat = at("uTexMat");
    p->point = at("uPointSize");
    p->viewport = at("uViewport");
    p->alpha_ref = at("uAlphaRef");
    p->sampler = at("uSampler");
    p->model_ambient = at("uModelAmbient");
    p->mat_ambient = at("uMatAmbient");
    p->mat_diffuse = at("uMatDiffuse");
    p->light_ambient = at("uLightAmbient");
    p->light_diffuse = at("uLightDiffuse");
    p->light_position = at("uLightPosition");
    p->light_spot = at("uLightSpot");
    p->light_attenuation = at("uLightAttenuation");
    p->uses_normal = key & kLit;
    p->uses_tex = key & kTextured;
    p->uses_facing = key & kTwoSide;
    p->uses_offset = key & kWideLines;
    glUseProgram(id);
    glUniform1i(p->sampler, 0);
    return p;
}

int enabled_lights(const Context& c, int out[8]) {
    int n = 0;
    for (int i = 0; i < 8; ++i)
        if (c.light_on[i]) out[n++] = i;
    return n;
}

void upload(Context& c, Program& p, const int* lights, int n) {
    if (p.matrix_version != c.matrix_version) {
        p.matrix_version = c.matrix_version;
        glUniformMatrix4fv(p.mvp, 1, GL_FALSE, ModelviewProjection(c).m);
        if (p.mv >= 0) glUniformMatrix4fv(p.mv, 1, GL_FALSE, Modelview(c).m);
        if (p.nm >= 0) {
            float nm[9];
            NormalMatrix(Modelview(c), nm);
            glUniformMatrix3fv(p.nm, 1, GL_FALSE, nm);
        }
        if (p.texmat >= 0) glUniformMatrix4fv(p.texmat, 1, GL_FALSE, c.stacks[2].back().m);
        if (p.viewport >= 0)
            glUniform4f(p.viewport, float(c.viewport[0]), float(c.viewport[1]), float(c.viewport[2]),
                        float(c.viewport[3]));
    }
    if (p.light_version != c.light_version && p.uses_normal) {  // every lit program, even with no light on
        p.light_version = c.light_version;
        glUniform4fv(p.model_ambient, 1, c.model_ambient);
        glUniform4fv(p.mat_ambient, 1, c.material_ambient[0]);
        glUniform4fv(p.mat_diffuse, 1, c.material_diffuse[0]);
        float amb[32], dif[32], pos[32], spot[32], att[32];
        for (int i = 0; i < n; ++i) {
            const Light& l = c.lights[lights[i]];
            std::memcpy(amb + 4 * i, l.ambient, 16);
            std::memcpy(dif + 4 * i, l.diffuse, 16);
            std::memcpy(pos + 4 * i, l.position, 16);
            std::memcpy(spot + 4 * i, l.spot_direction, 12);
            spot[4 * i + 3] = l.spot_cutoff;
            std::memcpy(att + 4 * i, l.attenuation, 12);
            att[4 * i + 3] = l.spot_exponent;
        }
        glUniform4fv(p.light_ambient, n, amb);
        glUniform4fv(p.light_diffuse, n, dif);
        glUniform4fv(p.light_position, n, pos);
        glUniform4fv(p.light_spot, n, spot);
        glUniform4fv(p.light_attenuation, n, att);
    }
    if (p.misc_version != c.misc_version) {
        p.misc_version = c.misc_version;
        // Points without smoothing are squares of a whole number of pixels.
        glUniform1f(p.point, std::max(1.0f, std::floor(c.point_size + 0.5f)));
        if (p.alpha_ref >= 0) glUniform1f(p.alpha_ref, std::min(1.0f, std::max(0.0f, c.alpha_ref)));
    }
}

void push_triangle(Context& c, const Vertex& a, const Vertex& b, const Vertex& d, float facing = 1) {
    c.batch.push_back(a);
    c.batch.back().facing = facing;
    c.batch.push_back(b);
    c.batch.back().facing = facing;
    c.batch.push_back(d);
    c.batch.back().facing = facing;
}

// Whether a triangle faces the viewer as glFrontFace says, from its clip coordinates.
bool front_facing(Context& c, const Vertex& a, const Vertex& b, const Vertex& d) {
    const Mat4& mvp = ModelviewProjection(c);
    float p[3][4];
    const Vertex* v[3] = {&a, &b, &d};
    for (int i = 0; i < 3; ++i) {
        const float in[4] = {v[i]->pos[0], v[i]->pos[1], v[i]->pos[2], 1};
        Transform(mvp, in, p[i]);
    }
    // The determinant of (x, y, w) rows has the sign of the window area when every w is positive.
    const float det = p[0][0] * (p[1][1] * p[2][3] - p[2][1] * p[1][3]) -
                      p[1][0] * (p[0][1] * p[2][3] - p[2][1] * p[0][3]) +
                      p[2][0] * (p[0][1] * p[1][3] - p[1][1] * p[0][3]);
    return (det > 0) == (c.front_face == GL_CCW);
}

Kind kind_of(GLenum mode) {
    switch (mode) {
    case GL_POINTS: return kPoints;
    case GL_LINES:
    case GL_LINE_STRIP:
    case GL_LINE_LOOP: return kLines;
    default: return kTriangles;
    }
}

// A line wider than ES draws, as GL 1.1 draws a wide line without smoothing: for a line mostly across, a
// column of `width` pixels at each x (a row of them at each y for one mostly up), so each line becomes a
// parallelogram stepped along the window's minor axis. The batch's line pairs become triangles, and each
// corner's step, in normalised device units, goes to the vertex shader, which scales it by w.
void widen_lines(Context& c, float width) {
    const Mat4& mvp = ModelviewProjection(c);
    const float vw = float(std::max(c.viewport[2], 1)), vh = float(std::max(c.viewport[3], 1));
    std::vector<Vertex> lines;
    lines.swap(c.batch);
    c.offsets.clear();
    for (size_t i = 0; i + 1 < lines.size(); i += 2) {
        const Vertex &a = lines[i], &b = lines[i + 1];
        float pa[4], pb[4];
        const float ia[4] = {a.pos[0], a.pos[1], a.pos[2], 1}, ib[4] = {b.pos[0], b.pos[1], b.pos[2], 1};
        Transform(mvp, ia, pa);
        Transform(mvp, ib, pb);
        float step[2] = {0, 0};  // none for a line reaching behind the eye, which then shows nothing
        if (pa[3] > 0 && pb[3] > 0) {
            const float dx = (pb[0] / pb[3] - pa[0] / pa[3]) * vw, dy = (pb[1] / pb[3] - pa[1] / pa[3]) * vh;
            if (std::fabs(dx) >= std::fabs(dy)) step[1] = width / vh;
            else step[0] = width / vw;
        }
        const Vertex* corner[6] = {&a, &a, &b, &a, &b, &b};
        const float side[6] = {-1, 1, 1, -1, 1, -1};
        for (int k = 0; k < 6; ++k) {
            c.batch.push_back(*corner[k]);
            c.offsets.push_back(side[k] * step[0]);
            c.offsets.push_back(side[k] * step[1]);
        }
    }
}

void to_batch(Context& c, Kind k) {
    if (c.batch_kind != k && !c.batch.empty()) Flush(c);
    c.batch_kind = k;
}

}  // namespace

void EndPrimitive(Context& c) {
    const std::vector<Vertex>& v = c.prim;
    const GLenum mode = c.primitive;
    if (c.render_mode == GL_SELECT)
        return SelectPrimitive(c, mode, v.empty() ? nullptr : v[0].pos, v.size(), sizeof(Vertex) / sizeof(float));
    if (c.render_mode != GL_RENDER) return;
    const Kind k = kind_of(mode);
    if (k == kPoints) {
        to_batch(c, kPoints);
        c.batch.insert(c.batch.end(), v.begin(), v.end());
        return;
    }
    if (k == kLines) {
        to_batch(c, kLines);
        const size_t n = v.size();
        if (mode == GL_LINES) {
            c.batch.insert(c.batch.end(), v.begin(), v.begin() + long(n & ~size_t(1)));
        } else if (n >= 2) {
            for (size_t i = 0; i + 1 < n; ++i) {
                c.batch.push_back(v[i]);
                c.batch.push_back(v[i + 1]);
            }
            if (mode == GL_LINE_LOOP) {
                c.batch.push_back(v[n - 1]);
                c.batch.push_back(v[0]);
            }
        }
        return;
    }
    const bool filled = c.polygon_mode[0] == GL_FILL && c.polygon_mode[1] == GL_FILL;
    if (filled) {
        to_batch(c, kTriangles);
        if (c.lighting && c.two_side) {
            ForEachTriangle(mode, v.size(), [&](size_t a, size_t b, size_t d, unsigned) {
                push_triangle(c, v[a], v[b], v[d], front_facing(c, v[a], v[b], v[d]) ? 1.0f : -1.0f);
            });
        } else {
            ForEachTriangle(mode, v.size(),
                            [&](size_t a, size_t b, size_t d, unsigned) { push_triangle(c, v[a], v[b], v[d]); });
        }
        return;
    }
    // Lines or points for polygons: ES culls neither, so the facing is found here.
    ForEachTriangle(mode, v.size(), [&](size_t ia, size_t ib, size_t id, unsigned edges) {
        const Vertex &a = v[ia], &b = v[ib], &d = v[id];
        const bool front = front_facing(c, a, b, d);
        if (c.cull && (c.cull_mode == GL_FRONT_AND_BACK || (c.cull_mode == GL_FRONT) == front)) return;
        const GLenum pm = c.polygon_mode[front ? 0 : 1];
        const float facing = front ? 1.0f : -1.0f;
        const Vertex* t[3] = {&a, &b, &d};
        if (pm == GL_FILL) {
            to_batch(c, kTriangles);
            push_triangle(c, a, b, d, facing);
        } else if (pm == GL_LINE) {
            to_batch(c, kLines);
            for (int e = 0; e < 3; ++e)
                if (edges & (1u << e)) {
                    c.batch.push_back(*t[e]);
                    c.batch.back().facing = facing;
                    c.batch.push_back(*t[(e + 1) % 3]);
                    c.batch.back().facing = facing;
                }
        } else {
            to_batch(c, kPoints);
            for (int e = 0; e < 3; ++e)
                if (edges & (1u << e)) {
                    c.batch.push_back(*t[e]);
                    c.batch.back().facing = facing;
                }
        }
    });
}

void Flush(Context& c) {
    if (c.batch.empty()) return;
    int lights[8];
    int n = 0;
    uint32_t key = 0;
    if (c.lighting) {
        n = enabled_lights(c, lights);
        key |= kLit | uint32_t(n) << kLightShift;
        if (c.two_side) key |= kTwoSide;
        if (c.color_material) key |= kColorMaterial;
        if (c.normalize) key |= kNormalize;
    }
    if (TextureReady(c)) {
        key |= kTextured;
        if (c.tex_env_mode == GL_REPLACE) key |= kReplace;
        if (c.tex_env_mode == GL_DECAL) key |= kDecal;
    }
    if (c.alpha_test) key |= kAlphaTest | uint32_t(c.alpha_func - GL_NEVER) << kAlphaShift;
    if (c.batch_kind == kPoints) key |= kPointSprites;
    const float width = std::max(1.0f, std::floor(c.line_width + 0.5f));
    const bool wide = c.batch_kind == kLines && width > c.line_range[1];
    if (wide) {
        widen_lines(c, width);
        key |= kWideLines;
    }
    std::unique_ptr<Program>& slot = c.programs[key];
    if (!slot) slot = build(key);
    Program& p = *slot;
    if (c.program != &p) {
        glUseProgram(p.id);
        c.program = &p;
    }
    upload(c, p, lights, n);
    if (!c.vbo) glGenBuffers(1, &c.vbo);
    glBindBuffer(GL_ARRAY_BUFFER, c.vbo);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(c.batch.size() * sizeof(Vertex)), c.batch.data(), GL_STREAM_DRAW);
    const GLsizei stride = sizeof(Vertex);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offsetof(Vertex, pos)));
    glVertexAttribPointer(2, 4, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offsetof(Vertex, color)));
    glEnableVertexAttribArray(2);
    if (p.uses_normal) {
        glEnableVertexAttribArray(1);
        glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offsetof(Vertex, normal)));
    } else {
        glDisableVertexAttribArray(1);
    }
    if (p.uses_facing) {
        glEnableVertexAttribArray(4);
        glVertexAttribPointer(4, 1, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offsetof(Vertex, facing)));
    } else {
        glDisableVertexAttribArray(4);
    }
    if (p.uses_tex) {
        glEnableVertexAttribArray(3);
        glVertexAttribPointer(3, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offsetof(Vertex, tex)));
    } else {
        glDisableVertexAttribArray(3);
    }
    if (p.uses_offset) {
        if (!c.offset_vbo) glGenBuffers(1, &c.offset_vbo);
        glBindBuffer(GL_ARRAY_BUFFER, c.offset_vbo);
        glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(c.offsets.size() * sizeof(float)), c.offsets.data(), GL_STREAM_DRAW);
        glEnableVertexAttribArray(5);
        glVertexAttribPointer(5, 2, GL_FLOAT, GL_FALSE, 0, nullptr);
        c.offsets_on = true;
    } else if (c.offsets_on) {
        glDisableVertexAttribArray(5);
        c.offsets_on = false;
    }
    const GLenum prim = c.batch_kind == kPoints  ? GL_POINTS
                        : wide                   ? GL_TRIANGLES
                        : c.batch_kind == kLines ? GL_LINES
                                                 : GL_TRIANGLES;
    glDrawArrays(prim, 0, GLsizei(c.batch.size()));
    c.batch.clear();
}

void ReleaseDrawing(Context& c) {
    for (auto& [key, p] : c.programs) glDeleteProgram(p->id);
    c.programs.clear();
    c.program = nullptr;
    if (c.vbo) glDeleteBuffers(1, &c.vbo);
    c.vbo = 0;
    if (c.offset_vbo) glDeleteBuffers(1, &c.offset_vbo);
    c.offset_vbo = 0;
    c.offsets_on = false;
}

}  // namespace es2

using namespace es2;

extern "C" {

void es2_glBegin(GLenum mode) {
    Context* c = Current();
    if (!c || (c->compiling && !Record(*c, {kBegin, {mode, 0}, {}, nullptr}))) return;
    if (c->in_begin) return SetError(*c, GL_INVALID_OPERATION);
    if (mode > GL_POLYGON) return SetError(*c, GL_INVALID_ENUM);
    c->in_begin = true;
    c->primitive = mode;
    c->prim.clear();
}

void es2_glEnd(void) {
    Context* c = Current();
    if (!c || (c->compiling && !Record(*c, {kEnd, {}, {}, nullptr}))) return;
    if (!c->in_begin) return SetError(*c, GL_INVALID_OPERATION);
    c->in_begin = false;
    EndPrimitive(*c);
    c->prim.clear();
}

void es2_glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
    Context* c = Current();
    if (!c || (c->compiling && !Record(*c, {kVertex3f, {}, {x, y, z, 0}, nullptr}))) return;
    if (!c->in_begin) return;  // GL leaves a vertex outside glBegin undefined; nothing is drawn
    c->prim.emplace_back();
    Vertex& v = c->prim.back();
    v.pos[0] = x;
    v.pos[1] = y;
    v.pos[2] = z;
    std::memcpy(v.normal, c->normal, sizeof v.normal);
    std::memcpy(v.color, c->color, sizeof v.color);
    std::memcpy(v.tex, c->tex, sizeof v.tex);
    v.facing = 1;
}

void es2_glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
    Context* c = Current();
    if (!c || (c->compiling && !Record(*c, {kNormal3f, {}, {x, y, z, 0}, nullptr}))) return;
    c->normal[0] = x;
    c->normal[1] = y;
    c->normal[2] = z;
}

void es2_glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
    Context* c = Current();
    if (!c || (c->compiling && !Record(*c, {kColor4f, {}, {r, g, b, a}, nullptr}))) return;
    c->color[0] = r;
    c->color[1] = g;
    c->color[2] = b;
    c->color[3] = a;
}

void es2_glColor3f(GLfloat r, GLfloat g, GLfloat b) { es2_glColor4f(r, g, b, 1.0f); }

void es2_glTexCoord2f(GLfloat s, GLfloat t) {
    Context* c = Current();
    if (!c || (c->compiling && !Record(*c, {kTexCoord2f, {}, {s, t, 0, 0}, nullptr}))) return;
    c->tex[0] = s;
    c->tex[1] = t;
}

void es2_glClear(GLbitfield mask) {
    Context* c = Current();
    if (!c || (c->compiling && !Record(*c, {kClear, {mask, 0}, {}, nullptr}))) return;
    if (c->in_begin) return SetError(*c, GL_INVALID_OPERATION);
    if (c->render_mode != GL_RENDER) return;
    Flush(*c);
    glClear(mask & (GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT));
}

}  // extern "C"
