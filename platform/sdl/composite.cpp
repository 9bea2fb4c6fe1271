// Child windows shown over the OpenGL picture: each visible child's painted pixels, inside its region
// and its ancestors' rectangles, drawn onto the back buffer just before it is presented.
//
// GL is reached through pointers from SDL_GL_GetProcAddress, never by name: the program's own GL
// calls may be interposed (a test tracer records them), and this drawing is not the program's.
// Every state touched is saved first and put back after, so the next frame starts as it would have.
#include <algorithm>

#include "platform/emul/gdi_objects.h"
#include "platform/gl/gl.h"
#include "platform/sdl/sdl.h"

namespace win32 {
namespace sdl {
namespace {
using detail::FindWindow;
using detail::Window;

struct Gl {
    bool ok = false;
    void (*GetIntegerv)(GLenum, GLint*);
    void (*GetDoublev)(GLenum, GLdouble*);
    void (*PushAttrib)(GLbitfield);
    void (*PopAttrib)();
    void (*PushClientAttrib)(GLbitfield);
    void (*PopClientAttrib)();
    void (*MatrixMode)(GLenum);
    void (*LoadIdentity)();
    void (*LoadMatrixd)(const GLdouble*);
    void (*Ortho)(GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble);
    void (*Viewport)(GLint, GLint, GLsizei, GLsizei);
    void (*Disable)(GLenum);
    void (*Enable)(GLenum);
    void (*AlphaFunc)(GLenum, GLclampf);
    void (*ColorMask)(GLboolean, GLboolean, GLboolean, GLboolean);
    void (*RasterPos2i)(GLint, GLint);
    void (*PixelStorei)(GLenum, GLint);
    void (*PixelZoom)(GLfloat, GLfloat);
    void (*PixelTransferf)(GLenum, GLfloat);
    void (*PixelTransferi)(GLenum, GLint);
    void (*DrawPixels)(GLsizei, GLsizei, GLenum, GLenum, const void*);
};

template <class F>
bool load(F& f, const char* name) {
    f = reinterpret_cast<F>(SDL_GL_GetProcAddress(name));
    return f != nullptr;
}

const Gl& gl() {
    static Gl g = [] {
        Gl t{};
        t.ok = load(t.GetIntegerv, "glGetIntegerv") && load(t.GetDoublev, "glGetDoublev") &&
               load(t.PushAttrib, "glPushAttrib") && load(t.PopAttrib, "glPopAttrib") &&
               load(t.PushClientAttrib, "glPushClientAttrib") && load(t.PopClientAttrib, "glPopClientAttrib") &&
               load(t.MatrixMode, "glMatrixMode") && load(t.LoadIdentity, "glLoadIdentity") &&
               load(t.LoadMatrixd, "glLoadMatrixd") && load(t.Ortho, "glOrtho") && load(t.Viewport, "glViewport") &&
               load(t.Disable, "glDisable") && load(t.Enable, "glEnable") && load(t.AlphaFunc, "glAlphaFunc") &&
               load(t.ColorMask, "glColorMask") && load(t.RasterPos2i, "glRasterPos2i") &&
               load(t.PixelStorei, "glPixelStorei") && load(t.PixelZoom, "glPixelZoom") &&
               load(t.PixelTransferf, "glPixelTransferf") && load(t.PixelTransferi, "glPixelTransferi") &&
               load(t.DrawPixels, "glDrawPixels");
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

}  // namespace

void CompositeChildren(Window* top) {
    if (!top || !WindowOf(top) || top->children.empty()) return;
    int dw = 0, dh = 0;
    SDL_GL_GetDrawableSize(WindowOf(top), &dw, &dh);
    std::vector<Layer> layers;
    collect(top, 0, 0, RECT{0, 0, dw, dh}, layers);
    const Gl& g = gl();
    if (layers.empty() || !g.ok) return;

    GLint depth = 0, max_depth = 0, client_depth = 0, max_client_depth = 0;
    g.GetIntegerv(GL_ATTRIB_STACK_DEPTH, &depth);
    g.GetIntegerv(GL_MAX_ATTRIB_STACK_DEPTH, &max_depth);
    g.GetIntegerv(GL_CLIENT_ATTRIB_STACK_DEPTH, &client_depth);
    g.GetIntegerv(GL_MAX_CLIENT_ATTRIB_STACK_DEPTH, &max_client_depth);
    if (depth >= max_depth || client_depth >= max_client_depth) return;  // nowhere to save the state

    GLdouble projection[16], modelview[16];
    g.GetDoublev(GL_PROJECTION_MATRIX, projection);
    g.GetDoublev(GL_MODELVIEW_MATRIX, modelview);
    g.PushAttrib(GL_ALL_ATTRIB_BITS);  // enables, viewport, raster position, pixel modes, matrix mode ...
    g.PushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);

    g.Viewport(0, 0, dw, dh);
    g.MatrixMode(GL_PROJECTION);
    g.LoadIdentity();
    g.Ortho(0, dw, 0, dh, -1, 1);
    g.MatrixMode(GL_MODELVIEW);
    g.LoadIdentity();
    for (GLenum cap : {GLenum(GL_TEXTURE_1D), GLenum(GL_TEXTURE_2D), GLenum(GL_DEPTH_TEST), GLenum(GL_STENCIL_TEST),
                       GLenum(GL_BLEND), GLenum(GL_FOG), GLenum(GL_SCISSOR_TEST), GLenum(GL_COLOR_LOGIC_OP),
                       GLenum(GL_LIGHTING), GLenum(GL_CLIP_PLANE0), GLenum(GL_CLIP_PLANE1), GLenum(GL_CLIP_PLANE2),
                       GLenum(GL_CLIP_PLANE3), GLenum(GL_CLIP_PLANE4), GLenum(GL_CLIP_PLANE5)})
        g.Disable(cap);
    g.Enable(GL_ALPHA_TEST);
    g.AlphaFunc(GL_GREATER, 0.5f);
    g.ColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    g.PixelZoom(1, 1);
    g.PixelTransferi(GL_MAP_COLOR, GL_FALSE);
    for (GLenum scale : {GLenum(GL_RED_SCALE), GLenum(GL_GREEN_SCALE), GLenum(GL_BLUE_SCALE), GLenum(GL_ALPHA_SCALE)})
        g.PixelTransferf(scale, 1);
    for (GLenum bias : {GLenum(GL_RED_BIAS), GLenum(GL_GREEN_BIAS), GLenum(GL_BLUE_BIAS), GLenum(GL_ALPHA_BIAS)})
        g.PixelTransferf(bias, 0);
    g.PixelStorei(GL_UNPACK_ALIGNMENT, 1);
    g.PixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    g.PixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    g.PixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    g.PixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
    g.PixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);

    for (const Layer& l : layers) {
        g.RasterPos2i(l.x, dh - (l.y + l.h));
        g.DrawPixels(l.w, l.h, GL_RGBA, GL_UNSIGNED_BYTE, l.rgba.data());
    }

    g.MatrixMode(GL_PROJECTION);
    g.LoadMatrixd(projection);
    g.MatrixMode(GL_MODELVIEW);
    g.LoadMatrixd(modelview);
    g.PopClientAttrib();
    g.PopAttrib();
}

}  // namespace sdl
}  // namespace win32
