// The Win32 surface Corvala is written against: the subset of the Win32 API it calls, with Windows'
// names, constants and record layouts. On Linux the emulation (emul/) and its SDL backend (sdl/)
// provide it; each call does what the framework relies on and nothing more. Functions and types are
// in namespace win32, as platform/windows/surface.h brings Windows' own there; constants and the
// word and resource-name helpers are macros, as on Windows, so one spelling builds on both.
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

#define FALSE 0
#define TRUE 1

#define WINAPI  // the one calling convention of 64-bit code
typedef LRESULT (*WNDPROC)(HWND, UINT, WPARAM, LPARAM);
typedef intptr_t(WINAPI* PROC)();

// Windows' word, byte and resource-name macros, in its forms.
#define LOWORD(l) ((::win32::WORD)(((uintptr_t)(l)) & 0xffff))
#define HIWORD(l) ((::win32::WORD)((((uintptr_t)(l)) >> 16) & 0xffff))
#define LOBYTE(w) ((::win32::BYTE)(((uintptr_t)(w)) & 0xff))
#define MAKELONG(a, b)                                              \
    ((::win32::LONG)(((::win32::WORD)(((uintptr_t)(a)) & 0xffff)) | \
                     ((::win32::DWORD)((::win32::WORD)(((uintptr_t)(b)) & 0xffff))) << 16))
#define MAKELPARAM(l, h) ((::win32::LPARAM)(::win32::DWORD)MAKELONG(l, h))
#define MAKEWPARAM(l, h) ((::win32::WPARAM)(::win32::DWORD)MAKELONG(l, h))
#define MAKEINTRESOURCEA(i) ((::win32::LPSTR)((uintptr_t)((::win32::WORD)(i))))

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
// Macros with Windows' values and forms, as its header has them, so that code names them unqualified
// (WM_CLOSE, never win32::WM_CLOSE) and the same source builds on both systems.
#define WM_NULL 0x0000
#define WM_CREATE 0x0001
#define WM_DESTROY 0x0002
#define WM_MOVE 0x0003
#define WM_SIZE 0x0005
#define WM_ACTIVATE 0x0006
#define WM_SETFOCUS 0x0007
#define WM_KILLFOCUS 0x0008
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_QUIT 0x0012
#define WM_ERASEBKGND 0x0014
#define WM_SHOWWINDOW 0x0018
#define WM_CONTEXTMENU 0x007B
#define WM_NCCREATE 0x0081
#define WM_NCDESTROY 0x0082
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_CHAR 0x0102
#define WM_SYSKEYDOWN 0x0104
#define WM_SYSKEYUP 0x0105
#define WM_COMMAND 0x0111
#define WM_SYSCOMMAND 0x0112
#define WM_MOUSEMOVE 0x0200
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define WM_RBUTTONDOWN 0x0204
#define WM_RBUTTONUP 0x0205
#define WM_MBUTTONDOWN 0x0207
#define WM_MBUTTONUP 0x0208
#define WM_CAPTURECHANGED 0x0215
#define WM_USER 0x0400

#define MK_LBUTTON 0x0001
#define MK_RBUTTON 0x0002
#define MK_SHIFT 0x0004
#define MK_CONTROL 0x0008
#define MK_MBUTTON 0x0010

// The mouse wheel: wParam holds the key state (MK_*) low and the signed distance turned high, in
// multiples of WHEEL_DELTA (forward positive); lParam the pointer on screen.
#define WM_MOUSEWHEEL 0x020A
#define WHEEL_DELTA 120
#define GET_WHEEL_DELTA_WPARAM(wParam) ((short)HIWORD(wParam))
#define GET_KEYSTATE_WPARAM(wParam) (LOWORD(wParam))

#define PM_NOREMOVE 0x0000
#define PM_REMOVE 0x0001

#define WS_OVERLAPPED 0x00000000L
#define WS_POPUP 0x80000000L
#define WS_CHILD 0x40000000L
#define WS_MINIMIZE 0x20000000L
#define WS_VISIBLE 0x10000000L
#define WS_DISABLED 0x08000000L
#define WS_CLIPSIBLINGS 0x04000000L
#define WS_CLIPCHILDREN 0x02000000L
#define WS_MAXIMIZE 0x01000000L
#define WS_CAPTION 0x00C00000L
#define WS_BORDER 0x00800000L
#define WS_DLGFRAME 0x00400000L
#define WS_SYSMENU 0x00080000L
#define WS_THICKFRAME 0x00040000L
#define WS_MINIMIZEBOX 0x00020000L
#define WS_MAXIMIZEBOX 0x00010000L

#define CS_VREDRAW 0x0001
#define CS_HREDRAW 0x0002
#define CS_GLOBALCLASS 0x4000
#define CW_USEDEFAULT ((int)0x80000000)

#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_SHOWMINIMIZED 2
#define SW_SHOW 5
#define SW_MINIMIZE 6
#define SW_RESTORE 9
#define SW_SHOWDEFAULT 10

// WM_SIZE's WPARAM.
#define SIZE_RESTORED 0
#define SIZE_MINIMIZED 1

#define SM_CXSCREEN 0
#define SM_CYSCREEN 1
#define SM_CXBORDER 5
#define SM_CYBORDER 6
#define SM_CXFIXEDFRAME 7
#define SM_CYFIXEDFRAME 8
#define SM_CYCAPTION 4
#define SM_CXFRAME 32
#define SM_CYFRAME 33

#define SWP_NOSIZE 0x0001
#define SWP_NOMOVE 0x0002
#define SWP_NOZORDER 0x0004
#define SWP_NOACTIVATE 0x0010
#define SWP_SHOWWINDOW 0x0040
#define SWP_HIDEWINDOW 0x0080
#define HWND_TOP ((::win32::HWND)0)

// Virtual-key codes.
#define VK_LBUTTON 0x01
#define VK_RBUTTON 0x02
#define VK_BACK 0x08
#define VK_TAB 0x09
#define VK_RETURN 0x0D
#define VK_SHIFT 0x10
#define VK_CONTROL 0x11
#define VK_MENU 0x12
#define VK_PAUSE 0x13
#define VK_CAPITAL 0x14
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20
#define VK_PRIOR 0x21
#define VK_NEXT 0x22
#define VK_END 0x23
#define VK_HOME 0x24
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#define VK_SNAPSHOT 0x2C
#define VK_INSERT 0x2D
#define VK_DELETE 0x2E
#define VK_LWIN 0x5B
#define VK_RWIN 0x5C
#define VK_APPS 0x5D
#define VK_NUMPAD0 0x60
#define VK_MULTIPLY 0x6A
#define VK_ADD 0x6B
#define VK_SEPARATOR 0x6C
#define VK_SUBTRACT 0x6D
#define VK_DECIMAL 0x6E
#define VK_DIVIDE 0x6F
#define VK_F1 0x70
#define VK_F4 0x73
#define VK_F10 0x79
#define VK_F12 0x7B
#define VK_F13 0x7C
#define VK_NUMLOCK 0x90
#define VK_SCROLL 0x91
#define VK_LSHIFT 0xA0
#define VK_RSHIFT 0xA1
#define VK_LCONTROL 0xA2
#define VK_RCONTROL 0xA3
#define VK_LMENU 0xA4
#define VK_RMENU 0xA5
#define VK_OEM_1 0xBA
#define VK_OEM_PLUS 0xBB
#define VK_OEM_COMMA 0xBC
#define VK_OEM_MINUS 0xBD
#define VK_OEM_PERIOD 0xBE
#define VK_OEM_2 0xBF
#define VK_OEM_3 0xC0
#define VK_OEM_4 0xDB
#define VK_OEM_5 0xDC
#define VK_OEM_6 0xDD
#define VK_OEM_7 0xDE
#define VK_OEM_102 0xE2

// Stock cursors and icons: resource names made from numbers, as Windows' header makes them.
#define IDC_ARROW MAKEINTRESOURCEA(32512)
#define IDC_IBEAM MAKEINTRESOURCEA(32513)
#define IDC_WAIT MAKEINTRESOURCEA(32514)
#define IDC_CROSS MAKEINTRESOURCEA(32515)
#define IDC_UPARROW MAKEINTRESOURCEA(32516)
#define IDC_SIZE MAKEINTRESOURCEA(32640)
#define IDC_SIZENWSE MAKEINTRESOURCEA(32642)
#define IDC_SIZENESW MAKEINTRESOURCEA(32643)
#define IDC_SIZEWE MAKEINTRESOURCEA(32644)
#define IDC_SIZENS MAKEINTRESOURCEA(32645)
#define IDC_SIZEALL MAKEINTRESOURCEA(32646)
#define IDC_NO MAKEINTRESOURCEA(32648)
#define IDC_HAND MAKEINTRESOURCEA(32649)
#define IDC_APPSTARTING MAKEINTRESOURCEA(32650)
#define IDC_HELP MAKEINTRESOURCEA(32651)
#define IDI_APPLICATION MAKEINTRESOURCEA(32512)

#define COLOR_BTNFACE 15
#define COLOR_BTNSHADOW 16
#define COLOR_BTNTEXT 18
#define COLOR_BTNHIGHLIGHT 20
#define NULL_BRUSH 5

#define MB_OK 0x00000000L
#define MB_ICONERROR 0x00000010L
#define IDOK 1

// Pixel formats.
#define PFD_DOUBLEBUFFER 0x00000001
#define PFD_STEREO 0x00000002
#define PFD_DRAW_TO_WINDOW 0x00000004
#define PFD_DRAW_TO_BITMAP 0x00000008
#define PFD_SUPPORT_GDI 0x00000010
#define PFD_SUPPORT_OPENGL 0x00000020
#define PFD_GENERIC_FORMAT 0x00000040
#define PFD_GENERIC_ACCELERATED 0x00001000
#define PFD_TYPE_RGBA 0
#define PFD_TYPE_COLORINDEX 1
#define PFD_MAIN_PLANE 0
#define PFD_OVERLAY_PLANE 1

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
#define ENUM_CURRENT_SETTINGS ((::win32::DWORD)-1)
#define DM_BITSPERPEL 0x00040000L
#define DM_PELSWIDTH 0x00080000L
#define DM_PELSHEIGHT 0x00100000L
#define DM_DISPLAYFREQUENCY 0x00400000L
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
#define SB_SETTEXTA (WM_USER + 1)
#define SB_GETTEXTA (WM_USER + 2)
#define SB_GETTEXTLENGTHA (WM_USER + 3)
#define SB_SETPARTS (WM_USER + 4)
#define SB_GETPARTS (WM_USER + 6)
#define SB_GETRECT (WM_USER + 10)
HWND CreateStatusWindowA(LONG style, LPCSTR text, HWND parent, UINT id);

// ---- kernel32 ----------------------------------------------------------------------------------
DWORD GetTickCount();

}  // namespace win32

#include "win32_gdi.h"
#endif  // _WIN32
