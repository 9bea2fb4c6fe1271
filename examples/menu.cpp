// Corvala example: a pickable 3D menu of three spheres. The one under the pointer grows, the one held
// with the left button turns red, and the status bar says which was clicked last.
//
//   corvala_menu [FRAMES]
#include <cstdlib>
#include <string>

#include <corvala/Corvala.h>

using namespace corvala;

namespace {

TMENU3D menu;  // plain data: lives in zero-filled static storage
float scale = 1;
float red = 0;
int clicked = -1;

// [doc:menu-callbacks]
void pick_shape() { SFERA(0, 0, 0, 0.8f, 12, 12, 1); }  // what the pick tests against
void over() { scale = 1.25f; }                          // callbacks take no arguments:
void not_over() { scale = 1; }                          // they talk through globals
void click() { red = 1; }
void not_click() { red = 0; }
// [/doc:menu-callbacks]

}  // namespace

int main(int argc, char** argv) {
    const long frame_limit = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 0;
    SHOWSTATUSBAR = true;  // one part across the whole bar
    MAXSTATUSITEM = 1;
    STATUSITEM[1] = -1;
    OGLWINDOWSETTING(HAND, "", GENERIC, "");
    CREATEOGLWINDOW("Corvala menu", 800, 600, 32, false);
    OPENGL_INIT(100, 1, 0.12, 0.12, 0.15);
    SETGLREFRACTIVE();
    SETGLLIGHT(GL_LIGHT0, 0, 0, 0, 0.1f);
    glEnable(GL_COLOR_MATERIAL);  // lit, in the colour of glColor
    win32::SendMessageA(HSTATUS, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>("Click a sphere"));
    // [doc:menu-build]
    for (int i = 0; i < 3; ++i) menu.ADDSELECTON(GLVECTOR(float(i - 1) * 2.5f, 0, -8), 1 + i);
    menu.SETSELECTON(pick_shape);  // one display list with every element's shape and name
    // [/doc:menu-build]

    for (long frame = 1; ACTIVE; ++frame) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        SETGLMSG();
        glLoadIdentity();
        // [doc:menu-frame]
        for (int i = 0; i < 3; ++i) {
            menu.DRAWMENUID(over, not_over, click, not_click, i);  // runs one of each pair at POS[i]...
            glPushMatrix();
            glTranslatef(menu.POS[i].X, menu.POS[i].Y, menu.POS[i].Z);  // ...so draw the element there
            glScalef(scale, scale, scale);
            glColor3f(0.4f + 0.6f * red, 0.5f * (1 - red) + 0.2f, 0.9f * (1 - red) + 0.1f);
            SFERA(0, 0, 0, 0.8f, 24, 24, 1);
            glPopMatrix();
            if (menu.CLICK[i] && clicked != i) {
                clicked = i;
                const std::string text = "Clicked: sphere " + std::to_string(i + 1);
                win32::SendMessageA(HSTATUS, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
            }
        }
        menu.ELEMENTSELECTON();  // picks at the pointer and the press: OVER and CLICK for next frame
        // [/doc:menu-frame]
        win32::SwapBuffers(DCWINDOW);
        PaceFrame();
        if (frame_limit > 0 && frame >= frame_limit) break;
    }
    DELETEOGLWINDOW();
    return 0;
}
