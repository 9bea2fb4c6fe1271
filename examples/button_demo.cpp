// Corvala example: a framework window with a status bar and two image buttons over a turning cube.
// Clicking a button writes which one into the second part of the status bar. A right click (or Shift+F10,
// or the menu key) opens the program's own menu at the pointer: play turns the cube, stop holds it.
//
//   corvala_buttons [FRAMES]   stops by itself after FRAMES frames when given
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include <corvala/Corvala.h>
#include "button_pictures.h"

using namespace corvala;

namespace {

constexpr int kPlayId = 101, kStopId = 102, kMenuPlayId = 201, kMenuStopId = 202;
HWND g_menu[2] = {nullptr, nullptr};
bool g_turning = true;

void show_menu(bool on) {
    for (HWND item : g_menu) win32::ShowWindow(item, on ? SW_SHOW : SW_HIDE);
}

// [doc:buttons-command]
LRESULT on_command(HWND, UINT, WPARAM wp, LPARAM) {
    const int id = LOWORD(wp);
    if (id == kMenuPlayId || id == kMenuStopId) {
        g_turning = id == kMenuPlayId;
        show_menu(false);
    }
    const char* text = id == kPlayId       ? "Premuto: play"
                       : id == kStopId     ? "Premuto: stop"
                       : id == kMenuPlayId ? "Menu: gira"
                       : id == kMenuStopId ? "Menu: ferma"
                                           : "Premuto: ?";
    win32::SendMessageA(HSTATUS, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(text));
    return 0;
}

// The context menu: its two items open at the pointer, or in the middle when asked from the keyboard.
void on_context_menu() {
    int x = 360, y = 240;
    if (MSG_.message == WM_RBUTTONUP) {
        x = LOWORD(uintptr_t(MSG_.lParam));
        y = HIWORD(uintptr_t(MSG_.lParam));
    }
    for (int i = 0; i < 2; ++i) win32::SetWindowPos(g_menu[i], HWND_TOP, x + 72 * i, y, 64, 64, SWP_NOACTIVATE);
    show_menu(true);
}

HWND make_button(const std::string& prefix, int x, int y, int id, bool visible = true) {
    BMPTYPE = prefix;  // read while the button is created
    const win32::DWORD style = WS_CHILD | (visible ? WS_VISIBLE : 0);
    return win32::CreateWindowExA(0, SZHOVERCLASS, "", style, x, y, 64, 64, HWINDOW,
                                  reinterpret_cast<win32::HMENU>(intptr_t(id)), nullptr, nullptr);
}
// [/doc:buttons-command]

}  // namespace

int main(int argc, char** argv) {
    const long frame_limit = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 0;
    const std::string folder = example::FreshFolder("corvala-buttons");
    const char* dir = folder.empty() ? nullptr : folder.c_str();
    if (!dir || !example::WriteButtonPictures(std::string(dir) + "/play", true) ||
        !example::WriteButtonPictures(std::string(dir) + "/stop", false)) {
        std::fprintf(stderr, "cannot write the button pictures\n");
        return 1;
    }

    // [doc:buttons-setup]
    SHOWSTATUSBAR = true;
    MAXSTATUSITEM = 2;
    STATUSITEM[1] = 320;
    STATUSITEM[2] = -1;
    SHOWMENUBAR = true;  // hands WM_COMMAND to GETINPUTCOMMAND and the context menu to CREATEMOUSEMENU
    GETINPUTCOMMAND = on_command;
    CREATEMOUSEMENU = on_context_menu;
    OGLWINDOWSETTING(ARROW, "", GENERIC, "");
    CREATEOGLWINDOW("Corvala buttons", 800, 600, 32, false);
    POSITIONWINDOW(win32::GetSystemMetrics(SM_CXSCREEN) / 2 - WIDTH / 2,
                   win32::GetSystemMetrics(SM_CYSCREEN) / 2 - HEIGHT / 2);
    const HWND play = make_button(std::string(dir) + "/play", 40, 40, kPlayId);
    const HWND stop = make_button(std::string(dir) + "/stop", 120, 40, kStopId);
    g_menu[0] = make_button(std::string(dir) + "/play", 0, 0, kMenuPlayId, false);
    g_menu[1] = make_button(std::string(dir) + "/stop", 0, 0, kMenuStopId, false);
    win32::SendMessageA(HSTATUS, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>("Nessun pulsante premuto"));
    // [/doc:buttons-setup]
    OPENGL_INIT(100, 1, 0.10, 0.20, 0.35);

    float angle = 0;
    for (long frame = 1; ACTIVE; ++frame) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        SETGLMSG();
        glLoadIdentity();
        glTranslatef(0, 0, -6);
        glRotatef(angle, 0.3f, 1, 0.2f);
        glColor3f(0.95f, 0.8f, 0.3f);
        SETGLLINE(2);
        CUBO(0, 0, 0, -1, -1, -1, 1, 1, 1, 1);
        SETGLFILL();
        if (g_turning) angle += 0.5f;
        win32::SwapBuffers(DCWINDOW);
        PaceFrame();
        if (frame == 30) {
            // The window, the bar and the buttons are on screen; where, for whoever looks at it.
            std::printf("ready");
            for (HWND w : {HSTATUS, play, stop}) {
                win32::RECT r{};
                win32::GetWindowRect(w, &r);
                std::printf(" %d %d %d %d", int(r.left), int(r.top), int(r.right), int(r.bottom));
            }
            std::printf("\n");
            std::fflush(stdout);
        }
        if (frame_limit > 0 && frame >= frame_limit) break;
    }
    DELETEOGLWINDOW();  // the buttons and the bar go with the window
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);  // the pictures written above
    return 0;
}
