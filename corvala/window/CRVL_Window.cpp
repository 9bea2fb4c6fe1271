#include "window/CRVL_Window.h"

#include <cstring>

#include "platform/host/host.h"
#include "window/CRVL_HoverButton.h"
#include "window/CRVL_StatusBar.h"

namespace corvala {

using namespace win32;

HWND HWINDOW = nullptr;
HDC DCWINDOW = nullptr;
HGLRC RCWINDOW = nullptr;
int32_t WIDTH = 0, HEIGHT = 0;
int32_t BITS = 0;
bool FULLSCREEN = false;
int32_t PIXEL_FORMAT_FLAGS = 0;
int32_t SETTYPECURSOR = 0;
int32_t SETTYPEICON = 0;
const char* CURSORFILE = nullptr;
const char* ICONFILE = nullptr;
uint32_t START = 0;
CRVLPROCEDURE CREATEMENUBAR = nullptr;
CRVLPROCEDURE CREATEMOUSEMENU = nullptr;
WNDCLASSEXA WINDOWCLASSEX;
HWND HSTATUS = nullptr;
bool GLVERT3FREMOVE = false;
bool GLVERT3FENABLEEDIT = false;

TGETINPUTCOMMAND GETINPUTCOMMAND = nullptr;
bool SHOWMENUBAR = false;
bool SHOWSTATUSBAR = false;
const char* CRVLVERSION = "1.0";

namespace {
LPCSTR const kCursorIds[17] = {nullptr,     IDC_ARROW, IDC_IBEAM,    IDC_WAIT,        IDC_CROSS,  IDC_UPARROW,
                               IDC_SIZE,    nullptr,   IDC_SIZENWSE, IDC_SIZENESW,    IDC_SIZEWE, IDC_SIZENS,
                               IDC_SIZEALL, IDC_NO,    IDC_HAND,     IDC_APPSTARTING, IDC_HELP};
}

void OGLWINDOWSETTING(int32_t TYPECURSOR, const char* CURFILE, int32_t TYPEICON, const char* ICOFILE) {
    if (MOUSEFREE) {
        START = GetTickCount();
        SetCursorPos(WIDTH / 2, HEIGHT / 2);
    }
    SETTYPECURSOR = TYPECURSOR;
    CURSORFILE = CURFILE;
    SETTYPEICON = TYPEICON;
    ICONFILE = ICOFILE;
    GLVERT3FREMOVE = false;
    GLVERT3FENABLEEDIT = false;
}

bool WINDOWREGISTER() {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.style = CS_VREDRAW | CS_HREDRAW;
    wc.lpfnWndProc = GLWNDPROC;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 0;
    wc.hInstance = instance;
    if (SETTYPEICON == GENERIC) wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    else if (SETTYPEICON == FILEICON) wc.hIcon = LoadCursorFromFileA(ICONFILE);
    if (SETTYPECURSOR == FILECURSOR) wc.hCursor = LoadCursorFromFileA(CURSORFILE);
    else if (SETTYPECURSOR >= ARROW && SETTYPECURSOR <= HELP)
        wc.hCursor = LoadCursorA(nullptr, kCursorIds[SETTYPECURSOR]);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszMenuName = nullptr;
    wc.lpszClassName = "GLWindow";
    const bool result = RegisterClassA(&wc) != 0;

    if (!GetClassInfoExA(nullptr, SZHOVERCLASS, &WINDOWCLASSEX)) {
        WINDOWCLASSEX = WNDCLASSEXA{};
        WINDOWCLASSEX.cbSize = sizeof(WNDCLASSEXA);  // 48 in a 32-bit program; any other size is refused
        WINDOWCLASSEX.style = 0;
        WINDOWCLASSEX.lpfnWndProc = HOVERBUTTONHANDLER;
        WINDOWCLASSEX.cbClsExtra = 0;
        WINDOWCLASSEX.cbWndExtra = 0;
        WINDOWCLASSEX.hInstance = instance;
        WINDOWCLASSEX.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
        WINDOWCLASSEX.hIconSm = WINDOWCLASSEX.hIcon;
        WINDOWCLASSEX.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        WINDOWCLASSEX.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
        WINDOWCLASSEX.lpszMenuName = nullptr;
        WINDOWCLASSEX.lpszClassName = SZHOVERCLASS;
        RegisterClassExA(&WINDOWCLASSEX);
    }
    return result;
}

HWND WINDOWCREATE(const char* PCAPPLICATIONNAME) {
    if (FULLSCREEN) {
        WIDTH = GetSystemMetrics(SM_CXSCREEN);
        HEIGHT = GetSystemMetrics(SM_CYSCREEN);
    }
    const DWORD shown = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_SYSMENU;
    const DWORD style = FULLSCREEN ? shown | WS_BORDER : shown | WS_CAPTION | WS_MINIMIZEBOX;
    HWND handle = CreateWindowExA(0, "GLWindow", PCAPPLICATIONNAME, style, CW_USEDEFAULT, CW_USEDEFAULT, WIDTH, HEIGHT,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (handle) {
        ShowWindow(handle, SW_SHOWDEFAULT);
        UpdateWindow(handle);
    }
    return handle;
}

bool WINDOWINIT(HWND HPARENT) {
    int error = 0;
    DCWINDOW = GetDC(HPARENT);
    // BITS lands in single-byte fields; anything outside 0..255 is held to the nearest end.
    const win32::BYTE bits = win32::BYTE(BITS < 0 ? 0 : (BITS > 255 ? 255 : BITS));
    win32::PIXELFORMATDESCRIPTOR pfd;
    std::memset(&pfd, 0, sizeof pfd);
    pfd.nSize = sizeof pfd;
    pfd.nVersion = 1;
    pfd.dwFlags = win32::DWORD(PIXEL_FORMAT_FLAGS) | PFD_DOUBLEBUFFER | PFD_STEREO | PFD_DRAW_TO_WINDOW |
                  PFD_SUPPORT_OPENGL | PFD_GENERIC_FORMAT | PFD_GENERIC_ACCELERATED;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = bits;
    pfd.cAlphaBits = bits;
    pfd.cAccumBits = bits;
    pfd.cDepthBits = bits;
    pfd.cStencilBits = bits;
    pfd.cAuxBuffers = bits;
    pfd.iLayerType = PFD_OVERLAY_PLANE;
    const int format = ChoosePixelFormat(DCWINDOW, &pfd);
    if (format == 0) error = 1;
    SetPixelFormat(DCWINDOW, format, &pfd);
    RCWINDOW = wglCreateContext(DCWINDOW);
    if (!RCWINDOW) error = 2;
    wglMakeCurrent(DCWINDOW, RCWINDOW);
    return error == 0;
}

bool CREATEOGLWINDOW(const char* APPNAME, int32_t APPWIDTH, int32_t APPHEIGHT, int32_t APPBITS, bool APPFULLSCREEN) {
    WIDTH = APPWIDTH;
    HEIGHT = APPHEIGHT;
    BITS = APPBITS;
    FULLSCREEN = APPFULLSCREEN;
    if (!WINDOWREGISTER()) THROWERROR("Errore di registro per la rispettiva applicazione!");
    HWINDOW = WINDOWCREATE(APPNAME);
    if (SHOWMENUBAR && CREATEMENUBAR) CREATEMENUBAR();  // no procedure set: no menu bar
    if (SHOWSTATUSBAR) HSTATUS = CREATESTATUSBAR(HWINDOW);
    if (!HWINDOW) THROWERROR("Impossibile creare la finestra per la rispettiva applicazione!");
    if (!WINDOWINIT(HWINDOW)) THROWERROR("la rispettiva applicazione non \xE8 stata inizilizata!");
    return true;
}

void POSITIONWINDOW(int32_t X, int32_t Y) {
    // Only meaningful once creation has set a positive size; otherwise there is nothing to place.
    if (WIDTH <= 0 || HEIGHT <= 0) return;
    const win32::RECT r{WIDTH / HEIGHT, HEIGHT / WIDTH, WIDTH, HEIGHT};
    SetWindowPos(HWINDOW, HWND_TOP, X, Y, r.right - r.left, r.bottom - r.top, 0);
}

void DELETEOGLWINDOW() {
    wglMakeCurrent(DCWINDOW, nullptr);
    wglDeleteContext(RCWINDOW);
    ReleaseDC(HWINDOW, DCWINDOW);
    DestroyWindow(HWINDOW);
}

void THROWERROR(const char* PCERRORMESSAGE) { host::FatalError("Error", PCERRORMESSAGE); }

}  // namespace corvala
