// The web backend's OpenGL: a WebGL context on the page's canvas, under our own GL over ES 2. The browser
// presents what was drawn when the program gives it its turn (host::WaitForSystemFrame).
#include <emscripten/html5.h>

#include <cstring>

#include "platform/emul/composite.h"
#include "platform/gl/provider.h"
#include "platform/web/web.h"

namespace win32 {
namespace {
struct Context {
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE gl = 0;
    HWND window = nullptr;
};

std::map<uintptr_t, Context> g_contexts;
uintptr_t g_next_rc = 0x30000;
HGLRC g_current = nullptr;

Context* find_rc(HGLRC h) {
    auto it = g_contexts.find(reinterpret_cast<uintptr_t>(h));
    return it == g_contexts.end() ? nullptr : &it->second;
}

bool on_canvas(const detail::DeviceContext* dc) { return dc && web::IsCanvas(detail::FindWindow(dc->window)); }

constexpr const char* kNoWebGL = "WebGL is not available in this browser";
}  // namespace

int ChoosePixelFormat(HDC h, const PIXELFORMATDESCRIPTOR* pfd) {
    detail::DeviceContext* dc = detail::FindDC(h);
    if (!dc || !pfd || detail::Switches().refuse_pixel_formats || !on_canvas(dc)) return 0;
    if (!web_have_webgl()) {
        host::NoteFailure(kNoWebGL);
        return 0;
    }
    return 1;  // one format: RGB with depth, double-buffered, as the canvas is made
}

BOOL SetPixelFormat(HDC h, int format, const PIXELFORMATDESCRIPTOR*) {
    detail::DeviceContext* dc = detail::FindDC(h);
    if (!dc || format != 1 || !on_canvas(dc)) return FALSE;
    if (dc->pixel_format != 0 && dc->pixel_format != format) return FALSE;  // set once, as on Windows
    dc->pixel_format = format;
    return TRUE;
}

int DescribePixelFormat(HDC h, int format, UINT bytes, PIXELFORMATDESCRIPTOR* pfd) {
    if (!on_canvas(detail::FindDC(h))) return 0;
    if (pfd && format == 1 && bytes >= sizeof(PIXELFORMATDESCRIPTOR)) {
        *pfd = PIXELFORMATDESCRIPTOR{};
        pfd->nSize = sizeof(PIXELFORMATDESCRIPTOR);
        pfd->nVersion = 1;
        pfd->dwFlags = PFD_DOUBLEBUFFER | PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
        pfd->iPixelType = PFD_TYPE_RGBA;
        pfd->cColorBits = 24;
        pfd->cRedBits = pfd->cGreenBits = pfd->cBlueBits = 8;
        pfd->cDepthBits = 24;
        pfd->iLayerType = PFD_MAIN_PLANE;
    }
    return 1;
}

HGLRC wglCreateContext(HDC h) {
    detail::DeviceContext* dc = detail::FindDC(h);
    if (!on_canvas(dc) || dc->pixel_format == 0 || detail::Switches().refuse_contexts) return nullptr;
    glprovider::Finish();
    EmscriptenWebGLContextAttributes a;
    emscripten_webgl_init_context_attributes(&a);
    a.alpha = false;
    a.depth = true;
    a.stencil = false;
    a.antialias = false;
    a.preserveDrawingBuffer = false;
    a.majorVersion = 1;
    a.minorVersion = 0;
    a.enableExtensionsByDefault = true;
    const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE gl = emscripten_webgl_create_context("#canvas", &a);
    if (gl <= 0) {
        host::NoteFailure(std::string(kNoWebGL) + " (the canvas gave no WebGL context)");
        return nullptr;
    }
    host::NoteFailure("");
    // Windows makes no new context current: the one that was stays.
    if (Context* cur = find_rc(g_current)) emscripten_webgl_make_context_current(cur->gl);
    else emscripten_webgl_make_context_current(0);
    const uintptr_t id = g_next_rc++;
    g_contexts[id] = Context{gl, dc->window};
    const HGLRC handle = reinterpret_cast<HGLRC>(id);
    glprovider::Created(handle);
    return handle;
}

BOOL wglMakeCurrent(HDC h, HGLRC rc) {
    glprovider::Finish();  // what the context that stops being current still holds goes to it first
    if (!rc) {
        if (g_current) {
            emscripten_webgl_make_context_current(0);
            g_current = nullptr;
            glprovider::MadeCurrent(nullptr);
        }
        return TRUE;
    }
    Context* c = find_rc(rc);
    if (!c || !on_canvas(detail::FindDC(h))) return FALSE;
    if (emscripten_webgl_make_context_current(c->gl) != EMSCRIPTEN_RESULT_SUCCESS) return FALSE;
    if (g_current != rc) {
        g_current = rc;
        glprovider::MadeCurrent(rc);
    }
    return TRUE;
}

BOOL wglDeleteContext(HGLRC rc) {
    Context* c = find_rc(rc);
    if (!c) return FALSE;
    if (g_current == rc) wglMakeCurrent(nullptr, nullptr);
    glprovider::Deleted(rc);
    emscripten_webgl_destroy_context(c->gl);
    g_contexts.erase(reinterpret_cast<uintptr_t>(rc));
    return TRUE;
}

HGLRC wglGetCurrentContext() { return g_current; }

BOOL SwapBuffers(HDC h) {
    detail::DeviceContext* dc = detail::FindDC(h);
    detail::Window* w = dc ? detail::FindWindow(dc->window) : nullptr;
    if (!web::IsCanvas(w) || !g_current) return FALSE;
    int width = 0, height = 0;
    emscripten_webgl_get_drawing_buffer_size(find_rc(g_current)->gl, &width, &height);
    detail::CompositeChildren(w, width, height);
    glprovider::Finish();
    web_frame_presented();  // the browser shows it at the end of this turn
    return TRUE;
}

// No swap interval: the browser's animation frames pace the program (host::WaitForSystemFrame).
PROC wglGetProcAddress(LPCSTR) { return nullptr; }
BOOL EnumDisplaySettingsA(LPCSTR, DWORD, DEVMODEA*) { return FALSE; }

}  // namespace win32
