// The window procedure turns messages into the polled input state; SETGLMSG pumps one message a call.
#include "window/CRVL_Window.h"

namespace corvala {

using namespace win32;

bool ACTIVE = false;
int32_t SETKEY[501];
int32_t SETOMX = 0, SETOMY = 0;
int32_t SETMX = 0, SETMY = 0;
bool LEFTMOUSEDOWN = false, LEFTMOUSEDOWN2 = false;
bool RIGHTMOUSEDOWN = false, RIGHTMOUSEDOWN2 = false;
int32_t XCOORD = 0, YCOORD = 0;
int32_t ZCOORD = 0;
float XROT = 0, YROT = 0, XROT2 = 0, YROT2 = 0;
float DEPTH = 0, DEPTH2 = 0;
int32_t MSPEED = 0;
bool MOUSEFREE = false;
win32::POINT MPOS;
MSG MSG_;

namespace {

float clamp60(double v) {
    if (v > 60) return 60;
    if (v < -60) return -60;
    return float(v);
}

void mouse_move(HWND, int32_t x, int32_t y) {
    SETOMX = x;
    SETOMY = y;
    if (LEFTMOUSEDOWN) {
        const double dx = double(x - XCOORD) / 2 * MSPEED;
        const double dy = double(y - YCOORD) / 2 * MSPEED;
        XROT = float(XROT + dy);
        YROT = float(YROT + dx);
        XROT2 = float(XROT2 + dy);
        YROT2 = float(YROT2 + dx);
        XCOORD = x;
        YCOORD = y;
    }
    if (RIGHTMOUSEDOWN && !MOUSEFREE) {
        const double dz = double(y - ZCOORD) / 10 * MSPEED;
        DEPTH = float(DEPTH - dz);
        DEPTH2 = float(DEPTH2 - dz);
        ZCOORD = y;
    }
    if (MOUSEFREE && GetForegroundWindow() == HWINDOW) {
        GetCursorPos(&MPOS);
        const int32_t cx = WIDTH / 2, cy = HEIGHT / 2;
        SetCursorPos(cx, cy);
        const double rx = double(MPOS.x - cx) / 100 * MSPEED;
        const double ry = double(cy - MPOS.y) / 100 * MSPEED;
        XROT = float(XROT + rx);
        YROT = clamp60(double(YROT) - ry);
        XROT2 = float(XROT2 + rx);
        YROT2 = clamp60(double(YROT2) - ry);
    }
}

}  // namespace

LRESULT GLWNDPROC(HWND WINDOW, UINT AMESSAGE, WPARAM WPARAM_, LPARAM LPARAM_) {
    // Pointer coordinates are the two unsigned 16-bit halves of LPARAM.
    const int32_t x = LOWORD(uintptr_t(LPARAM_));
    const int32_t y = HIWORD(uintptr_t(LPARAM_));
    switch (AMESSAGE) {
    case WM_CREATE: ACTIVE = true; return 0;
    case WM_DESTROY:
        ACTIVE = false;
        PostQuitMessage(0);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(WINDOW, &ps);
        RECT client;
        GetClientRect(WINDOW, &client);
        UpdateWindow(HSTATUS);
        EndPaint(WINDOW, &ps);
        return 0;
    }
    case WM_CONTEXTMENU:
        if (SHOWMENUBAR && CREATEMOUSEMENU) CREATEMOUSEMENU();  // no procedure set: no context menu
        break;
    case WM_KEYDOWN:
        if (WPARAM_ == WPARAM(VK_ESCAPE)) {
            SendMessageA(HWINDOW, WM_DESTROY, 0, 0);
            return 0;
        }
        if (WPARAM_ <= 500) SETKEY[WPARAM_] = -1;  // codes beyond the table are not recorded
        break;
    case WM_KEYUP:
        if (WPARAM_ <= 500) SETKEY[WPARAM_] = 0;
        MOUSEFREE = false;
        break;
    case WM_COMMAND:
        if (SHOWMENUBAR && GETINPUTCOMMAND) GETINPUTCOMMAND(WINDOW, AMESSAGE, WPARAM_, LPARAM_);
        return 0;
    case WM_MOUSEMOVE: mouse_move(WINDOW, x, y); break;
    case WM_LBUTTONDOWN:
        ReleaseCapture();
        SetCapture(HWINDOW);
        LEFTMOUSEDOWN = true;
        LEFTMOUSEDOWN2 = true;
        XCOORD = x;
        YCOORD = y;
        SETMX = x;
        SETMY = y;
        break;
    case WM_LBUTTONUP:
        ReleaseCapture();
        LEFTMOUSEDOWN = false;
        LEFTMOUSEDOWN2 = false;
        XCOORD = 0;
        YCOORD = 0;
        SETMX = 0;
        SETMY = 0;
        break;
    case WM_RBUTTONDOWN:
        ReleaseCapture();
        SetCapture(HWINDOW);
        RIGHTMOUSEDOWN = true;
        RIGHTMOUSEDOWN2 = true;
        ZCOORD = y;
        break;
    case WM_RBUTTONUP:
        ReleaseCapture();
        RIGHTMOUSEDOWN = false;
        RIGHTMOUSEDOWN2 = false;
        break;
    default: break;
    }
    if (WPARAM_ == 0) UpdateWindow(HSTATUS);
    return DefWindowProcA(WINDOW, AMESSAGE, WPARAM_, LPARAM_);
}

void SETGLMSG() {
    if (!PeekMessageA(&MSG_, nullptr, 0, 0, PM_NOREMOVE)) return;
    GetMessageA(&MSG_, nullptr, 0, 0);
    TranslateMessage(&MSG_);
    DispatchMessageA(&MSG_);
}

}  // namespace corvala
