// Corvala example: a framework window with a status bar and two image buttons over a turning cube.
// Clicking a button writes which one into the second part of the status bar.
//
//   corvala_buttons [FRAMES]   stops by itself after FRAMES frames when given
#include <GL/gl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include <corvala/Corvala.h>
#include "button_pictures.h"

using namespace corvala;

namespace {

constexpr int kPlayId = 101, kStopId = 102;

// [doc:buttons-command]
LRESULT on_command(HWND, UINT, WPARAM wp, LPARAM) {
    const int id = win32::LOWORD(wp);
    const char* text = id == kPlayId ? "Premuto: play" : id == kStopId ? "Premuto: stop" : "Premuto: ?";
    win32::SendMessageA(HSTATUS, win32::SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(text));
    return 0;
}

HWND make_button(const std::string& prefix, int x, int y, int id) {
    BMPTYPE = prefix;  // read while the button is created
    return win32::CreateWindowExA(0, SZHOVERCLASS, "", win32::WS_CHILD | win32::WS_VISIBLE, x, y, 64, 64, HWINDOW,
                                  reinterpret_cast<win32::HMENU>(intptr_t(id)), nullptr, nullptr);
}
// [/doc:buttons-command]

}  // namespace

int main(int argc, char** argv) {
    const long frame_limit = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 0;
    char dir_template[] = "/tmp/corvala-buttons-XXXXXX";
    const char* dir = mkdtemp(dir_template);
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
    SHOWMENUBAR = true;  // hands WM_COMMAND to GETINPUTCOMMAND
    GETINPUTCOMMAND = on_command;
    OGLWINDOWSETTING(ARROW, "", GENERIC, "");
    CREATEOGLWINDOW("Corvala buttons", 800, 600, 32, false);
    POSITIONWINDOW(win32::GetSystemMetrics(win32::SM_CXSCREEN) / 2 - WIDTH / 2,
                   win32::GetSystemMetrics(win32::SM_CYSCREEN) / 2 - HEIGHT / 2);
    const HWND play = make_button(std::string(dir) + "/play", 40, 40, kPlayId);
    const HWND stop = make_button(std::string(dir) + "/stop", 120, 40, kStopId);
    win32::SendMessageA(HSTATUS, win32::SB_SETTEXTA, 1, reinterpret_cast<LPARAM>("Nessun pulsante premuto"));
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
        angle += 0.5f;
        win32::SwapBuffers(DCWINDOW);
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
    for (const char* name : {"play", "stop"})
        for (const char* state : {"N", "H", "P"}) unlink((std::string(dir) + "/" + name + state + ".BMP").c_str());
    rmdir(dir);
    return 0;
}
