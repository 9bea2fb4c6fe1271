// Child windows shown over the OpenGL picture: each visible child's painted pixels, inside its region
// and its ancestors' rectangles, drawn onto the back buffer just before it is presented, as textured
// quads through the same small part of GL 1.1 the framework uses, so any GL that serves the framework
// serves this too.
//
// GL is the provider's, as the program's own calls are (platform/gl/gl.h), so a GL of ours serves it;
// a tracer under test records the program's drawing, not this. Every backend that presents through GL
// builds this file among its own sources, since it needs the provider the platform library links.
// Every state touched is read first and put back after, so the next frame starts as it would have.

#define CORVALA_GL_UNTRACED
#include <algorithm>
#include <iterator>
#include <vector>

#include "platform/emul/composite.h"
#include "platform/emul/gdi_objects.h"
#include "platform/gl/gl.h"

namespace win32 {
namespace detail {
namespace {

struct Layer {
    int x, y, w, h;             // in the top-level client, rows counted from the top
    std::vector<uint8_t> rgba;  // bottom-up, alpha 0 where nothing is to be shown
};

// The part of each visible child that can be seen, in stacking order (parents before children,
// later siblings over earlier ones).
void collect(const Window* parent, int ox, int oy, RECT clip, std::vector<Layer>& out) {
    for (HWND h : parent->children) {
        const Window* c = FindWindow(h);
        if (!c || !c->visible || c->surface_w <= 0 || c->surface_h <= 0) continue;
        const int cx = ox + c->rect.left, cy = oy + c->rect.top;
        const RECT own{cx, cy, cx + c->surface_w, cy + c->surface_h};
        const RECT vis{std::max(own.left, clip.left), std::max(own.top, clip.top), std::min(own.right, clip.right),
                       std::min(own.bottom, clip.bottom)};
        if (vis.left >= vis.right || vis.top >= vis.bottom) continue;
        Layer l{vis.left, vis.top, vis.right - vis.left, vis.bottom - vis.top, {}};
        l.rgba.assign(size_t(l.w) * size_t(l.h) * 4, 0);
        const GdiRegion* region = c->region ? gdi_region(c->region) : nullptr;
        bool any = false;
        for (int row = 0; row < l.h; ++row) {
            const int sy = vis.top - cy + row;  // surface row
            uint8_t* dst = &l.rgba[size_t(l.h - 1 - row) * size_t(l.w) * 4];
            for (int col = 0; col < l.w; ++col, dst += 4) {
                const int sx = vis.left - cx + col;
                const uint32_t p = c->pixels[size_t(sy) * size_t(c->surface_w) + size_t(sx)];
                if ((p >> 24) == 0 || (region && !region_contains(*region, sx, sy))) continue;
                dst[0] = uint8_t(p >> 16);
                dst[1] = uint8_t(p >> 8);
                dst[2] = uint8_t(p);
                dst[3] = 255;
                any = true;
            }
        }
        if (any) out.push_back(std::move(l));
        collect(c, cx, cy, vis, out);
    }
}

// What a textured quad depends on besides the texture: switched to what the picture needs while the
// children are drawn, and back after.
constexpr GLenum kOff[] = {GL_TEXTURE_1D,    GL_DEPTH_TEST,     GL_STENCIL_TEST,  GL_BLEND,           GL_FOG,
                           GL_SCISSOR_TEST,  GL_COLOR_LOGIC_OP, GL_CULL_FACE,     GL_POLYGON_STIPPLE, GL_POLYGON_SMOOTH,
                           GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T,  GL_TEXTURE_GEN_R, GL_TEXTURE_GEN_Q,   GL_CLIP_PLANE0,
                           GL_CLIP_PLANE1,   GL_CLIP_PLANE2,    GL_CLIP_PLANE3,   GL_CLIP_PLANE4,     GL_CLIP_PLANE5};
constexpr GLenum kOn[] = {GL_TEXTURE_2D, GL_ALPHA_TEST};
constexpr GLenum kUnpack[] = {GL_UNPACK_ALIGNMENT, GL_UNPACK_ROW_LENGTH, GL_UNPACK_SKIP_ROWS, GL_UNPACK_SKIP_PIXELS};
constexpr int kMatrices = 3;
constexpr GLenum kMatrixModes[kMatrices] = {GL_PROJECTION, GL_MODELVIEW, GL_TEXTURE};
constexpr GLenum kMatrixNames[kMatrices] = {GL_PROJECTION_MATRIX, GL_MODELVIEW_MATRIX, GL_TEXTURE_MATRIX};

struct SavedState {
    GLboolean off[std::size(kOff)], on[std::size(kOn)], color_mask[4];
    GLint unpack[std::size(kUnpack)], viewport[4], matrix_mode, polygon_mode[2], alpha_func, texture, env_mode,
        filters[2];
    GLfloat matrices[kMatrices][16], alpha_ref, texcoord[4];
};

// Texture 0, the default one, carries the pixels: a texture name of ours would move the names the
// program's own glGenTextures gets. Its parameters are put back after, and its image emptied, as a
// program that never gives it one finds it.
void save_and_prepare(SavedState& s, int dw, int dh) {
    for (size_t i = 0; i < std::size(kOff); ++i)
        if ((s.off[i] = glIsEnabled(kOff[i]))) glDisable(kOff[i]);
    for (size_t i = 0; i < std::size(kOn); ++i)
        if (!(s.on[i] = glIsEnabled(kOn[i]))) glEnable(kOn[i]);
    for (size_t i = 0; i < std::size(kUnpack); ++i) glGetIntegerv(kUnpack[i], &s.unpack[i]);
    glGetBooleanv(GL_COLOR_WRITEMASK, s.color_mask);
    glGetIntegerv(GL_VIEWPORT, s.viewport);
    glGetIntegerv(GL_MATRIX_MODE, &s.matrix_mode);
    glGetIntegerv(GL_POLYGON_MODE, s.polygon_mode);
    glGetIntegerv(GL_ALPHA_TEST_FUNC, &s.alpha_func);
    glGetFloatv(GL_ALPHA_TEST_REF, &s.alpha_ref);
    glGetFloatv(GL_CURRENT_TEXTURE_COORDS, s.texcoord);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &s.texture);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &s.env_mode);
    for (int m = 0; m < kMatrices; ++m) glGetFloatv(kMatrixNames[m], s.matrices[m]);

    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);  // rows of RGBA bytes are whole words
    for (size_t i = 1; i < std::size(kUnpack); ++i) glPixelStorei(kUnpack[i], 0);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glViewport(0, 0, dw, dh);
    for (GLenum mode : kMatrixModes) {
        glMatrixMode(mode);
        glLoadIdentity();
    }
    glMatrixMode(GL_PROJECTION);
    glOrtho(0, dw, 0, dh, -1, 1);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glAlphaFunc(GL_GREATER, 0.5f);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glBindTexture(GL_TEXTURE_2D, 0);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &s.filters[0]);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &s.filters[1]);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
}

void restore(const SavedState& s) {
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 0, 0, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, s.filters[0]);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, s.filters[1]);
    glBindTexture(GL_TEXTURE_2D, GLuint(s.texture));
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, s.env_mode);
#ifdef CORVALA_GL_ES2
    // Our GL over ES keeps two texture coordinates: r and q stay 0 and 1 there.
    glTexCoord2f(s.texcoord[0], s.texcoord[1]);
#else
    glTexCoord4f(s.texcoord[0], s.texcoord[1], s.texcoord[2], s.texcoord[3]);
#endif
    glAlphaFunc(GLenum(s.alpha_func), s.alpha_ref);
    glPolygonMode(GL_FRONT, GLenum(s.polygon_mode[0]));
    glPolygonMode(GL_BACK, GLenum(s.polygon_mode[1]));
    for (int m = 0; m < kMatrices; ++m) {
        glMatrixMode(kMatrixModes[m]);
        glLoadMatrixf(s.matrices[m]);
    }
    glMatrixMode(GLenum(s.matrix_mode));
    glViewport(s.viewport[0], s.viewport[1], s.viewport[2], s.viewport[3]);
    glColorMask(s.color_mask[0], s.color_mask[1], s.color_mask[2], s.color_mask[3]);
    for (size_t i = 0; i < std::size(kUnpack); ++i) glPixelStorei(kUnpack[i], s.unpack[i]);
    for (size_t i = 0; i < std::size(kOn); ++i)
        if (!s.on[i]) glDisable(kOn[i]);
    for (size_t i = 0; i < std::size(kOff); ++i)
        if (s.off[i]) glEnable(kOff[i]);
}

GLsizei power_of_two_above(int n) {
    GLsizei p = 1;
    while (p < n) p *= 2;
    return p;
}

}  // namespace

void CompositeChildren(Window* top, int dw, int dh) {
    if (!top || top->children.empty()) return;
    std::vector<Layer> layers;
    collect(top, 0, 0, RECT{0, 0, dw, dh}, layers);
    if (layers.empty()) return;

    // One texture, as large as the largest layer needs (in GL 1.1's power-of-two sizes) and the driver
    // allows; a larger layer goes in pieces of that size.
    GLint most = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &most);
    int widest = 0, tallest = 0;
    for (const Layer& l : layers) {
        widest = std::max(widest, l.w);
        tallest = std::max(tallest, l.h);
    }
    const GLsizei tw = std::min<GLsizei>(power_of_two_above(widest), most),
                  th = std::min<GLsizei>(power_of_two_above(tallest), most);
    if (tw <= 0 || th <= 0) return;

    SavedState saved;
    save_and_prepare(saved, dw, dh);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, tw, th, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    std::vector<uint8_t> piece;
    for (const Layer& l : layers) {
        const int bottom = dh - (l.y + l.h);  // GL counts rows from the bottom, as the layer's rows are kept
        for (int py = 0; py < l.h; py += th) {
            for (int px = 0; px < l.w; px += tw) {
                const int pw = std::min(tw, l.w - px), ph = std::min(th, l.h - py);
                piece.resize(size_t(pw) * size_t(ph) * 4);
                for (int row = 0; row < ph; ++row)
                    std::copy_n(&l.rgba[(size_t(py + row) * size_t(l.w) + size_t(px)) * 4], size_t(pw) * 4,
                                &piece[size_t(row) * size_t(pw) * 4]);
                glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, pw, ph, GL_RGBA, GL_UNSIGNED_BYTE, piece.data());
                const float s = float(pw) / float(tw), t = float(ph) / float(th);
                const float x0 = float(l.x + px), y0 = float(bottom + py), x1 = x0 + float(pw), y1 = y0 + float(ph);
                glBegin(GL_QUADS);
                glTexCoord2f(0, 0);
                glVertex3f(x0, y0, 0);
                glTexCoord2f(s, 0);
                glVertex3f(x1, y0, 0);
                glTexCoord2f(s, t);
                glVertex3f(x1, y1, 0);
                glTexCoord2f(0, t);
                glVertex3f(x0, y1, 0);
                glEnd();
            }
        }
    }
    restore(saved);
}

}  // namespace detail
}  // namespace win32
