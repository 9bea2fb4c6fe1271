#include "app/Wobblefin.h"

#include <cstdlib>
#include <filesystem>

#include "app/Scene.h"
#include "app/State.h"
#include "corvala/Corvala.h"
#include "platform/gl/gl.h"
#include "platform/host/host.h"

namespace wobblefin {

using namespace corvala;

namespace {
// WOBBLEFIN_FPS overrides the design rate: a number of frames a second, or "display"; anything else is
// ignored.
void choose_pacing() {
    host::PaceMode mode;
    double fps = 0;
    if (host::ParsePaceMode(std::getenv("WOBBLEFIN_FPS"), mode, fps)) SetFramePacing(mode, fps);
}
}  // namespace

void startup() {
    // The fish's file is read, parsed and its normal table built while the window and the context come up.
    StartFishLoad();
    OGLWINDOWSETTING(ARROW, "", FILEICON, "Wobblefin.ico");
    CREATEOGLWINDOW("Wobblefin v1.0", 800, 600, 32, FULLSCREEN);
    choose_pacing();
    const int32_t Y = win32::GetSystemMetrics(SM_CYSCREEN) / 2 - HEIGHT / 2;
    const int32_t X = win32::GetSystemMetrics(SM_CXSCREEN) / 2 - WIDTH / 2;
    POSITIONWINDOW(X, Y);
    OPENGL_INIT(100, 0, 0, 0, 0);
    SETGLREFRACTIVE();
    SETGLLIGHT(GL_LIGHT0, 0, 0, 0, 0.1f);
    OPENGL_CREATELIST();
}

void loop_turn() {
    glClear(GL_COLOR_BUFFER_BIT);
    SETGLMSG();
    OPENGL_DRAW();
    win32::SwapBuffers(DCWINDOW);
    PaceFrame();
}

void teardown() { DELETEOGLWINDOW(); }

void enter_data_folder() {
    // Started from a file manager, a shortcut or another folder, the program still finds its data set.
    std::error_code ec;
    const std::string here = std::filesystem::current_path(ec).string();
    host::EnterDataFolder(
        host::DataFolderCandidates(ec ? "." : here, host::ExecutableFolder(), "wobblefin"),
        {"modelli\\PesceRosso.md3", "modelli\\animation.cfg", "immagini\\font.tga", "immagini\\water4.bmp"});
}

int RUN() {
    enter_data_folder();
    startup();
    do {
        loop_turn();
    } while (ACTIVE);  // tested after the swap: the turn that ends the program still shows its frame
    teardown();
    return 0;
}

}  // namespace wobblefin
