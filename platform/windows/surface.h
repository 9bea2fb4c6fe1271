// The Win32 surface on Windows: Windows' own. Every name of the surface is the system's, brought into
// namespace win32 by using-declarations, so that win32::CreateWindowExA is ::CreateWindowExA. The
// constants are Windows' macros, on Linux too (platform/win32.h), so code names them unqualified
// (WM_CLOSE, never win32::WM_CLOSE).
#pragma once
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <cstddef>
#include <cstdint>

namespace win32 {

using ::ATOM;
using ::BITMAP;
using ::BITMAPFILEHEADER;
using ::BITMAPINFO;
using ::BITMAPINFOHEADER;
using ::BOOL;
using ::BYTE;
using ::COLORREF;
using ::DEVMODEA;
using ::DWORD;
using ::HANDLE;
using ::HBITMAP;
using ::HBRUSH;
using ::HCURSOR;
using ::HDC;
using ::HGDIOBJ;
using ::HGLOBAL;
using ::HGLRC;
using ::HICON;
using ::HINSTANCE;
using ::HMENU;
using ::HPALETTE;
using ::HRGN;
using ::HWND;
using ::LOGPALETTE;
using ::LONG;
using ::LPARAM;
using ::LPCSTR;
using ::LPSTR;
using ::LPVOID;
using ::LRESULT;
using ::MSG;
using ::PAINTSTRUCT;
using ::PALETTEENTRY;
using ::PIXELFORMATDESCRIPTOR;
using ::POINT;
using ::POINTL;
using ::PROC;
using ::RECT;
using ::RGBQUAD;
using ::RGNDATA;
using ::RGNDATAHEADER;
using ::UINT;
using ::WNDCLASSA;
using ::WNDCLASSEXA;
using ::WNDPROC;
using ::WORD;
using ::WPARAM;
using ::XFORM;

using ::BeginPaint;
using ::BitBlt;
using ::ChoosePixelFormat;
using ::ClientToScreen;
using ::CombineRgn;
using ::CreateCompatibleDC;
using ::CreateDIBSection;
using ::CreateHalftonePalette;
using ::CreatePalette;
using ::CreateRectRgn;
using ::CreateStatusWindowA;
using ::CreateWindowExA;
using ::DefWindowProcA;
using ::DeleteDC;
using ::DeleteObject;
using ::DescribePixelFormat;
using ::DestroyIcon;
using ::DestroyWindow;
using ::DispatchMessageA;
using ::EndPaint;
using ::EnumDisplaySettingsA;
using ::EqualRgn;
using ::ExtCreateRegion;
using ::GetCapture;
using ::GetClassInfoExA;
using ::GetClientRect;
using ::GetCurrentObject;
using ::GetCursorPos;
using ::GetDC;
using ::GetDIBColorTable;
using ::GetDlgCtrlID;
using ::GetForegroundWindow;
using ::GetMessageA;
using ::GetModuleHandleA;
using ::GetObjectA;
using ::GetPaletteEntries;
using ::GetParent;
using ::GetPixel;
using ::GetPropA;
using ::GetRegionData;
using ::GetRgnBox;
using ::GetStockObject;
using ::GetSysColor;
using ::GetSysColorBrush;
using ::GetSystemMetrics;
using ::GetTickCount;
using ::GetWindowRect;
using ::GlobalAlloc;
using ::GlobalFree;
using ::GlobalLock;
using ::GlobalReAlloc;
using ::GlobalSize;
using ::GlobalUnlock;
using ::InvalidateRect;
using ::IsIconic;
using ::IsWindow;
using ::LoadCursorA;
using ::LoadCursorFromFileA;
using ::LoadIconA;
using ::LoadImageA;
using ::MapWindowPoints;
using ::MessageBoxA;
using ::MoveWindow;
using ::OffsetRgn;
using ::PeekMessageA;
using ::PostMessageA;
using ::PostQuitMessage;
using ::PtInRegion;
using ::RealizePalette;
using ::RegisterClassA;
using ::RegisterClassExA;
using ::ReleaseCapture;
using ::ReleaseDC;
using ::RemovePropA;
using ::SelectObject;
using ::SelectPalette;
using ::SendMessageA;
using ::SetCapture;
using ::SetCursorPos;
using ::SetForegroundWindow;
using ::SetPixelFormat;
using ::SetPropA;
using ::SetWindowPos;
using ::SetWindowRgn;
using ::ShowWindow;
using ::SwapBuffers;
using ::TranslateMessage;
using ::UpdateWindow;
using ::ValidateRect;
using ::WaitMessage;
using ::wglCreateContext;
using ::wglDeleteContext;
using ::wglGetCurrentContext;
using ::wglGetProcAddress;
using ::wglMakeCurrent;

// From the WGL_EXT_swap_control extension, which windows.h does not declare.
typedef BOOL(WINAPI* PFNWGLSWAPINTERVALEXTPROC)(int interval);

// Ours beside LoadImageA (win32_gdi.h says what it does); windows/bitmap.cpp makes it of CreateDIBSection.
HBITMAP LoadBitmapFromMemory(const void* bytes, size_t size);

// The file signature of a BMP, which Windows names nowhere.
constexpr WORD BMP_SIGNATURE = 0x4D42;  // "BM"

}  // namespace win32
