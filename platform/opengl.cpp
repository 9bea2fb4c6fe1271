// Device contexts, the pixel format, the OpenGL context and presentation.
#include <time.h>

#include <cstdlib>

#include "platform/host.h"
#include "platform/internal.h"
#include "platform/testing.h"

namespace win32 {
namespace {
std::map<uintptr_t, std::unique_ptr<detail::DeviceContext>> g_dcs;
std::map<uintptr_t, std::unique_ptr<detail::Context>> g_contexts;
uintptr_t g_next_dc = 0x20000, g_next_rc = 0x30000;
HGLRC g_current = nullptr;
bool g_pacing = true;
bool g_vsync = false;  // the driver's swap interval paces, as far as can be seen
Pacing g_plan;
bool g_interval_accepted_anyway = false;
double g_refresh_hz = 0;
int g_window_frames = 0;
uint64_t g_window_start_ns = 0;
bool g_refuse_formats = false;
bool g_refuse_contexts = false;
uint64_t g_next_present_ns = 0;

uint64_t now_ns() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return uint64_t(ts.tv_sec) * 1000000000ull + uint64_t(ts.tv_nsec);
}

detail::Context* find_rc(HGLRC h) {
    auto it = g_contexts.find(reinterpret_cast<uintptr_t>(h));
    return it == g_contexts.end() ? nullptr : it->second.get();
}

SDL_Window* sdl_of(const detail::DeviceContext* dc) {
    detail::Window* w = dc ? detail::FindWindow(dc->window) : nullptr;
    return w ? w->sdl : nullptr;
}

// Our own timer: presents are held to `fps` a second.
void pace(double fps) {
    const uint64_t period = uint64_t(1e9 / fps);
    uint64_t t = now_ns();
    if (g_next_present_ns == 0 || t > g_next_present_ns + period) g_next_present_ns = t;  // late: start over
    while (t < g_next_present_ns) {
        const uint64_t left = g_next_present_ns - t;
        timespec ts{time_t(left / 1000000000ull), long(left % 1000000000ull)};
        nanosleep(&ts, nullptr);
        t = now_ns();
    }
    g_next_present_ns += period;
}

double refresh_rate(SDL_Window* window) {
    SDL_DisplayMode mode;
    const int display = SDL_GetWindowDisplayIndex(window);
    if (display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0 && mode.refresh_rate > 0)
        return double(mode.refresh_rate);
    return 0;
}

// Decides the pacing for a new context (current on `window`) and asks the driver for the swap interval.
void start_pacing(SDL_Window* window) {
    g_refresh_hz = refresh_rate(window);
    g_plan = ChoosePacing(g_refresh_hz, std::getenv("WOBBLEFIN_FPS"));
    g_vsync = g_pacing && g_plan.swap_interval > 0 &&
              (SDL_GL_SetSwapInterval(g_plan.swap_interval) == 0 || g_interval_accepted_anyway);
    if (!g_vsync) SDL_GL_SetSwapInterval(0);
    g_window_frames = 0;
    g_next_present_ns = 0;
}

// Vsync is trusted only while presents really wait for it, judged over a window of frames.
void check_vsync() {
    constexpr int kWindow = 30;
    const uint64_t t = now_ns();
    if (g_window_frames == 0) g_window_start_ns = t;
    if (++g_window_frames <= kWindow) return;
    const double seconds = double(t - g_window_start_ns) * 1e-9;
    const double period = double(g_plan.swap_interval) / (g_refresh_hz > 0 ? g_refresh_hz : kDesignFps);
    if (!VsyncPaces(kWindow, seconds, period)) {
        g_vsync = false;
        SDL_GL_SetSwapInterval(0);
    }
    g_window_frames = 0;
}
}  // namespace

namespace testing {
int LiveMemoryDCs() {
    int n = 0;
    for (const auto& [id, dc] : g_dcs)
        if (dc->memory) ++n;
    return n;
}
void CompositeChildrenNow() {
    if (detail::Window* w = detail::FindWindow(detail::TopLevel())) detail::CompositeChildren(w);
}
void SetSwapPacing(bool on) { g_pacing = on; }
bool SwapPacing() { return g_pacing; }
bool VsyncActive() { return g_vsync; }
void RestartPacing() {
    detail::Context* c = find_rc(g_current);
    if (c && c->sdl) start_pacing(c->sdl);
}
void AcceptSwapIntervalAnyway(bool on) { g_interval_accepted_anyway = on; }
int PacingSwapInterval() { return g_vsync ? g_plan.swap_interval : 0; }
double PacingFps() { return g_plan.fps; }
void RefusePixelFormats(bool on) { g_refuse_formats = on; }
void RefuseContexts(bool on) { g_refuse_contexts = on; }
}  // namespace testing

namespace detail {
DeviceContext* FindDC(HDC h) {
    auto it = g_dcs.find(reinterpret_cast<uintptr_t>(h));
    return it == g_dcs.end() ? nullptr : it->second.get();
}

HDC AddDC(std::unique_ptr<DeviceContext> dc) {
    dc->id = g_next_dc++;
    const HDC handle = reinterpret_cast<HDC>(dc->id);
    g_dcs[dc->id] = std::move(dc);
    return handle;
}

void RemoveDC(HDC h) { g_dcs.erase(reinterpret_cast<uintptr_t>(h)); }

void ReleaseWindowResources(Window* w) {
    const HWND h = HandleOf(w);
    if (w->region) {
        DeleteObject(w->region);  // the window owned it
        w->region = nullptr;
    }
    for (auto it = g_dcs.begin(); it != g_dcs.end();) it = it->second->window == h ? g_dcs.erase(it) : std::next(it);
    bool kept = false;
    for (auto& [id, rc] : g_contexts) {
        if (rc->window != h) continue;
        // As on Windows, the context lives until it is deleted: the rest of a frame in which the close box
        // destroyed the window still draws into a current context, so it keeps the hidden SDL window.
        rc->window = nullptr;
        rc->owns_sdl = !kept;  // one of them frees the drawable
        kept = true;
    }
    if (w->sdl) {
        SDL_SetWindowData(w->sdl, "win32", nullptr);
        if (kept) SDL_HideWindow(w->sdl);
        else SDL_DestroyWindow(w->sdl);
        w->sdl = nullptr;
    }
}
}  // namespace detail

HDC GetDC(HWND h) {
    detail::Window* w = h ? detail::FindWindow(h) : nullptr;
    if (h && !w) return nullptr;
    if (w && w->dc && detail::FindDC(w->dc)) return w->dc;
    auto dc = std::make_unique<detail::DeviceContext>();
    dc->window = h;
    const HDC handle = detail::AddDC(std::move(dc));
    if (w) w->dc = handle;
    return handle;
}

int ReleaseDC(HWND, HDC h) {
    detail::DeviceContext* dc = detail::FindDC(h);
    if (!dc || dc->memory) return 0;
    // A window keeps its one DC; each GetDC(0) made a screen DC of its own.
    if (!dc->window) detail::RemoveDC(h);
    return 1;
}

int ChoosePixelFormat(HDC h, const PIXELFORMATDESCRIPTOR* pfd) {
    detail::DeviceContext* dc = detail::FindDC(h);
    if (!dc || !pfd || g_refuse_formats) return 0;
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
    if (!window || dc->pixel_format == 0 || g_refuse_contexts) return nullptr;
    SDL_GLContext gl = SDL_GL_CreateContext(window);
    if (!gl) {
        detail::NoteFailure(std::string("GL: ") + SDL_GetError());
        return nullptr;
    }
    start_pacing(window);
    detail::NoteFailure("");  // what went wrong on the way here (a refused visual) did not stop it
    // SDL makes a new context current; Windows does not.
    SDL_GL_MakeCurrent(window, nullptr);
    g_current = nullptr;
    auto rc = std::make_unique<detail::Context>();
    rc->id = g_next_rc++;
    rc->gl = gl;
    rc->window = dc->window;
    rc->sdl = window;
    const HGLRC handle = reinterpret_cast<HGLRC>(rc->id);
    g_contexts[rc->id] = std::move(rc);
    return handle;
}

BOOL wglMakeCurrent(HDC h, HGLRC rc) {
    detail::DeviceContext* dc = detail::FindDC(h);
    if (!rc) {
        if (g_current) {
            detail::Context* cur = find_rc(g_current);
            SDL_GL_MakeCurrent(cur ? cur->sdl : nullptr, nullptr);
        }
        g_current = nullptr;
        return TRUE;
    }
    detail::Context* c = find_rc(rc);
    SDL_Window* window = sdl_of(dc);
    if (!c || !c->gl || !window) return FALSE;
    if (SDL_GL_MakeCurrent(window, c->gl) != 0) return FALSE;
    g_current = rc;
    return TRUE;
}

BOOL wglDeleteContext(HGLRC rc) {
    auto it = g_contexts.find(reinterpret_cast<uintptr_t>(rc));
    if (it == g_contexts.end()) return FALSE;
    if (g_current == rc) wglMakeCurrent(nullptr, nullptr);
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
    if (!w || !w->sdl || !g_current) return FALSE;
    detail::CompositeChildren(w);
    SDL_GL_SwapWindow(w->sdl);
    if (!g_pacing) return TRUE;
    if (g_vsync) check_vsync();
    else if (g_plan.fps > 0) pace(g_plan.fps);
    return TRUE;
}

}  // namespace win32
