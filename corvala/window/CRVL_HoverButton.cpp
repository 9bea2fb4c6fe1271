// The "IMAGEBUTTON" window procedure: three pictures, a shape, and a command when a press ends on it.
#include "window/CRVL_HoverButton.h"

namespace corvala {

using namespace win32;

std::string BMPTYPE;

namespace {
constexpr intptr_t kNormal = 1, kHover = 2, kPressed = 3;
const char* const kStateProps[3] = {NORMALBMP, HOVERBMP, PRESSBMP};
const char* const kStateLetters[3] = {"N", "H", "P"};

intptr_t state_of(HWND wnd) { return reinterpret_cast<intptr_t>(GetPropA(wnd, HOVERMODE)); }
void set_state(HWND wnd, intptr_t state) { SetPropA(wnd, HOVERMODE, reinterpret_cast<HANDLE>(state)); }

void on_create(HWND wnd) {
    const std::string normal_file = BMPTYPE + kStateLetters[0] + ".BMP";
    for (int i = 0; i < 3; ++i) {
        const std::string file = BMPTYPE + kStateLetters[i] + ".BMP";
        HPALETTE palette = nullptr;
        HBITMAP bitmap = LOADBMPFROMFILE(file.c_str(), palette);
        // The button takes its normal picture's size where it stands; without that picture it keeps
        // the size it was created with.
        if (i == 0 && bitmap) {
            BITMAP bm{};
            GetObjectA(bitmap, sizeof bm, &bm);
            // Where it stands in its parent's client area, whatever caption and frame the system draws.
            RECT r{};
            GetWindowRect(wnd, &r);
            POINT origin{0, 0};
            ClientToScreen(GetParent(wnd), &origin);
            MoveWindow(wnd, r.left - origin.x, r.top - origin.y, bm.bmWidth, bm.bmHeight, FALSE);
        }
        HDC dc = CreateCompatibleDC(nullptr);
        if (!dc) {
            if (bitmap) DeleteObject(bitmap);
            if (palette) DeleteObject(palette);
            continue;
        }
        if (bitmap) SelectObject(dc, bitmap);
        if (palette) {
            SelectPalette(dc, palette, FALSE);
            RealizePalette(dc);
        }
        SetPropA(wnd, kStateProps[i], dc);
    }
    set_state(wnd, kNormal);
    HRGN region = BITMAPTOREGION(normal_file.c_str(), 0x00FF00FF, 1);
    if (!region) return;               // rectangular, and no hover by pointer movement
    SetWindowRgn(wnd, region, FALSE);  // the window owns it now
    if (HRGN hit = BITMAPTOREGION(normal_file.c_str(), 0x00FF00FF, 1)) SetPropA(wnd, BUTTONRGN, hit);
}

void on_destroy(HWND wnd) {
    RemovePropA(wnd, HOVERMODE);
    if (HANDLE region = GetPropA(wnd, BUTTONRGN)) {
        DeleteObject(region);
        RemovePropA(wnd, BUTTONRGN);
    }
    for (int i = 2; i >= 0; --i) {
        HDC dc = static_cast<HDC>(GetPropA(wnd, kStateProps[i]));
        if (!dc) continue;
        // The DC goes with its bitmap and its palette (stock ones are left alone by DeleteObject).
        const HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
        const HGDIOBJ palette = GetCurrentObject(dc, OBJ_PAL);
        DeleteDC(dc);
        DeleteObject(bitmap);
        DeleteObject(palette);
        RemovePropA(wnd, kStateProps[i]);
    }
}

void on_mouse_move(HWND wnd, WPARAM keys, LPARAM point) {
    const HRGN region = static_cast<HRGN>(GetPropA(wnd, BUTTONRGN));
    const intptr_t state = state_of(wnd);
    if (!region || !state) return;
    const int x = LOWORD(uintptr_t(point)), y = HIWORD(uintptr_t(point));
    if (PtInRegion(region, x, y)) {
        if (state != kNormal) return;
        set_state(wnd, (keys & (MK_LBUTTON | MK_RBUTTON)) == 0 ? kHover : kPressed);
        SetCapture(wnd);  // so that the move that leaves the shape comes here too
        InvalidateRect(wnd, nullptr, FALSE);
    } else {
        set_state(wnd, kNormal);
        ReleaseCapture();
        InvalidateRect(wnd, nullptr, FALSE);
    }
}

void on_paint(HWND wnd) {
    RECT r{};
    GetWindowRect(wnd, &r);
    const intptr_t state = state_of(wnd);
    HDC picture =
        state >= kNormal && state <= kPressed ? static_cast<HDC>(GetPropA(wnd, kStateProps[state - 1])) : nullptr;
    if (!picture) {
        ValidateRect(wnd, nullptr);  // nothing to show; asking again would not change that
        return;
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(wnd, &ps);
    BitBlt(dc, 0, 0, r.right - r.left, r.bottom - r.top, picture, 0, 0, SRCCOPY);
    EndPaint(wnd, &ps);
}
}  // namespace

LRESULT HOVERBUTTONHANDLER(HWND WND, UINT IMSG, WPARAM WPARAM_, LPARAM LPARAM_) {
    switch (IMSG) {
    case WM_CREATE: on_create(WND); return 0;
    case WM_DESTROY: on_destroy(WND); return 0;
    case WM_LBUTTONDOWN:
        SetCapture(WND);
        set_state(WND, kPressed);
        InvalidateRect(WND, nullptr, FALSE);
        return 0;
    case WM_LBUTTONUP:
        if (state_of(WND) == kPressed) PostMessageA(GetParent(WND), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(WND), 0), 0);
        set_state(WND, kNormal);
        ReleaseCapture();
        InvalidateRect(WND, nullptr, FALSE);
        return 0;
    case WM_MOUSEMOVE: on_mouse_move(WND, WPARAM_, LPARAM_); return 0;
    case WM_PAINT: on_paint(WND); return 0;
    default: return DefWindowProcA(WND, IMSG, WPARAM_, LPARAM_);
    }
}

}  // namespace corvala
