// The web backend's window, boxes, cursors, icons and text: the page's canvas is the top-level window's
// client area, and everything else it shows is the page's.
#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "platform/emul/backend.h"
#include "platform/web/web.h"

namespace win32 {
namespace web {
char g_canvas;
}  // namespace web

namespace {
// Cursors and icons share one record, as on Windows: a CSS cursor and, from a file, its bytes.
struct CursorIcon {
    std::string css;
    std::vector<uint8_t> file;
};

std::string base64(const std::vector<uint8_t>& bytes) {
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const uint32_t n = uint32_t(bytes[i]) << 16 | (i + 1 < bytes.size() ? uint32_t(bytes[i + 1]) << 8 : 0) |
                           (i + 2 < bytes.size() ? uint32_t(bytes[i + 2]) : 0);
        out += digits[n >> 18 & 63];
        out += digits[n >> 12 & 63];
        out += i + 1 < bytes.size() ? digits[n >> 6 & 63] : '=';
        out += i + 2 < bytes.size() ? digits[n & 63] : '=';
    }
    return out;
}

struct TextMetrics {
    int ascent = 0, descent = 0;
    TextMetrics() { web_text_metrics(&ascent, &descent); }
};
const TextMetrics& text_metrics() {
    static TextMetrics m;
    return m;
}
}  // namespace

namespace backend {

bool CreateNativeWindow(detail::Window* w, const char* title_utf8, int, int, int width, int height, bool) {
    for (auto& [id, other] : detail::g_windows)
        if (web::IsCanvas(other.get())) {
            host::NoteFailure("the page has one canvas, and another window has it");
            return false;
        }
    if (!web_window_open(width, height, title_utf8)) {
        host::NoteFailure("the page has no canvas (an element with the id \"canvas\")");
        return false;
    }
    w->native = &web::g_canvas;
    return true;
}

void ShowNativeWindow(detail::Window* w, bool show) {
    if (web::IsCanvas(w)) web_window_show(show);
}
void PlaceNativeWindow(detail::Window* w, int, int, int width, int height) {
    // The canvas is where the page put it; its buffer follows the client size.
    if (web::IsCanvas(w)) web_window_open(width, height, w->title.c_str());
}
void RaiseNativeWindow(detail::Window*) {}
void FocusNativeWindow(detail::Window*) {}
void MinimizeNativeWindow(detail::Window*, bool) {}
bool NativeClientOrigin(const detail::Window*, POINT*) { return false; }

void SetNativeIcon(detail::Window* w, HICON icon) {
    auto* ci = reinterpret_cast<CursorIcon*>(icon);
    if (web::IsCanvas(w) && ci && !ci->file.empty()) web_set_icon(ci->file.data(), int(ci->file.size()));
}
void SetNativeCursor(HCURSOR cursor) {
    auto* ci = reinterpret_cast<CursorIcon*>(cursor);
    if (!ci) return;
    if (ci->file.empty()) web_set_cursor(ci->css.c_str());
    else web_set_cursor(("url(data:image/x-icon;base64," + base64(ci->file) + "), auto").c_str());
}

void ReleaseNativeWindow(detail::Window* w) {
    if (!web::IsCanvas(w)) return;
    // The canvas stays, with a context still made for it drawing into it until that is deleted.
    w->native = nullptr;
    web_window_gone();
}

void CaptureMouse(bool) {}  // the page captures the pointer itself while a button is held
bool CursorPos(POINT*) { return false; }
bool SetCursorPos(int, int) { return false; }
bool ScreenSize(int* w, int* h) { return web_screen_size(w, h) != 0; }

int SurfaceTextHeight() { return text_metrics().ascent + text_metrics().descent; }

void DrawSurfaceText(detail::Window* w, const std::string& text, const RECT& clip, int x, int top, uint32_t rgb) {
    const std::string utf8 = host::Cp1252ToUtf8(text.c_str());
    const int width = web_text_width(utf8.c_str()), height = SurfaceTextHeight();
    if (width <= 0 || height <= 0) return;
    std::vector<uint8_t> coverage(size_t(width) * size_t(height));
    web_text_render(utf8.c_str(), coverage.data(), width, height, text_metrics().ascent);
    detail::BlendCoverage(w, coverage.data(), width, height, x, top, clip, rgb);
}

bool HaveDisplay() { return true; }  // the page is the display

}  // namespace backend

// ---- boxes: the page's dialog, which the program waits on ------------------------------------------
int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT type) {
    if (detail::Switches().record_boxes) {
        detail::RecordedBoxes().push_back({caption ? caption : "", text ? text : ""});
        return IDOK;
    }
    const std::string t = host::Cp1252ToUtf8(text), c = host::Cp1252ToUtf8(caption);
    return web_box(c.c_str(), t.c_str(), int(type & 0xF));
}

// ---- cursors and icons ------------------------------------------------------------------------------
HCURSOR LoadCursorA(HINSTANCE, LPCSTR name) {
    static const struct {
        LPCSTR stock;
        const char* css;
    } kStock[] = {{IDC_ARROW, "default"},        {IDC_IBEAM, "text"},           {IDC_WAIT, "wait"},
                  {IDC_CROSS, "crosshair"},      {IDC_UPARROW, "default"},      {IDC_SIZE, "move"},
                  {IDC_SIZENWSE, "nwse-resize"}, {IDC_SIZENESW, "nesw-resize"}, {IDC_SIZEWE, "ew-resize"},
                  {IDC_SIZENS, "ns-resize"},     {IDC_SIZEALL, "move"},         {IDC_NO, "not-allowed"},
                  {IDC_HAND, "pointer"},         {IDC_APPSTARTING, "progress"}, {IDC_HELP, "help"}};
    static CursorIcon cursors[std::size(kStock)];
    for (size_t i = 0; i < std::size(kStock); ++i) {
        if (name != kStock[i].stock) continue;
        cursors[i].css = kStock[i].css;
        return reinterpret_cast<HCURSOR>(&cursors[i]);
    }
    return nullptr;
}

HICON LoadIconA(HINSTANCE, LPCSTR name) {
    static CursorIcon generic;  // the page keeps its own icon
    return name == IDI_APPLICATION ? reinterpret_cast<HICON>(&generic) : nullptr;
}

HCURSOR LoadCursorFromFileA(LPCSTR file) {
    std::vector<uint8_t> bytes;
    if (!host::FileExists(file) || !host::ReadWholeFile(file, bytes)) return nullptr;
    return LoadCursorFromMemory(bytes.data(), bytes.size());
}

HCURSOR LoadCursorFromMemory(const void* bytes, size_t size) {
    if (!bytes || size < 6 || size > (size_t(1) << 24)) return nullptr;
    // Icon and cursor files only, as on Windows: reserved 0, then type 1 (icon) or 2 (cursor), then a
    // directory the bytes hold; the browser decodes the pictures.
    const auto* b = static_cast<const uint8_t*>(bytes);
    const size_t count = size_t(b[4]) | size_t(b[5]) << 8;
    if (b[0] != 0 || b[1] != 0 || (b[2] != 1 && b[2] != 2) || b[3] != 0 || count == 0 || 6 + 16 * count > size)
        return nullptr;
    auto* ci = new CursorIcon;  // a class cursor or icon lives as long as the program
    ci->file.assign(b, b + size);
    return reinterpret_cast<HCURSOR>(ci);
}

BOOL DestroyIcon(HICON icon) {
    auto* ci = reinterpret_cast<CursorIcon*>(icon);
    if (!ci || ci->file.empty()) return FALSE;  // stock ones are never destroyed
    delete ci;
    return TRUE;
}

}  // namespace win32
