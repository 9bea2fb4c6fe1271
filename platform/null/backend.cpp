// A backend with nothing to show: native windows are the emulation's records alone, no event ever
// arrives but those a test injects, and there is no OpenGL. Every duty of emul/backend.h is here, doing
// the least Microsoft's documentation allows a system without a display or GL: what needs one fails as
// documented, so a program over it ends in its own message. The tests that need no display run over it.
#include <cstdio>

#include "platform/emul/backend.h"

namespace win32 {
namespace backend {

bool CreateNativeWindow(detail::Window*, const char*, int, int, int, int, bool) { return true; }
void ShowNativeWindow(detail::Window*, bool) {}
void PlaceNativeWindow(detail::Window*, int, int, int, int) {}
void RaiseNativeWindow(detail::Window*) {}
void FocusNativeWindow(detail::Window*) {}
void MinimizeNativeWindow(detail::Window*, bool) {}
bool NativeClientOrigin(const detail::Window*, POINT*) { return false; }
void SetNativeIcon(detail::Window*, HICON) {}
void SetNativeCursor(HCURSOR) {}
void ReleaseNativeWindow(detail::Window* w) { w->native = nullptr; }

void PumpEvents() {}
void WaitForEvents(int) {}
void CaptureMouse(bool) {}
bool CursorPos(POINT*) { return false; }
bool SetCursorPos(int, int) { return false; }
bool ScreenSize(int* w, int* h) {
    *w = 1280;
    *h = 1024;
    return true;
}

void DrawSurfaceText(detail::Window*, const std::string&, const RECT&, int, int, uint32_t) {}
int SurfaceTextHeight() { return 14; }

bool HaveDisplay() { return false; }  // nothing is shown, so a fatal error is told on standard error alone

}  // namespace backend

// ---- no OpenGL: no pixel format, so no context, nothing to present --------------------------------
int ChoosePixelFormat(HDC, const PIXELFORMATDESCRIPTOR*) { return 0; }
BOOL SetPixelFormat(HDC, int, const PIXELFORMATDESCRIPTOR*) { return FALSE; }
int DescribePixelFormat(HDC, int, UINT, PIXELFORMATDESCRIPTOR*) { return 0; }
HGLRC wglCreateContext(HDC) { return nullptr; }
BOOL wglMakeCurrent(HDC, HGLRC rc) { return rc ? FALSE : TRUE; }  // no context, but "none" can be made current
BOOL wglDeleteContext(HGLRC) { return FALSE; }
HGLRC wglGetCurrentContext() { return nullptr; }
PROC wglGetProcAddress(LPCSTR) { return nullptr; }
BOOL SwapBuffers(HDC) { return FALSE; }
BOOL EnumDisplaySettingsA(LPCSTR, DWORD, DEVMODEA*) { return FALSE; }

// ---- boxes: standard error is where one shows -----------------------------------------------------
int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT) {
    if (detail::Switches().record_boxes) detail::RecordedBoxes().push_back({caption ? caption : "", text ? text : ""});
    else if (!host::FatalErrorShowing())  // that path has written its text there already
        std::fprintf(stderr, "%s: %s\n", host::Cp1252ToUtf8(caption).c_str(), host::Cp1252ToUtf8(text).c_str());
    return IDOK;
}

// ---- cursors, icons and bitmaps ---------------------------------------------------------------------
// The stock cursors and the application icon exist on every system, as handles never destroyed; nothing
// is decoded from files, so every picture a file would give fails as unusable.
namespace {
const LPCSTR kStockCursors[] = {IDC_ARROW,   IDC_IBEAM,    IDC_WAIT,     IDC_CROSS,       IDC_UPARROW,
                                IDC_SIZE,    IDC_SIZENWSE, IDC_SIZENESW, IDC_SIZEWE,      IDC_SIZENS,
                                IDC_SIZEALL, IDC_NO,       IDC_HAND,     IDC_APPSTARTING, IDC_HELP};
constexpr size_t kStockCount = sizeof kStockCursors / sizeof kStockCursors[0];
char g_stock_cursors[kStockCount];
char g_application_icon;
}  // namespace

HCURSOR LoadCursorA(HINSTANCE, LPCSTR name) {
    for (size_t i = 0; i < kStockCount; ++i)
        if (name == kStockCursors[i]) return reinterpret_cast<HCURSOR>(&g_stock_cursors[i]);
    return nullptr;
}
HICON LoadIconA(HINSTANCE, LPCSTR name) {
    return name == IDI_APPLICATION ? reinterpret_cast<HICON>(&g_application_icon) : nullptr;
}
HCURSOR LoadCursorFromFileA(LPCSTR) { return nullptr; }
HCURSOR LoadCursorFromMemory(const void*, size_t) { return nullptr; }
BOOL DestroyIcon(HICON) { return FALSE; }  // only stock ones exist

}  // namespace win32
