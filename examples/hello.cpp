// Corvala example: the smallest program. One window, the loop, and a line of text.
//
//   corvala_hello [FRAMES]   stops by itself after FRAMES frames when given
// [doc:hello-includes]
#include <cstdlib>

#include <corvala/Corvala.h>  // the framework, OpenGL and GLU (glClear ...), win32:: (SwapBuffers, SendMessageA ...)

using namespace corvala;  // OPENGL_INIT, ACTIVE, ...; Win32 calls as win32::SwapBuffers, constants bare: WM_CLOSE
// [/doc:hello-includes]

// [doc:hello]
int main(int argc, char** argv) {
    const long frame_limit = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 0;

    ReportLoadFailures(true);  // a file that does not load says so on standard error
    OGLWINDOWSETTING(ARROW, "", GENERIC, "");
    CREATEOGLWINDOW("Corvala hello", 800, 600, 32, false);  // a message and exit code 1 if it cannot
    TEXTURELOADTGAID(FindFont(CORVALA_FONT), 0);            // the font image into TGA slot 0

    for (long frame = 1; ACTIVE; ++frame) {  // Escape or the close box end it
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        SETGLMSG();                       // one pending message a frame
        OPENGL_I2D(1, 0.10, 0.20, 0.35);  // 2D overlay, 4 units across
        TEXTURETGASELECTID(0);
        glColor3f(1, 1, 1);
        ADDFONTSTRING(-52, 0, 0.02f, 1, "Ciao, Corvala!");  // 8 units a character, scaled by 0.02
        win32::SwapBuffers(DCWINDOW);
        PaceFrame();
        if (frame_limit > 0 && frame >= frame_limit) break;
    }
    DELETEOGLWINDOW();
    return 0;
}
// [/doc:hello]
