// Corvala example: a textured, animated MD3 model, turned by dragging with the left mouse button.
//
//   corvala_model FOLDER/ NAME SKIN.tga [FRAMES]
//   e.g. corvala_model /usr/share/wobblefin/modelli/ PesceRosso /usr/share/wobblefin/modelli/PesceRosso.tga
#include <cstdio>
#include <cstdlib>
#include <string>

#include <corvala/Corvala.h>

using namespace corvala;

namespace {
QUAKE3ANIMATION character;  // plain data: lives in zero-filled static storage
}

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: corvala_model FOLDER/ NAME SKIN.tga [FRAMES]\n");
        return 2;
    }
    const long frame_limit = argc > 4 ? std::strtol(argv[4], nullptr, 10) : 0;
    ReportLoadFailures(true);  // a skin, model or animation.cfg that does not load says so on standard error
    OGLWINDOWSETTING(ARROW, "", GENERIC, "");
    CREATEOGLWINDOW("Corvala model", 800, 600, 32, false);
    OPENGL_INIT(100, 1, 0.05, 0.10, 0.20);
    SETGLREFRACTIVE();
    // [doc:model-load]
    SETGLLIGHT(GL_LIGHT0, 0, 0, 0, 0.1f);                   // lighting on, light 0 at the camera
    TEXTURELOADTGAID(argv[3], 1);                           // the skin into TGA slot 1
    character.LOADMODEL(argv[1], argv[2], Q3_TORSO_STAND);  // FOLDER + NAME + ".md3" and FOLDER/animation.cfg
    MSPEED = 1;                                             // dragging turns XROT and YROT
    // [/doc:model-load]

    for (long frame = 1; ACTIVE; ++frame) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        SETGLMSG();
        // [doc:model-draw]
        glLoadIdentity();
        glTranslatef(0, 0, -40);
        glRotatef(XROT, 1, 0, 0);
        glRotatef(YROT, 0, 1, 0);
        TEXTUREON();
        TEXTURETGASELECTID(1);  // surfaces draw with the bound texture
        glColor3f(1, 1, 1);
        character.PUTMODEL(75);  // the clock steps 0.0075 a frame, then it draws
        // [/doc:model-draw]
        win32::SwapBuffers(DCWINDOW);
        PaceFrame();
        if (frame_limit > 0 && frame >= frame_limit) break;
    }
    DELETEOGLWINDOW();
    return 0;
}
