// Pointer, foreground window, screen metrics, cursors and icons.
#include <SDL_image.h>

#include <algorithm>
#include <vector>

#include "platform/internal.h"
#include "platform/testing.h"

namespace win32 {
namespace {
HWND g_foreground = nullptr;
int g_screen_w = 0, g_screen_h = 0;  // simulated desktop size, 0 for the real one

// Cursors and icons share one record, as on Windows (an icon file may serve as a cursor).
struct CursorIcon {
    SDL_Cursor* cursor = nullptr;
    SDL_Surface* image = nullptr;
};

CursorIcon* system_cursor(SDL_SystemCursor id) {
    static CursorIcon table[SDL_NUM_SYSTEM_CURSORS];
    CursorIcon& c = table[id];
    if (!c.cursor && detail::EnsureVideo()) c.cursor = SDL_CreateSystemCursor(id);
    return &c;
}
struct Token {
} g_btnface_brush, g_stock[20];

uint32_t le32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// The decoder trusts the directory and the pictures' headers, so they are checked against the bytes first:
// every picture inside the file, and no picture larger than an icon can be (256 x 256), so a few bytes can
// never ask for gigabytes.
bool icon_directory_fits(const uint8_t* b, size_t size) {
    const size_t count = size_t(b[4]) | size_t(b[5]) << 8;
    if (count == 0 || 6 + 16 * count > size) return false;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* e = b + 6 + 16 * i;
        const uint64_t bytes = le32(e + 8), offset = le32(e + 12);
        if (offset + bytes > size || bytes < 40) return false;
        const uint8_t* h = b + offset;
        static const uint8_t png[4] = {0x89, 'P', 'N', 'G'};
        if (std::equal(png, png + 4, h)) continue;  // PNG pictures are sized by their own checked decoder
        const int32_t header = int32_t(le32(h)), w = int32_t(le32(h + 4)), hh = int32_t(le32(h + 8));
        if (header < 40 || uint64_t(header) > bytes || w < 1 || w > 256 || hh < 1 || hh > 512) return false;
    }
    return true;
}
}  // namespace

namespace testing {
void SetScreenSize(int w, int h) {
    g_screen_w = w;
    g_screen_h = h;
}
}  // namespace testing

namespace detail {
void LoseForeground(HWND h) {
    if (g_foreground == h) g_foreground = nullptr;
}
void ApplyIcon(SDL_Window* window, HICON icon) {
    auto* ci = reinterpret_cast<CursorIcon*>(icon);
    if (window && ci && ci->image) SDL_SetWindowIcon(window, ci->image);
}
void ApplyCursor(HCURSOR cursor) {
    auto* ci = reinterpret_cast<CursorIcon*>(cursor);
    if (ci && ci->cursor) SDL_SetCursor(ci->cursor);
}
}  // namespace detail

BOOL GetCursorPos(POINT* p) {
    if (!p) return FALSE;
    int x = 0, y = 0;
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_GetGlobalMouseState(&x, &y);
    *p = POINT{x, y};
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    if (!detail::EnsureVideo()) return FALSE;
    return SDL_WarpMouseGlobal(x, y) == 0 ? TRUE : FALSE;
}

HWND GetForegroundWindow() { return detail::FindWindow(g_foreground) ? g_foreground : nullptr; }

BOOL SetForegroundWindow(HWND h) {
    detail::Window* w = detail::FindWindow(h);
    if (!w) return FALSE;
    if (w->sdl && !(SDL_GetWindowFlags(w->sdl) & SDL_WINDOW_INPUT_FOCUS)) SDL_SetWindowInputFocus(w->sdl);
    g_foreground = h;
    return TRUE;
}

int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXSCREEN:
    case SM_CYSCREEN: {
        if (g_screen_w > 0 && g_screen_h > 0) return index == SM_CXSCREEN ? g_screen_w : g_screen_h;
        SDL_DisplayMode mode;
        if (!detail::EnsureVideo() || SDL_GetDesktopDisplayMode(0, &mode) != 0) return 0;
        return index == SM_CXSCREEN ? mode.w : mode.h;
    }
    case SM_CYCAPTION: return detail::kCaption;
    case SM_CXFRAME:
    case SM_CYFRAME:
    case SM_CXFIXEDFRAME:
    case SM_CYFIXEDFRAME: return detail::kFrame;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    default: return 0;
    }
}

HCURSOR LoadCursorA(HINSTANCE, LPCSTR name) {
    const int id = int(reinterpret_cast<uintptr_t>(name));
    SDL_SystemCursor c;
    switch (id) {
    case IDC_ARROW: c = SDL_SYSTEM_CURSOR_ARROW; break;
    case IDC_IBEAM: c = SDL_SYSTEM_CURSOR_IBEAM; break;
    case IDC_WAIT: c = SDL_SYSTEM_CURSOR_WAIT; break;
    case IDC_CROSS: c = SDL_SYSTEM_CURSOR_CROSSHAIR; break;
    case IDC_UPARROW: c = SDL_SYSTEM_CURSOR_ARROW; break;
    case IDC_SIZE:
    case IDC_SIZEALL: c = SDL_SYSTEM_CURSOR_SIZEALL; break;
    case IDC_SIZENWSE: c = SDL_SYSTEM_CURSOR_SIZENWSE; break;
    case IDC_SIZENESW: c = SDL_SYSTEM_CURSOR_SIZENESW; break;
    case IDC_SIZEWE: c = SDL_SYSTEM_CURSOR_SIZEWE; break;
    case IDC_SIZENS: c = SDL_SYSTEM_CURSOR_SIZENS; break;
    case IDC_NO: c = SDL_SYSTEM_CURSOR_NO; break;
    case IDC_HAND: c = SDL_SYSTEM_CURSOR_HAND; break;
    case IDC_APPSTARTING: c = SDL_SYSTEM_CURSOR_WAITARROW; break;
    case IDC_HELP: c = SDL_SYSTEM_CURSOR_ARROW; break;
    default: return nullptr;
    }
    return reinterpret_cast<HCURSOR>(system_cursor(c));
}

HICON LoadIconA(HINSTANCE, LPCSTR name) {
    // The generic application icon: the window keeps the desktop's default icon.
    static CursorIcon generic;
    return int(reinterpret_cast<uintptr_t>(name)) == IDI_APPLICATION ? reinterpret_cast<HICON>(&generic) : nullptr;
}

HCURSOR LoadCursorFromFileA(LPCSTR file) {
    if (!FileExists(file)) return nullptr;
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(file, bytes) || bytes.empty()) return nullptr;
    detail::EnsureVideo();  // the cursor half needs the video subsystem; the picture does not
    return LoadCursorFromMemory(bytes.data(), bytes.size());
}

HCURSOR LoadCursorFromMemory(const void* bytes, size_t size) {
    if (!bytes || size < 6 || size > (size_t(1) << 28)) return nullptr;
    // Icon and cursor files only, as on Windows: reserved 0, then type 1 (icon) or 2 (cursor).
    const auto* b = static_cast<const uint8_t*>(bytes);
    if (b[0] != 0 || b[1] != 0 || (b[2] != 1 && b[2] != 2) || b[3] != 0) return nullptr;
    if (!icon_directory_fits(b, size)) return nullptr;
    SDL_RWops* rw = SDL_RWFromConstMem(bytes, int(size));
    if (!rw) return nullptr;
    SDL_Surface* image = b[2] == 1 ? IMG_LoadICO_RW(rw) : IMG_LoadCUR_RW(rw);
    SDL_RWclose(rw);
    if (!image) return nullptr;
    auto* ci = new CursorIcon;  // a class cursor or icon lives as long as the program
    ci->image = image;
    if (SDL_WasInit(SDL_INIT_VIDEO)) ci->cursor = SDL_CreateColorCursor(image, 0, 0);
    return reinterpret_cast<HCURSOR>(ci);
}

BOOL DestroyIcon(HICON icon) {
    auto* ci = reinterpret_cast<CursorIcon*>(icon);
    if (!ci || !ci->image) return FALSE;  // stock icons and cursors are never destroyed
    if (ci->cursor) SDL_FreeCursor(ci->cursor);
    SDL_FreeSurface(ci->image);
    delete ci;
    return TRUE;
}

HBRUSH GetSysColorBrush(int) { return &g_btnface_brush; }
HGDIOBJ GetStockObject(int index) { return index >= 0 && index < 20 ? &g_stock[index] : nullptr; }

}  // namespace win32
