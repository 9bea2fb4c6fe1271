// The SDL backend's OpenGL: the pixel format, the context, presentation, and the display's rate.
#include <SDL.h>

#include <cstring>

#include "platform/emul/composite.h"
#include "platform/gl/provider.h"
#include "platform/sdl/sdl.h"

namespace win32 {
namespace {
struct Context {
    uintptr_t id = 0;
    SDL_GLContext gl = nullptr;
    HWND window = nullptr;      // 0 once the window is destroyed
    SDL_Window* sdl = nullptr;  // the drawable it was created for
    bool owns_sdl = false;      // the window is gone; the drawable is freed with this context
};

std::map<uintptr_t, std::unique_ptr<Context>> g_contexts;
uintptr_t g_next_rc = 0x30000;
HGLRC g_current = nullptr;

Context* find_rc(HGLRC h) {
    auto it = g_contexts.find(reinterpret_cast<uintptr_t>(h));
    return it == g_contexts.end() ? nullptr : it->second.get();
}

SDL_Window* sdl_of(const detail::DeviceContext* dc) {
    detail::Window* w = dc ? detail::FindWindow(dc->window) : nullptr;
    return sdl::WindowOf(w);
}

BOOL WINAPI swap_interval(int interval) {
    if (!SDL_GL_GetCurrentContext()) return FALSE;
    return SDL_GL_SetSwapInterval(interval) == 0 || (interval != 0 && detail::Switches().accept_swap_interval_anyway)
               ? TRUE
               : FALSE;
}
}  // namespace

namespace sdl {
void CompositeChildren(detail::Window* top) {
    if (!WindowOf(top)) return;
    int dw = 0, dh = 0;
    SDL_GL_GetDrawableSize(WindowOf(top), &dw, &dh);
    detail::CompositeChildren(top, dw, dh);
}

bool AdoptDrawable(HWND h) {
    bool kept = false;
    for (auto& [id, rc] : g_contexts) {
        if (rc->window != h) continue;
        rc->window = nullptr;
        rc->owns_sdl = !kept;  // one of them frees the drawable
        kept = true;
    }
    return kept;
}

void DeleteContexts() {
    while (!g_contexts.empty()) wglDeleteContext(reinterpret_cast<HGLRC>(g_contexts.begin()->first));
}
}  // namespace sdl

int ChoosePixelFormat(HDC h, const PIXELFORMATDESCRIPTOR* pfd) {
    detail::DeviceContext* dc = detail::FindDC(h);
    if (!dc || !pfd || detail::Switches().refuse_pixel_formats) return 0;
    // One format is on offer: the double-buffered RGBA visual with depth that the window was given.
    // Like Windows, what cannot be had (stereo, aux buffers, 32-bit depth) is not a reason to fail.
    if (!sdl_of(dc)) return 0;
    return 1;
}

BOOL SetPixelFormat(HDC h, int format, const PIXELFORMATDESCRIPTOR*) {
    detail::DeviceContext* dc = detail::FindDC(h);
    if (!dc || format != 1 || !sdl_of(dc)) return FALSE;
    if (dc->pixel_format != 0 && dc->pixel_format != format) return FALSE;  // set once, as on Windows
    dc->pixel_format = format;
    return TRUE;
}

int DescribePixelFormat(HDC h, int format, UINT bytes, PIXELFORMATDESCRIPTOR* pfd) {
    detail::DeviceContext* dc = detail::FindDC(h);
    if (!dc || !sdl_of(dc)) return 0;
    if (pfd && format == 1 && bytes >= sizeof(PIXELFORMATDESCRIPTOR)) {
        int r = 8, g = 8, b = 8, a = 0, depth = 24, stencil = 0;
        if (g_current) {
            SDL_GL_GetAttribute(SDL_GL_RED_SIZE, &r);
            SDL_GL_GetAttribute(SDL_GL_GREEN_SIZE, &g);
            SDL_GL_GetAttribute(SDL_GL_BLUE_SIZE, &b);
            SDL_GL_GetAttribute(SDL_GL_ALPHA_SIZE, &a);
            SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &depth);
            SDL_GL_GetAttribute(SDL_GL_STENCIL_SIZE, &stencil);
        }
        *pfd = PIXELFORMATDESCRIPTOR{};
        pfd->nSize = sizeof(PIXELFORMATDESCRIPTOR);
        pfd->nVersion = 1;
        pfd->dwFlags = PFD_DOUBLEBUFFER | PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
        pfd->iPixelType = PFD_TYPE_RGBA;
        pfd->cColorBits = BYTE(r + g + b);
        pfd->cRedBits = BYTE(r);
        pfd->cGreenBits = BYTE(g);
        pfd->cBlueBits = BYTE(b);
        pfd->cAlphaBits = BYTE(a);
        pfd->cDepthBits = BYTE(depth);
        pfd->cStencilBits = BYTE(stencil);
        pfd->iLayerType = PFD_MAIN_PLANE;
    }
    return 1;  // the number of formats
}

HGLRC wglCreateContext(HDC h) {
    detail::DeviceContext* dc = detail::FindDC(h);
    SDL_Window* window = sdl_of(dc);
    if (!window || dc->pixel_format == 0 || detail::Switches().refuse_contexts) return nullptr;
    glprovider::Finish();  // SDL makes the new context current at once
    SDL_GLContext gl = SDL_GL_CreateContext(window);
    if (!gl) {
        host::NoteFailure(std::string("GL: ") + SDL_GetError());
        return nullptr;
    }
    host::NoteFailure("");  // what went wrong on the way here (a refused visual) did not stop it
    // SDL makes a new context current; Windows does not.
    SDL_GL_MakeCurrent(window, nullptr);
    if (g_current) {
        g_current = nullptr;
        glprovider::MadeCurrent(nullptr);
    }
    auto rc = std::make_unique<Context>();
    rc->id = g_next_rc++;
    rc->gl = gl;
    rc->window = dc->window;
    rc->sdl = window;
    const HGLRC handle = reinterpret_cast<HGLRC>(rc->id);
    g_contexts[rc->id] = std::move(rc);
    glprovider::Created(handle);
    return handle;
}

BOOL wglMakeCurrent(HDC h, HGLRC rc) {
    detail::DeviceContext* dc = detail::FindDC(h);
    glprovider::Finish();  // what the context that stops being current still holds goes to it first
    if (!rc) {
        if (g_current) {
            Context* cur = find_rc(g_current);
            SDL_GL_MakeCurrent(cur ? cur->sdl : nullptr, nullptr);
            g_current = nullptr;
            glprovider::MadeCurrent(nullptr);
        }
        return TRUE;
    }
    Context* c = find_rc(rc);
    SDL_Window* window = sdl_of(dc);
    if (!c || !c->gl || !window) return FALSE;
    if (SDL_GL_MakeCurrent(window, c->gl) != 0) return FALSE;
    if (g_current != rc) {
        g_current = rc;
        glprovider::MadeCurrent(rc);
    }
    return TRUE;
}

BOOL wglDeleteContext(HGLRC rc) {
    auto it = g_contexts.find(reinterpret_cast<uintptr_t>(rc));
    if (it == g_contexts.end()) return FALSE;
    if (g_current == rc) wglMakeCurrent(nullptr, nullptr);
    glprovider::Deleted(rc);
    if (it->second->gl) SDL_GL_DeleteContext(it->second->gl);
    if (it->second->owns_sdl) {
        // Its window is gone: the drawable goes with the last context made for it.
        SDL_Window* drawable = it->second->sdl;
        auto heir = std::find_if(g_contexts.begin(), g_contexts.end(),
                                 [&](const auto& c) { return c.first != it->first && c.second->sdl == drawable; });
        if (heir != g_contexts.end()) heir->second->owns_sdl = true;
        else SDL_DestroyWindow(drawable);
    }
    g_contexts.erase(it);
    return TRUE;
}

HGLRC wglGetCurrentContext() { return g_current; }

BOOL SwapBuffers(HDC h) {
    detail::DeviceContext* dc = detail::FindDC(h);
    detail::Window* w = dc ? detail::FindWindow(dc->window) : nullptr;
    SDL_Window* s = sdl::WindowOf(w);
    if (!s || !g_current) return FALSE;
    sdl::CompositeChildren(w);
    glprovider::Finish();
    SDL_GL_SwapWindow(s);
    return TRUE;
}

PROC wglGetProcAddress(LPCSTR name) {
    if (!name || !g_current) return nullptr;
    if (std::strcmp(name, "wglSwapIntervalEXT") == 0)
        return reinterpret_cast<PROC>(
            reinterpret_cast<void (*)()>(swap_interval));  // through void (*)(), as GL loaders do
    return reinterpret_cast<PROC>(SDL_GL_GetProcAddress(name));
}

BOOL EnumDisplaySettingsA(LPCSTR device, DWORD mode, DEVMODEA* out) {
    if (device || mode != ENUM_CURRENT_SETTINGS || !out || !sdl::EnsureVideo()) return FALSE;
    // The display the window is on; without a window, the first one.
    detail::Window* top = detail::FindWindow(detail::TopLevel());
    int display = top && sdl::WindowOf(top) ? SDL_GetWindowDisplayIndex(sdl::WindowOf(top)) : 0;
    if (display < 0) display = 0;
    SDL_DisplayMode m;
    if (SDL_GetCurrentDisplayMode(display, &m) != 0) return FALSE;
    const WORD size = out->dmSize, extra = out->dmDriverExtra;
    std::memset(out, 0, sizeof *out);
    out->dmSize = size;
    out->dmDriverExtra = extra;
    out->dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFREQUENCY;
    out->dmBitsPerPel = SDL_BITSPERPIXEL(m.format);
    out->dmPelsWidth = DWORD(m.w);
    out->dmPelsHeight = DWORD(m.h);
    out->dmDisplayFrequency = DWORD(m.refresh_rate > 0 ? m.refresh_rate : 0);  // 0: the hardware's default
    return TRUE;
}

}  // namespace win32
