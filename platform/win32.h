// The Win32 surface Corvala is written against: the subset of the Win32 API it calls, with Windows'
// names, constants and record layouts. On Linux the emulation (emul/) and its SDL backend (sdl/)
// provide it; each call does what the framework relies on and nothing more.
#pragma once
#if defined(_WIN32)
#include "windows/surface.h"
#else
#include <cstddef>
#include <cstdint>

namespace win32 {

// ---- basic types -------------------------------------------------------------------------------
typedef int32_t BOOL;
typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef uint32_t UINT;
typedef uint16_t ATOM;
typedef uintptr_t WPARAM;  // pointer-sized, as on 64-bit Windows
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef uint32_t COLORREF;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef void* LPVOID;

struct HWND__;
typedef HWND__* HWND;
struct HDC__;
typedef HDC__* HDC;
struct HGLRC__;
typedef HGLRC__* HGLRC;
struct HINSTANCE__;
typedef HINSTANCE__* HINSTANCE;
struct HICON__;
typedef HICON__* HICON;
typedef HICON HCURSOR;
struct HMENU__;
typedef HMENU__* HMENU;
// Distinct handle types, as Windows' header makes them (STRICT): each converts to HGDIOBJ, never back.
typedef void* HGDIOBJ;
struct HBRUSH__;
typedef HBRUSH__* HBRUSH;
struct HBITMAP__;
typedef HBITMAP__* HBITMAP;
struct HPALETTE__;
typedef HPALETTE__* HPALETTE;
struct HRGN__;
typedef HRGN__* HRGN;
typedef void* HANDLE;
typedef HANDLE HGLOBAL;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

#define WINAPI  // the one calling convention of 64-bit code
typedef LRESULT (*WNDPROC)(HWND, UINT, WPARAM, LPARAM);
typedef intptr_t(WINAPI* PROC)();

inline WORD LOWORD(uintptr_t v) { return WORD(v & 0xFFFF); }
inline WORD HIWORD(uintptr_t v) { return WORD((v >> 16) & 0xFFFF); }
inline LPARAM MAKELPARAM(int lo, int hi) {
    return LPARAM(uint32_t((uint32_t(hi) & 0xFFFF) << 16 | (uint32_t(lo) & 0xFFFF)));
}
inline WPARAM MAKEWPARAM(int lo, int hi) {
    return WPARAM(uint32_t((uint32_t(hi) & 0xFFFF) << 16 | (uint32_t(lo) & 0xFFFF)));
}
inline LPCSTR MAKEINTRESOURCEA(int id) { return reinterpret_cast<LPCSTR>(uintptr_t(uint16_t(id))); }

struct POINT {
    LONG x, y;
};
struct RECT {
    LONG left, top, right, bottom;
};

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};

struct WNDCLASSA {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
};

struct WNDCLASSEXA {
    UINT cbSize;
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
    HICON hIconSm;
};

#pragma pack(push, 1)
struct PIXELFORMATDESCRIPTOR {
    WORD nSize;
    WORD nVersion;
    DWORD dwFlags;
    BYTE iPixelType;
    BYTE cColorBits;
    BYTE cRedBits, cRedShift, cGreenBits, cGreenShift, cBlueBits, cBlueShift;
    BYTE cAlphaBits, cAlphaShift;
    BYTE cAccumBits, cAccumRedBits, cAccumGreenBits, cAccumBlueBits, cAccumAlphaBits;
    BYTE cDepthBits;
    BYTE cStencilBits;
    BYTE cAuxBuffers;
    BYTE iLayerType;
    BYTE bReserved;
    DWORD dwLayerMask;
    DWORD dwVisibleMask;
    DWORD dwDamageMask;
};
#pragma pack(pop)
static_assert(sizeof(PIXELFORMATDESCRIPTOR) == 40, "PIXELFORMATDESCRIPTOR is 40 bytes");

struct PAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
};

// ---- constants ---------------------------------------------------------------------------------
constexpr UINT WM_NULL = 0x0000, WM_CREATE = 0x0001, WM_DESTROY = 0x0002, WM_MOVE = 0x0003, WM_SIZE = 0x0005,
               WM_ACTIVATE = 0x0006, WM_SETFOCUS = 0x0007, WM_KILLFOCUS = 0x0008, WM_PAINT = 0x000F, WM_CLOSE = 0x0010,
               WM_QUIT = 0x0012, WM_ERASEBKGND = 0x0014, WM_SHOWWINDOW = 0x0018, WM_CONTEXTMENU = 0x007B,
               WM_NCCREATE = 0x0081, WM_NCDESTROY = 0x0082, WM_KEYDOWN = 0x0100, WM_KEYUP = 0x0101, WM_CHAR = 0x0102,
               WM_SYSKEYDOWN = 0x0104, WM_SYSKEYUP = 0x0105, WM_COMMAND = 0x0111, WM_SYSCOMMAND = 0x0112,
               WM_MOUSEMOVE = 0x0200, WM_LBUTTONDOWN = 0x0201, WM_LBUTTONUP = 0x0202, WM_RBUTTONDOWN = 0x0204,
               WM_RBUTTONUP = 0x0205, WM_MBUTTONDOWN = 0x0207, WM_MBUTTONUP = 0x0208, WM_CAPTURECHANGED = 0x0215,
               WM_USER = 0x0400;

constexpr WPARAM MK_LBUTTON = 0x0001, MK_RBUTTON = 0x0002, MK_SHIFT = 0x0004, MK_CONTROL = 0x0008, MK_MBUTTON = 0x0010;

constexpr UINT PM_NOREMOVE = 0x0000, PM_REMOVE = 0x0001;

constexpr DWORD WS_OVERLAPPED = 0x00000000, WS_POPUP = 0x80000000, WS_CHILD = 0x40000000, WS_MINIMIZE = 0x20000000,
                WS_VISIBLE = 0x10000000, WS_DISABLED = 0x08000000, WS_CLIPSIBLINGS = 0x04000000,
                WS_CLIPCHILDREN = 0x02000000, WS_MAXIMIZE = 0x01000000, WS_CAPTION = 0x00C00000, WS_BORDER = 0x00800000,
                WS_DLGFRAME = 0x00400000, WS_SYSMENU = 0x00080000, WS_THICKFRAME = 0x00040000,
                WS_MINIMIZEBOX = 0x00020000, WS_MAXIMIZEBOX = 0x00010000;

constexpr UINT CS_VREDRAW = 0x0001, CS_HREDRAW = 0x0002, CS_GLOBALCLASS = 0x4000;
constexpr int CW_USEDEFAULT = int(0x80000000);

constexpr int SW_HIDE = 0, SW_SHOWNORMAL = 1, SW_SHOWMINIMIZED = 2, SW_SHOW = 5, SW_MINIMIZE = 6, SW_RESTORE = 9,
              SW_SHOWDEFAULT = 10;

// WM_SIZE's WPARAM.
constexpr WPARAM SIZE_RESTORED = 0, SIZE_MINIMIZED = 1;

constexpr int SM_CXSCREEN = 0, SM_CYSCREEN = 1, SM_CXBORDER = 5, SM_CYBORDER = 6, SM_CXFIXEDFRAME = 7,
              SM_CYFIXEDFRAME = 8, SM_CYCAPTION = 4, SM_CXFRAME = 32, SM_CYFRAME = 33;

constexpr UINT SWP_NOSIZE = 0x0001, SWP_NOMOVE = 0x0002, SWP_NOZORDER = 0x0004, SWP_NOACTIVATE = 0x0010,
               SWP_SHOWWINDOW = 0x0040, SWP_HIDEWINDOW = 0x0080;
inline HWND const HWND_TOP = nullptr;  // a macro on Windows

// Virtual-key codes.
constexpr int VK_LBUTTON = 0x01, VK_RBUTTON = 0x02, VK_BACK = 0x08, VK_TAB = 0x09, VK_RETURN = 0x0D, VK_SHIFT = 0x10,
              VK_CONTROL = 0x11, VK_MENU = 0x12, VK_PAUSE = 0x13, VK_CAPITAL = 0x14, VK_ESCAPE = 0x1B, VK_SPACE = 0x20,
              VK_PRIOR = 0x21, VK_NEXT = 0x22, VK_END = 0x23, VK_HOME = 0x24, VK_LEFT = 0x25, VK_UP = 0x26,
              VK_RIGHT = 0x27, VK_DOWN = 0x28, VK_SNAPSHOT = 0x2C, VK_INSERT = 0x2D, VK_DELETE = 0x2E, VK_LWIN = 0x5B,
              VK_RWIN = 0x5C, VK_APPS = 0x5D, VK_NUMPAD0 = 0x60, VK_MULTIPLY = 0x6A, VK_ADD = 0x6B, VK_SEPARATOR = 0x6C,
              VK_SUBTRACT = 0x6D, VK_DECIMAL = 0x6E, VK_DIVIDE = 0x6F, VK_F1 = 0x70, VK_F4 = 0x73, VK_F10 = 0x79,
              VK_F12 = 0x7B, VK_F13 = 0x7C, VK_NUMLOCK = 0x90, VK_SCROLL = 0x91, VK_LSHIFT = 0xA0, VK_RSHIFT = 0xA1,
              VK_LCONTROL = 0xA2, VK_RCONTROL = 0xA3, VK_LMENU = 0xA4, VK_RMENU = 0xA5, VK_OEM_1 = 0xBA,
              VK_OEM_PLUS = 0xBB, VK_OEM_COMMA = 0xBC, VK_OEM_MINUS = 0xBD, VK_OEM_PERIOD = 0xBE, VK_OEM_2 = 0xBF,
              VK_OEM_3 = 0xC0, VK_OEM_4 = 0xDB, VK_OEM_5 = 0xDC, VK_OEM_6 = 0xDD, VK_OEM_7 = 0xDE, VK_OEM_102 = 0xE2;

// Stock cursors and icons: resource names made from numbers, as Windows' header makes them.
inline LPCSTR const IDC_ARROW = MAKEINTRESOURCEA(32512), IDC_IBEAM = MAKEINTRESOURCEA(32513),
                    IDC_WAIT = MAKEINTRESOURCEA(32514), IDC_CROSS = MAKEINTRESOURCEA(32515),
                    IDC_UPARROW = MAKEINTRESOURCEA(32516), IDC_SIZE = MAKEINTRESOURCEA(32640),
                    IDC_SIZENWSE = MAKEINTRESOURCEA(32642), IDC_SIZENESW = MAKEINTRESOURCEA(32643),
                    IDC_SIZEWE = MAKEINTRESOURCEA(32644), IDC_SIZENS = MAKEINTRESOURCEA(32645),
                    IDC_SIZEALL = MAKEINTRESOURCEA(32646), IDC_NO = MAKEINTRESOURCEA(32648),
                    IDC_HAND = MAKEINTRESOURCEA(32649), IDC_APPSTARTING = MAKEINTRESOURCEA(32650),
                    IDC_HELP = MAKEINTRESOURCEA(32651);
inline LPCSTR const IDI_APPLICATION = MAKEINTRESOURCEA(32512);

constexpr int COLOR_BTNFACE = 15, COLOR_BTNSHADOW = 16, COLOR_BTNTEXT = 18, COLOR_BTNHIGHLIGHT = 20;
constexpr int NULL_BRUSH = 5;

constexpr UINT MB_OK = 0x0000, MB_ICONERROR = 0x0010;
constexpr int IDOK = 1;

// Pixel formats.
constexpr DWORD PFD_DOUBLEBUFFER = 0x00000001, PFD_STEREO = 0x00000002, PFD_DRAW_TO_WINDOW = 0x00000004,
                PFD_DRAW_TO_BITMAP = 0x00000008, PFD_SUPPORT_GDI = 0x00000010, PFD_SUPPORT_OPENGL = 0x00000020,
                PFD_GENERIC_FORMAT = 0x00000040, PFD_GENERIC_ACCELERATED = 0x00001000;
constexpr BYTE PFD_TYPE_RGBA = 0, PFD_TYPE_COLORINDEX = 1;
constexpr BYTE PFD_MAIN_PLANE = 0, PFD_OVERLAY_PLANE = 1;

// ---- user32: classes, windows, messages --------------------------------------------------------
HINSTANCE GetModuleHandleA(LPCSTR name);
ATOM RegisterClassA(const WNDCLASSA* wc);
ATOM RegisterClassExA(const WNDCLASSEXA* wc);
BOOL GetClassInfoExA(HINSTANCE inst, LPCSTR name, WNDCLASSEXA* out);

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y, int w, int h,
                     HWND parent, HMENU menu, HINSTANCE inst, LPVOID param);
BOOL DestroyWindow(HWND w);
BOOL IsWindow(HWND w);
BOOL ShowWindow(HWND w, int cmd);
BOOL IsIconic(HWND w);  // minimized
BOOL UpdateWindow(HWND w);
BOOL SetWindowPos(HWND w, HWND after, int x, int y, int cx, int cy, UINT flags);
BOOL GetWindowRect(HWND w, RECT* r);
BOOL GetClientRect(HWND w, RECT* r);
BOOL ClientToScreen(HWND w, POINT* p);
// Converts `count` points from `from`'s client coordinates to `to`'s (0: the screen); the low word of the
// result is the horizontal, the high word the vertical offset added, 0 on failure.
int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);
BOOL InvalidateRect(HWND w, const RECT* r, BOOL erase);
HDC BeginPaint(HWND w, PAINTSTRUCT* ps);
BOOL EndPaint(HWND w, const PAINTSTRUCT* ps);
LRESULT DefWindowProcA(HWND w, UINT msg, WPARAM wp, LPARAM lp);
BOOL ValidateRect(HWND w, const RECT* r);
BOOL MoveWindow(HWND w, int x, int y, int cx, int cy, BOOL repaint);
HWND GetParent(HWND w);
int GetDlgCtrlID(HWND w);
// Window properties; names compare without regard to case, like the atoms they are on Windows.
BOOL SetPropA(HWND w, LPCSTR name, HANDLE data);
HANDLE GetPropA(HWND w, LPCSTR name);
HANDLE RemovePropA(HWND w, LPCSTR name);
// The window owns the region from then on (coordinates relative to the window); NULL removes it.
int SetWindowRgn(HWND w, HRGN rgn, BOOL redraw);

BOOL PeekMessageA(MSG* m, HWND w, UINT first, UINT last, UINT remove);
BOOL GetMessageA(MSG* m, HWND w, UINT first, UINT last);
BOOL TranslateMessage(const MSG* m);
LRESULT DispatchMessageA(const MSG* m);
BOOL PostMessageA(HWND w, UINT msg, WPARAM wp, LPARAM lp);
LRESULT SendMessageA(HWND w, UINT msg, WPARAM wp, LPARAM lp);
void PostQuitMessage(int code);
BOOL WaitMessage();  // returns once a message is there to be taken

HWND SetCapture(HWND w);
BOOL ReleaseCapture();
HWND GetCapture();
BOOL GetCursorPos(POINT* p);
BOOL SetCursorPos(int x, int y);
HWND GetForegroundWindow();
BOOL SetForegroundWindow(HWND w);
int GetSystemMetrics(int index);

HCURSOR LoadCursorA(HINSTANCE inst, LPCSTR name);
HICON LoadIconA(HINSTANCE inst, LPCSTR name);
HCURSOR LoadCursorFromFileA(LPCSTR file);
BOOL DestroyIcon(HICON icon);
HBRUSH GetSysColorBrush(int index);
COLORREF GetSysColor(int index);
HGDIOBJ GetStockObject(int index);

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

// ---- gdi32 / wgl -------------------------------------------------------------------------------
HDC GetDC(HWND w);
int ReleaseDC(HWND w, HDC dc);
int ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* pfd);
BOOL SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR* pfd);
int DescribePixelFormat(HDC dc, int format, UINT bytes, PIXELFORMATDESCRIPTOR* pfd);
BOOL SwapBuffers(HDC dc);
HGLRC wglCreateContext(HDC dc);
BOOL wglMakeCurrent(HDC dc, HGLRC rc);
BOOL wglDeleteContext(HGLRC rc);
HGLRC wglGetCurrentContext();
// Extensions of the current context, "wglSwapIntervalEXT" among them; NULL without a context.
PROC wglGetProcAddress(LPCSTR name);
typedef BOOL(WINAPI* PFNWGLSWAPINTERVALEXTPROC)(int interval);

// The display's current mode: ENUM_CURRENT_SETTINGS of the display device (NULL) only.
constexpr DWORD ENUM_CURRENT_SETTINGS = DWORD(-1);
constexpr DWORD DM_BITSPERPEL = 0x00040000, DM_PELSWIDTH = 0x00080000, DM_PELSHEIGHT = 0x00100000,
                DM_DISPLAYFREQUENCY = 0x00400000;
struct POINTL {
    LONG x, y;
};
struct DEVMODEA {
    BYTE dmDeviceName[32];
    WORD dmSpecVersion;
    WORD dmDriverVersion;
    WORD dmSize;
    WORD dmDriverExtra;
    DWORD dmFields;
    union {  // anonymous, as in Windows' own header
        struct {
            int16_t dmOrientation, dmPaperSize, dmPaperLength, dmPaperWidth, dmScale, dmCopies, dmDefaultSource,
                dmPrintQuality;
        };
        struct {
            POINTL dmPosition;
            DWORD dmDisplayOrientation;
            DWORD dmDisplayFixedOutput;
        };
    };
    int16_t dmColor, dmDuplex, dmYResolution, dmTTOption, dmCollate;
    BYTE dmFormName[32];
    WORD dmLogPixels;
    DWORD dmBitsPerPel;
    DWORD dmPelsWidth;
    DWORD dmPelsHeight;
    DWORD dmDisplayFlags;
    DWORD dmDisplayFrequency;
    DWORD dmICMMethod, dmICMIntent, dmMediaType, dmDitherType, dmReserved1, dmReserved2, dmPanningWidth,
        dmPanningHeight;
};
static_assert(sizeof(DEVMODEA) == 156, "DEVMODEA is 156 bytes");
BOOL EnumDisplaySettingsA(LPCSTR device, DWORD mode, DEVMODEA* out);

// ---- comctl32 ---------------------------------------------------------------------------------
constexpr UINT SB_SETTEXTA = WM_USER + 1, SB_GETTEXTA = WM_USER + 2, SB_GETTEXTLENGTHA = WM_USER + 3,
               SB_SETPARTS = WM_USER + 4, SB_GETPARTS = WM_USER + 6, SB_GETRECT = WM_USER + 10;
HWND CreateStatusWindowA(LONG style, LPCSTR text, HWND parent, UINT id);

// ---- kernel32 ----------------------------------------------------------------------------------
DWORD GetTickCount();

}  // namespace win32

#include "win32_gdi.h"
#endif  // _WIN32
