// Textures: GL 1.1's formats and unpacking done here, so ES gets tight RGBA (it has no BGRA, row lengths
// or skips); a copy of each level stays here for glGetTexImage and for the completeness GL 1.1 asks of
// a mipmapped texture, without which texturing is off rather than black as in ES.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/gl/es2/es2.h"

namespace es2 {
namespace {

constexpr GLint kGluInvalidEnum = 100900, kGluInvalidValue = 100901;

int components(GLenum format) {
    switch (format) {
    case GL_RGBA:
    case GL_BGRA: return 4;
    case GL_RGB:
    case GL_BGR: return 3;
    case GL_LUMINANCE_ALPHA: return 2;
    case GL_RED:
    case GL_GREEN:
    case GL_BLUE:
    case GL_ALPHA:
    case GL_LUMINANCE: return 1;
    default: return 0;
    }
}

// What the texture holds, from GL 1.1's internal formats: 0 when it names none.
enum Base { kNoBase, kRgba, kRgb, kLuminance, kLuminanceAlpha, kAlpha, kIntensity };
Base base_of(GLint internal) {
    switch (internal) {
    case 4:
    case GL_RGBA:
    case GL_RGBA8:
    case GL_RGBA4:
    case GL_RGB5_A1: return kRgba;
    case 3:
    case GL_RGB:
    case GL_RGB8:
    case GL_RGB565: return kRgb;
    case 1:
    case GL_LUMINANCE:
    case GL_LUMINANCE8: return kLuminance;
    case 2:
    case GL_LUMINANCE_ALPHA:
    case GL_LUMINANCE8_ALPHA8: return kLuminanceAlpha;
    case GL_ALPHA:
    case GL_ALPHA8: return kAlpha;
    case GL_INTENSITY:
    case GL_INTENSITY8: return kIntensity;
    default: return kNoBase;
    }
}

// The caller's pixels, read as the unpack state says, to RGBA rows.
std::vector<uint8_t> unpack(const Context& c, int w, int h, GLenum format, const void* pixels) {
    std::vector<uint8_t> out(size_t(w) * size_t(h) * 4);
    if (!pixels) return out;
    const size_t n = size_t(components(format));
    const size_t row_pixels = size_t(c.unpack_row_length > 0 ? c.unpack_row_length : w);
    const size_t a = size_t(c.unpack_alignment);
    const size_t stride = (row_pixels * n + a - 1) / a * a;
    const uint8_t* base =
        static_cast<const uint8_t*>(pixels) + size_t(c.unpack_skip_rows) * stride + size_t(c.unpack_skip_pixels) * n;
    for (int row = 0; row < h; ++row) {
        const uint8_t* s = base + size_t(row) * stride;
        uint8_t* d = &out[size_t(row) * size_t(w) * 4];
        for (int i = 0; i < w; ++i, s += n, d += 4) {
            switch (format) {
            case GL_RGBA: std::memcpy(d, s, 4); break;
            case GL_BGRA: d[0] = s[2], d[1] = s[1], d[2] = s[0], d[3] = s[3]; break;
            case GL_RGB: d[0] = s[0], d[1] = s[1], d[2] = s[2], d[3] = 255; break;
            case GL_BGR: d[0] = s[2], d[1] = s[1], d[2] = s[0], d[3] = 255; break;
            case GL_LUMINANCE: d[0] = d[1] = d[2] = s[0], d[3] = 255; break;
            case GL_LUMINANCE_ALPHA: d[0] = d[1] = d[2] = s[0], d[3] = s[1]; break;
            case GL_ALPHA: d[0] = d[1] = d[2] = 0, d[3] = s[0]; break;
            case GL_RED: d[0] = s[0], d[1] = d[2] = 0, d[3] = 255; break;
            case GL_GREEN: d[1] = s[0], d[0] = d[2] = 0, d[3] = 255; break;
            default: d[2] = s[0], d[0] = d[1] = 0, d[3] = 255; break;
            }
        }
    }
    return out;
}

// RGBA as the internal format keeps it, in the form that modulating with it asks for.
void to_base(std::vector<uint8_t>& px, Base base) {
    for (size_t i = 0; i < px.size(); i += 4) {
        uint8_t* p = &px[i];
        switch (base) {
        case kRgb: p[3] = 255; break;
        case kLuminance: p[1] = p[2] = p[0], p[3] = 255; break;
        case kLuminanceAlpha: p[1] = p[2] = p[0]; break;
        case kAlpha: p[0] = p[1] = p[2] = 255; break;
        case kIntensity: p[1] = p[2] = p[3] = p[0]; break;
        default: break;
        }
    }
}

bool mipmapped(GLint filter) { return filter != GL_NEAREST && filter != GL_LINEAR; }

void check_complete(Texture& t) {
    t.complete = false;
    if (t.levels.empty() || t.levels[0].w <= 0 || t.levels[0].h <= 0) return;
    if (!mipmapped(t.min_filter)) {
        t.complete = true;
        return;
    }
    int w = t.levels[0].w, h = t.levels[0].h;
    for (size_t level = 1; w > 1 || h > 1; ++level) {
        w = std::max(1, w / 2);
        h = std::max(1, h / 2);
        if (level >= t.levels.size() || t.levels[level].w != w || t.levels[level].h != h) return;
    }
    t.complete = true;
}

void store(Context& c, GLint level, GLint internal, int w, int h, std::vector<uint8_t> rgba) {
    Texture* t = Bound(c);
    if (size_t(level) >= t->levels.size()) t->levels.resize(size_t(level) + 1);
    TexLevel& l = t->levels[size_t(level)];
    l.w = w;
    l.h = h;
    l.internal = internal;
    l.rgba = std::move(rgba);
    glTexImage2D(GL_TEXTURE_2D, level, GL_RGBA, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 l.rgba.empty() ? nullptr : l.rgba.data());
    check_complete(*t);
}

// One level, already RGBA: recorded in a display list as such, since the unpack state is read when
// the list is made.
void image(Context& c, GLint level, GLint internal, int w, int h, std::vector<uint8_t> rgba) {
    if (c.compiling) {
        auto data = std::make_shared<std::vector<float>>(rgba.begin(), rgba.end());
        data->insert(data->begin(), {float(level), float(internal), float(w), float(h)});
        if (!Record(c, {kTexImage2D, {}, {}, data})) return;
    }
    Flush(c);
    store(c, level, internal, w, h, std::move(rgba));
}

// The nearest power of two as GLU has it: down, unless the next bit below the top one is set too.
int nearest_power(int v) {
    int p = 1;
    for (unsigned u = unsigned(v); u > 1; u >>= 1) {
        if (u == 3) return p * 4;
        p *= 2;
    }
    return p;
}

std::vector<uint8_t> scale(const std::vector<uint8_t>& in, int wi, int hi, int wo, int ho) {
    std::vector<uint8_t> out(size_t(wo) * size_t(ho) * 4);
    const double sx = double(wi) / wo, sy = double(hi) / ho;
    for (int y = 0; y < ho; ++y)
        for (int x = 0; x < wo; ++x) {
            // The source box under the pixel, at least one source pixel wide when magnifying.
            double x0 = x * sx, x1 = (x + 1) * sx, y0 = y * sy, y1 = (y + 1) * sy;
            if (sx < 1) x0 = std::max(0.0, (x + 0.5) * sx - 0.5), x1 = std::min(double(wi), x0 + 1);
            if (sy < 1) y0 = std::max(0.0, (y + 0.5) * sy - 0.5), y1 = std::min(double(hi), y0 + 1);
            double sum[4] = {0, 0, 0, 0}, area = 0;
            for (int yy = int(y0); yy < hi && yy < y1; ++yy) {
                const double wy = std::min(y1, yy + 1.0) - std::max(y0, double(yy));
                for (int xx = int(x0); xx < wi && xx < x1; ++xx) {
                    const double wgt = wy * (std::min(x1, xx + 1.0) - std::max(x0, double(xx)));
                    const uint8_t* p = &in[(size_t(yy) * size_t(wi) + size_t(xx)) * 4];
                    for (int k = 0; k < 4; ++k) sum[k] += wgt * p[k];
                    area += wgt;
                }
            }
            for (int k = 0; k < 4; ++k)
                out[(size_t(y) * size_t(wo) + size_t(x)) * 4 + size_t(k)] = uint8_t(area > 0 ? sum[k] / area + 0.5 : 0);
        }
    return out;
}

// Half the size: a box of four, rounded; of two where one side is a single pixel, as GLU does it.
std::vector<uint8_t> halve(const std::vector<uint8_t>& in, int w, int h) {
    const int wo = std::max(1, w / 2), ho = std::max(1, h / 2);
    std::vector<uint8_t> out(size_t(wo) * size_t(ho) * 4);
    for (int y = 0; y < ho; ++y)
        for (int x = 0; x < wo; ++x)
            for (int k = 0; k < 4; ++k) {
                auto at = [&](int xx, int yy) {
                    return int(in[(size_t(yy) * size_t(w) + size_t(xx)) * 4 + size_t(k)]);
                };
                int v;
                if (w > 1 && h > 1)
                    v = (at(2 * x, 2 * y) + at(2 * x + 1, 2 * y) + at(2 * x, 2 * y + 1) + at(2 * x + 1, 2 * y + 1) +
                         2) /
                        4;
                else if (w > 1) v = (at(2 * x, 0) + at(2 * x + 1, 0)) / 2;
                else v = (at(0, 2 * y) + at(0, 2 * y + 1)) / 2;
                out[(size_t(y) * size_t(wo) + size_t(x)) * 4 + size_t(k)] = uint8_t(v);
            }
    return out;
}

GLint es_wrap(GLint wrap) { return wrap == GL_CLAMP ? GL_CLAMP_TO_EDGE : wrap; }

}  // namespace

Texture* Bound(Context& c) { return &c.textures[c.bound]; }

bool TextureReady(Context& c) { return c.texture_2d && Bound(c)->complete; }

void ReleaseTextures(Context& c) {
    for (auto& [name, t] : c.textures)
        if (t.es) glDeleteTextures(1, &t.es);
    c.textures.clear();
}

}  // namespace es2

using namespace es2;

extern "C" {

void es2_glGenTextures(GLsizei n, GLuint* names) {
    Context* c = Current();
    if (!c) return;
    if (n < 0) return SetError(*c, GL_INVALID_VALUE);
    for (GLsizei i = 0; i < n; ++i) {
        while (c->textures.count(c->tex_next)) ++c->tex_next;
        names[i] = c->tex_next++;
    }
}

void es2_glBindTexture(GLenum target, GLuint name) {
    Context* c = Current();
    if (!c || (c->compiling && !Record(*c, {kBindTexture, {target, name}, {}, nullptr}))) return;
    if (target != GL_TEXTURE_2D) return SetError(*c, GL_INVALID_ENUM);
    Flush(*c);
    Texture& t = c->textures[name];
    // The default texture, name 0, is an ES texture of its own too: WebGL has no default texture object.
    if (!t.es) {
        glGenTextures(1, &t.es);
        glBindTexture(GL_TEXTURE_2D, t.es);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, t.min_filter);
    }
    c->bound = name;
    glBindTexture(GL_TEXTURE_2D, t.es);
}

void es2_glDeleteTextures(GLsizei n, const GLuint* names) {
    Context* c = Current();
    if (!c) return;
    Flush(*c);
    for (GLsizei i = 0; i < n; ++i) {
        auto it = c->textures.find(names[i]);
        if (names[i] == 0 || it == c->textures.end()) continue;
        if (c->bound == names[i]) es2_glBindTexture(GL_TEXTURE_2D, 0);
        if (it->second.es) glDeleteTextures(1, &it->second.es);
        c->textures.erase(it);
    }
}

GLboolean es2_glIsTexture(GLuint name) {
    Context* c = Current();
    return c && name != 0 && c->textures.count(name) ? GL_TRUE : GL_FALSE;
}

void es2_glTexParameteri(GLenum target, GLenum pname, GLint param) {
    Context* c = Current();
    if (!c || (c->compiling && !Record(*c, {kTexParameteri, {pname, GLenum(param)}, {}, nullptr}))) return;
    if (target != GL_TEXTURE_2D) return SetError(*c, GL_INVALID_ENUM);
    Flush(*c);
    Texture& t = *Bound(*c);
    switch (pname) {
    case GL_TEXTURE_MIN_FILTER:
        t.min_filter = param;
        glTexParameteri(GL_TEXTURE_2D, pname, param);
        check_complete(t);
        break;
    case GL_TEXTURE_MAG_FILTER:
        t.mag_filter = param;
        glTexParameteri(GL_TEXTURE_2D, pname, param);
        break;
    case GL_TEXTURE_WRAP_S:
        t.wrap_s = param;
        glTexParameteri(GL_TEXTURE_2D, pname, es_wrap(param));
        break;
    case GL_TEXTURE_WRAP_T:
        t.wrap_t = param;
        glTexParameteri(GL_TEXTURE_2D, pname, es_wrap(param));
        break;
    default: SetError(*c, GL_INVALID_ENUM);
    }
}

void es2_glGetTexParameteriv(GLenum target, GLenum pname, GLint* params) {
    Context* c = Current();
    if (!c) return;
    if (target != GL_TEXTURE_2D) return SetError(*c, GL_INVALID_ENUM);
    const Texture& t = *Bound(*c);
    switch (pname) {
    case GL_TEXTURE_MIN_FILTER: *params = t.min_filter; break;
    case GL_TEXTURE_MAG_FILTER: *params = t.mag_filter; break;
    case GL_TEXTURE_WRAP_S: *params = t.wrap_s; break;
    case GL_TEXTURE_WRAP_T: *params = t.wrap_t; break;
    default: SetError(*c, GL_INVALID_ENUM);
    }
}

void es2_glGetTexLevelParameteriv(GLenum target, GLint level, GLenum pname, GLint* params) {
    Context* c = Current();
    if (!c) return;
    if (target != GL_TEXTURE_2D) return SetError(*c, GL_INVALID_ENUM);
    const Texture& t = *Bound(*c);
    const TexLevel none;
    const TexLevel& l = level >= 0 && size_t(level) < t.levels.size() ? t.levels[size_t(level)] : none;
    switch (pname) {
    case GL_TEXTURE_WIDTH: *params = l.w; break;
    case GL_TEXTURE_HEIGHT: *params = l.h; break;
    case GL_TEXTURE_INTERNAL_FORMAT: *params = l.w ? l.internal : 1; break;
    case GL_TEXTURE_BORDER: *params = 0; break;
    default: SetError(*c, GL_INVALID_ENUM);
    }
}

void es2_glTexEnvi(GLenum target, GLenum pname, GLint param) {
    Context* c = Current();
    if (!c || (c->compiling && !Record(*c, {kTexEnvi, {pname, GLenum(param)}, {}, nullptr}))) return;
    if (target != GL_TEXTURE_ENV || pname != GL_TEXTURE_ENV_MODE) return SetError(*c, GL_INVALID_ENUM);
    if (param != GL_MODULATE && param != GL_REPLACE && param != GL_DECAL && param != GL_BLEND)
        return SetError(*c, GL_INVALID_ENUM);
    Flush(*c);
    c->tex_env_mode = GLenum(param);
}

void es2_glGetTexEnviv(GLenum target, GLenum pname, GLint* params) {
    Context* c = Current();
    if (!c) return;
    if (target != GL_TEXTURE_ENV || pname != GL_TEXTURE_ENV_MODE) return SetError(*c, GL_INVALID_ENUM);
    *params = GLint(c->tex_env_mode);
}

void es2_glTexImage2D(GLenum target, GLint level, GLint internal, GLsizei w, GLsizei h, GLint border, GLenum format,
                      GLenum type, const GLvoid* pixels) {
    Context* c = Current();
    if (!c) return;
    if (target != GL_TEXTURE_2D || !components(format) || type != GL_UNSIGNED_BYTE)
        return SetError(*c, GL_INVALID_ENUM);
    const Base base = base_of(internal);
    if (level < 0 || w < 0 || h < 0 || border != 0 || base == kNoBase ||
        (c->max_texture_size && (w > c->max_texture_size || h > c->max_texture_size)))
        return SetError(*c, GL_INVALID_VALUE);
    std::vector<uint8_t> rgba = unpack(*c, w, h, format, pixels);
    to_base(rgba, base);
    image(*c, level, internal, w, h, std::move(rgba));
}

void es2_glTexSubImage2D(GLenum target, GLint level, GLint x, GLint y, GLsizei w, GLsizei h, GLenum format, GLenum type,
                         const GLvoid* pixels) {
    Context* c = Current();
    if (!c) return;
    if (target != GL_TEXTURE_2D || !components(format) || type != GL_UNSIGNED_BYTE)
        return SetError(*c, GL_INVALID_ENUM);
    Texture& t = *Bound(*c);
    if (level < 0 || size_t(level) >= t.levels.size()) return SetError(*c, GL_INVALID_OPERATION);
    TexLevel& l = t.levels[size_t(level)];
    if (x < 0 || y < 0 || w < 0 || h < 0 || x + w > l.w || y + h > l.h) return SetError(*c, GL_INVALID_VALUE);
    Flush(*c);
    std::vector<uint8_t> rgba = unpack(*c, w, h, format, pixels);
    to_base(rgba, base_of(l.internal));
    for (int row = 0; row < h; ++row)
        std::memcpy(&l.rgba[(size_t(y + row) * size_t(l.w) + size_t(x)) * 4], &rgba[size_t(row) * size_t(w) * 4],
                    size_t(w) * 4);
    glTexSubImage2D(GL_TEXTURE_2D, level, x, y, w, h, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
}

void es2_glGetTexImage(GLenum target, GLint level, GLenum format, GLenum type, GLvoid* pixels) {
    Context* c = Current();
    if (!c) return;
    if (target != GL_TEXTURE_2D || !components(format) || type != GL_UNSIGNED_BYTE)
        return SetError(*c, GL_INVALID_ENUM);
    const Texture& t = *Bound(*c);
    if (level < 0 || size_t(level) >= t.levels.size()) return;
    const TexLevel& l = t.levels[size_t(level)];
    const size_t n = size_t(components(format)), a = size_t(c->pack_alignment);
    const size_t stride = (size_t(c->pack_row_length > 0 ? c->pack_row_length : l.w) * n + a - 1) / a * a;
    for (int row = 0; row < l.h; ++row) {
        uint8_t* d = static_cast<uint8_t*>(pixels) + size_t(row) * stride;
        const uint8_t* s = &l.rgba[size_t(row) * size_t(l.w) * 4];
        for (int i = 0; i < l.w; ++i, s += 4, d += n) {
            switch (format) {
            case GL_RGBA: std::memcpy(d, s, 4); break;
            case GL_BGRA: d[0] = s[2], d[1] = s[1], d[2] = s[0], d[3] = s[3]; break;
            case GL_RGB: std::memcpy(d, s, 3); break;
            case GL_BGR: d[0] = s[2], d[1] = s[1], d[2] = s[0]; break;
            case GL_ALPHA: d[0] = s[3]; break;
            case GL_LUMINANCE_ALPHA: d[0] = s[0], d[1] = s[3]; break;
            default: d[0] = s[format == GL_GREEN ? 1 : format == GL_BLUE ? 2 : 0]; break;
            }
        }
    }
}

GLint es2_gluBuild2DMipmaps(GLenum target, GLint internal, GLint w, GLint h, GLenum format, GLenum type,
                            const void* data) {
    Context* c = Current();
    if (!c) return kGluInvalidValue;
    if (w < 1 || h < 1) return kGluInvalidValue;
    if (target != GL_TEXTURE_2D || !components(format) || type != GL_UNSIGNED_BYTE || base_of(internal) == kNoBase)
        return kGluInvalidEnum;
    std::vector<uint8_t> rgba = unpack(*c, w, h, format, data);
    int nw = nearest_power(w), nh = nearest_power(h);
    const int most = c->max_texture_size > 0 ? c->max_texture_size : 2048;
    while (nw > most || nh > most) {
        nw = std::max(1, nw / 2);
        nh = std::max(1, nh / 2);
    }
    if (nw != w || nh != h) rgba = scale(rgba, w, h, nw, nh);
    for (GLint level = 0;; ++level) {
        std::vector<uint8_t> base = rgba;
        to_base(base, base_of(internal));
        image(*c, level, internal, nw, nh, std::move(base));
        if (nw == 1 && nh == 1) break;
        rgba = halve(rgba, nw, nh);
        nw = std::max(1, nw / 2);
        nh = std::max(1, nh / 2);
    }
    return 0;
}

}  // extern "C"

namespace es2 {
void ReplayImage(Context& c, const std::vector<float>& d) {
    Flush(c);
    store(c, GLint(d[0]), GLint(d[1]), int(d[2]), int(d[3]), std::vector<uint8_t>(d.begin() + 4, d.end()));
}
}  // namespace es2
