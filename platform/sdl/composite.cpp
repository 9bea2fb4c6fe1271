// Child windows shown over the OpenGL picture: each visible child's painted pixels, inside its region
// and its ancestors' rectangles, drawn onto the back buffer just before it is presented, as textured
// quads through the same small part of GL 1.1 the framework uses, so any GL that serves the framework
// serves this too.
//
// GL is the provider's, as the program's own calls are (platform/gl/gl.h), so a GL of ours serves it;
// a tracer under test records the program's drawing, not this.
// Every state touched is read first and put back after, so the next frame starts as it would have.

#define CORVALA_GL_UNTRACED
#include <algorithm>
#include <iterator>
#include <vector>

#include "platform/emul/gdi_objects.h"
#include "platform/gl/gl.h"
#include "platform/sdl/sdl.h"

namespace win32 {
namespace sdl {
namespace {
using detail::FindWindow;
using detail::Window;

struct Gl {
    void (*GetIntegerv)(GLenum, GLint*);
    void (*GetFloatv)(GLenum, GLfloat*);
    void (*GetBooleanv)(GLenum, GLboolean*);
    GLboolean (*IsEnabled)(GLenum);
    void (*Enable)(GLenum);
    void (*Disable)(GLenum);
    void (*MatrixMode)(GLenum);
    void (*LoadIdentity)();
    void (*LoadMatrixf)(const GLfloat*);
    void (*Ortho)(GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble);
    void (*Viewport)(GLint, GLint, GLsizei, GLsizei);
    void (*AlphaFunc)(GLenum, GLclampf);
    void (*ColorMask)(GLboolean, GLboolean, GLboolean, GLboolean);
    void (*PolygonMode)(GLenum, GLenum);
    void (*PixelStorei)(GLenum, GLint);
    void (*BindTexture)(GLenum, GLuint);
    void (*GetTexParameteriv)(GLenum, GLenum, GLint*);
    void (*TexParameteri)(GLenum, GLenum, GLint);
    void (*GetTexEnviv)(GLenum, GLenum, GLint*);
    void (*TexEnvi)(GLenum, GLenum, GLint);
    void (*TexImage2D)(GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum, GLenum, const void*);
    void (*TexSubImage2D)(GLenum, GLint, GLint, GLint, GLsizei, GLsizei, GLenum, GLenum, const void*);
    void (*Begin)(GLenum);
    void (*End)();
    void (*TexCoord2f)(GLfloat, GLfloat);
    void (*TexCoord4f)(GLfloat, GLfloat, GLfloat, GLfloat);
    void (*Vertex3f)(GLfloat, GLfloat, GLfloat);
};

const Gl& gl() {
    static Gl g = [] {
        Gl t{};
        t.GetIntegerv = glGetIntegerv;
        t.GetFloatv = glGetFloatv;
        t.GetBooleanv = glGetBooleanv;
        t.IsEnabled = glIsEnabled;
        t.Enable = glEnable;
        t.Disable = glDisable;
        t.MatrixMode = glMatrixMode;
        t.LoadIdentity = glLoadIdentity;
        t.LoadMatrixf = glLoadMatrixf;
        t.Ortho = glOrtho;
        t.Viewport = glViewport;
        t.AlphaFunc = glAlphaFunc;
        t.ColorMask = glColorMask;
        t.PolygonMode = glPolygonMode;
        t.PixelStorei = glPixelStorei;
        t.BindTexture = glBindTexture;
        t.GetTexParameteriv = glGetTexParameteriv;
        t.TexParameteri = glTexParameteri;
        t.GetTexEnviv = glGetTexEnviv;
        t.TexEnvi = glTexEnvi;
        t.TexImage2D = glTexImage2D;
        t.TexSubImage2D = glTexSubImage2D;
        t.Begin = glBegin;
        t.End = glEnd;
        t.TexCoord2f = glTexCoord2f;
        t.TexCoord4f = glTexCoord4f;
        t.Vertex3f = glVertex3f;
        return t;
    }();
    return g;
}

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
void save_and_prepare(const Gl& g, SavedState& s, int dw, int dh) {
    for (size_t i = 0; i < std::size(kOff); ++i)
        if ((s.off[i] = g.IsEnabled(kOff[i]))) g.Disable(kOff[i]);
    for (size_t i = 0; i < std::size(kOn); ++i)
        if (!(s.on[i] = g.IsEnabled(kOn[i]))) g.Enable(kOn[i]);
    for (size_t i = 0; i < std::size(kUnpack); ++i) g.GetIntegerv(kUnpack[i], &s.unpack[i]);
    g.GetBooleanv(GL_COLOR_WRITEMASK, s.color_mask);
    g.GetIntegerv(GL_VIEWPORT, s.viewport);
    g.GetIntegerv(GL_MATRIX_MODE, &s.matrix_mode);
    g.GetIntegerv(GL_POLYGON_MODE, s.polygon_mode);
    g.GetIntegerv(GL_ALPHA_TEST_FUNC, &s.alpha_func);
    g.GetFloatv(GL_ALPHA_TEST_REF, &s.alpha_ref);
    g.GetFloatv(GL_CURRENT_TEXTURE_COORDS, s.texcoord);
    g.GetIntegerv(GL_TEXTURE_BINDING_2D, &s.texture);
    g.GetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &s.env_mode);
    for (int m = 0; m < kMatrices; ++m) g.GetFloatv(kMatrixNames[m], s.matrices[m]);

    g.PixelStorei(GL_UNPACK_ALIGNMENT, 4);  // rows of RGBA bytes are whole words
    for (size_t i = 1; i < std::size(kUnpack); ++i) g.PixelStorei(kUnpack[i], 0);
    g.ColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    g.Viewport(0, 0, dw, dh);
    for (GLenum mode : kMatrixModes) {
        g.MatrixMode(mode);
        g.LoadIdentity();
    }
    g.MatrixMode(GL_PROJECTION);
    g.Ortho(0, dw, 0, dh, -1, 1);
    g.PolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    g.AlphaFunc(GL_GREATER, 0.5f);
    g.TexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    g.BindTexture(GL_TEXTURE_2D, 0);
    g.GetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &s.filters[0]);
    g.GetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &s.filters[1]);
    g.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    g.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
}

void restore(const Gl& g, const SavedState& s) {
    g.TexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 0, 0, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    g.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, s.filters[0]);
    g.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, s.filters[1]);
    g.BindTexture(GL_TEXTURE_2D, GLuint(s.texture));
    g.TexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, s.env_mode);
    g.TexCoord4f(s.texcoord[0], s.texcoord[1], s.texcoord[2], s.texcoord[3]);
    g.AlphaFunc(GLenum(s.alpha_func), s.alpha_ref);
    g.PolygonMode(GL_FRONT, GLenum(s.polygon_mode[0]));
    g.PolygonMode(GL_BACK, GLenum(s.polygon_mode[1]));
    for (int m = 0; m < kMatrices; ++m) {
        g.MatrixMode(kMatrixModes[m]);
        g.LoadMatrixf(s.matrices[m]);
    }
    g.MatrixMode(GLenum(s.matrix_mode));
    g.Viewport(s.viewport[0], s.viewport[1], s.viewport[2], s.viewport[3]);
    g.ColorMask(s.color_mask[0], s.color_mask[1], s.color_mask[2], s.color_mask[3]);
    for (size_t i = 0; i < std::size(kUnpack); ++i) g.PixelStorei(kUnpack[i], s.unpack[i]);
    for (size_t i = 0; i < std::size(kOn); ++i)
        if (!s.on[i]) g.Disable(kOn[i]);
    for (size_t i = 0; i < std::size(kOff); ++i)
        if (s.off[i]) g.Enable(kOff[i]);
}

GLsizei power_of_two_above(int n) {
    GLsizei p = 1;
    while (p < n) p *= 2;
    return p;
}

}  // namespace

void CompositeChildren(Window* top) {
    if (!top || !WindowOf(top) || top->children.empty()) return;
    int dw = 0, dh = 0;
    SDL_GL_GetDrawableSize(WindowOf(top), &dw, &dh);
    std::vector<Layer> layers;
    collect(top, 0, 0, RECT{0, 0, dw, dh}, layers);
    const Gl& g = gl();
    if (layers.empty()) return;

    // One texture, as large as the largest layer needs (in GL 1.1's power-of-two sizes) and the driver
    // allows; a larger layer goes in pieces of that size.
    GLint most = 0;
    g.GetIntegerv(GL_MAX_TEXTURE_SIZE, &most);
    int widest = 0, tallest = 0;
    for (const Layer& l : layers) {
        widest = std::max(widest, l.w);
        tallest = std::max(tallest, l.h);
    }
    const GLsizei tw = std::min<GLsizei>(power_of_two_above(widest), most),
                  th = std::min<GLsizei>(power_of_two_above(tallest), most);
    if (tw <= 0 || th <= 0) return;

    SavedState saved;
    save_and_prepare(g, saved, dw, dh);
    g.TexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, tw, th, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
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
                g.TexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, pw, ph, GL_RGBA, GL_UNSIGNED_BYTE, piece.data());
                const float s = float(pw) / float(tw), t = float(ph) / float(th);
                const float x0 = float(l.x + px), y0 = float(bottom + py), x1 = x0 + float(pw), y1 = y0 + float(ph);
                g.Begin(GL_QUADS);
                g.TexCoord2f(0, 0);
                g.Vertex3f(x0, y0, 0);
                g.TexCoord2f(s, 0);
                g.Vertex3f(x1, y0, 0);
                g.TexCoord2f(s, t);
                g.Vertex3f(x1, y1, 0);
                g.TexCoord2f(0, t);
                g.Vertex3f(x0, y1, 0);
                g.End();
            }
        }
    }
    restore(g, saved);
}

}  // namespace sdl
}  // namespace win32
