// The SDL backend's pointer, desktop size, cursors and icons.
#include <SDL_image.h>

#include <algorithm>
#include <vector>

#include "platform/emul/backend.h"
#include "platform/sdl/sdl.h"

namespace win32 {
namespace {

// Cursors and icons share one record, as on Windows (an icon file may serve as a cursor).
struct CursorIcon {
    SDL_Cursor* cursor = nullptr;
    SDL_Surface* image = nullptr;
};

CursorIcon* system_cursor(SDL_SystemCursor id) {
    static CursorIcon table[SDL_NUM_SYSTEM_CURSORS];
    CursorIcon& c = table[id];
    if (!c.cursor && sdl::EnsureVideo()) c.cursor = SDL_CreateSystemCursor(id);
    return &c;
}

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

namespace backend {
void SetNativeIcon(detail::Window* w, HICON icon) {
    auto* ci = reinterpret_cast<CursorIcon*>(icon);
    if (SDL_Window* s = sdl::WindowOf(w); s && ci && ci->image) SDL_SetWindowIcon(s, ci->image);
}
void SetNativeCursor(HCURSOR cursor) {
    auto* ci = reinterpret_cast<CursorIcon*>(cursor);
    if (ci && ci->cursor) SDL_SetCursor(ci->cursor);
}
bool CursorPos(POINT* p) {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return false;
    int x = 0, y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    *p = POINT{x, y};
    return true;
}
bool SetCursorPos(int x, int y) { return sdl::EnsureVideo() && SDL_WarpMouseGlobal(x, y) == 0; }
bool ScreenSize(int* w, int* h) {
    SDL_DisplayMode mode;
    if (!sdl::EnsureVideo() || SDL_GetDesktopDisplayMode(0, &mode) != 0) return false;
    *w = mode.w;
    *h = mode.h;
    return true;
}
}  // namespace backend

HCURSOR LoadCursorA(HINSTANCE, LPCSTR name) {
    const auto id = [](LPCSTR stock) { return reinterpret_cast<uintptr_t>(stock); };
    SDL_SystemCursor c;
    const uintptr_t asked = reinterpret_cast<uintptr_t>(name);
    // The stock names are numbers in pointers, as on Windows.
    if (asked == id(IDC_ARROW) || asked == id(IDC_UPARROW) || asked == id(IDC_HELP)) c = SDL_SYSTEM_CURSOR_ARROW;
    else if (asked == id(IDC_IBEAM)) c = SDL_SYSTEM_CURSOR_IBEAM;
    else if (asked == id(IDC_WAIT)) c = SDL_SYSTEM_CURSOR_WAIT;
    else if (asked == id(IDC_CROSS)) c = SDL_SYSTEM_CURSOR_CROSSHAIR;
    else if (asked == id(IDC_SIZE) || asked == id(IDC_SIZEALL)) c = SDL_SYSTEM_CURSOR_SIZEALL;
    else if (asked == id(IDC_SIZENWSE)) c = SDL_SYSTEM_CURSOR_SIZENWSE;
    else if (asked == id(IDC_SIZENESW)) c = SDL_SYSTEM_CURSOR_SIZENESW;
    else if (asked == id(IDC_SIZEWE)) c = SDL_SYSTEM_CURSOR_SIZEWE;
    else if (asked == id(IDC_SIZENS)) c = SDL_SYSTEM_CURSOR_SIZENS;
    else if (asked == id(IDC_NO)) c = SDL_SYSTEM_CURSOR_NO;
    else if (asked == id(IDC_HAND)) c = SDL_SYSTEM_CURSOR_HAND;
    else if (asked == id(IDC_APPSTARTING)) c = SDL_SYSTEM_CURSOR_WAITARROW;
    else return nullptr;
    return reinterpret_cast<HCURSOR>(system_cursor(c));
}

HICON LoadIconA(HINSTANCE, LPCSTR name) {
    // The generic application icon: the window keeps the desktop's default icon.
    static CursorIcon generic;
    return name == IDI_APPLICATION ? reinterpret_cast<HICON>(&generic) : nullptr;
}

HCURSOR LoadCursorFromFileA(LPCSTR file) {
    if (!host::FileExists(file)) return nullptr;
    std::vector<uint8_t> bytes;
    if (!host::ReadWholeFile(file, bytes) || bytes.empty()) return nullptr;
    sdl::EnsureVideo();  // the cursor half needs the video subsystem; the picture does not
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

}  // namespace win32
