// Start-up and the loop as the program runs them, including with parts of the data set missing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/State.h"
#include "app/Wobblefin.h"
#include "corvala/Corvala.h"
#include "platform/gl/gl.h"
#include "platform/testing.h"
#include "tests/app/scene_support.h"
#include "tests/support/systems.h"
#include "tests/support/temp_dir.h"

using namespace corvala;
using namespace wobblefin;
using namespace win32;  // the message numbers are macros on Windows
namespace fs = std::filesystem;

namespace {

// A copy of the run folder without one file, to start the program in.
std::string run_folder_without(const std::string& missing) {
    const fs::path dir = testsupport::temp_dir();
    fs::copy(WOBBLEFIN_RUN_DIR, dir, fs::copy_options::recursive);
    fs::remove(dir / missing);
    return dir.string();
}

// Ends a death-test child that started the program, with what the backend has open closed first (the
// test programs' own end does the same).
[[noreturn]] void exit_child(int code) {
    win32::testing::CloseBackend();
    std::exit(code);
}

// Runs in the death-test child: the folder is made and used there, and goes when it exits.
void run_frames_without(const std::string& missing, int frames) {
    const std::string folder = run_folder_without(missing);
    if (chdir(folder.c_str()) != 0) std::exit(3);
    corvala::SetFramePacing(corvala::PaceMode::Unpaced);
    win32::testing::ClearRecordedBoxes();
    startup();
    for (int i = 0; i < frames; ++i) loop_turn();
    exit_child(win32::testing::RecordedBoxes().empty() ? 0 : 4);
}

TEST(Startup, AfterStartUpNoToolIsOnThePanelIsHiddenAndTheFishRests) {
    scene::EnsureStarted();
    scene::Reset();
    for (bool c : CHECK) EXPECT_FALSE(c);
    EXPECT_FALSE(SETINFO);
    EXPECT_EQ(PESCEMDL.ANIMMODEL, Q3_LEGS_WALK);
    EXPECT_GE(TIMER[2], 120) << "the vortex after-effect is off from the start";
    EXPECT_NE(TEXTURETGA2[0].TEXID, 0u) << "fish skin";
    for (int n = 1; n <= 11; ++n) EXPECT_NE(TEXTURETGA2[n].TEXID, 0u) << "TGA slot " << n;
    EXPECT_NE(TEXTUREID2[0], 0u) << "water";
    EXPECT_EQ(MENU.MAXNUMSEL, 9);
    EXPECT_EQ(PESCE.MAXNUMSEL, 6);
    EXPECT_TRUE(win32::testing::RecordedBoxes().empty()) << "no message box at start";
}

TEST(Startup, EscapeEndsTheLoopAfterTheFrameOfThatTurnIsShown) {
    scene::EnsureStarted();
    scene::Reset();
    win32::PostMessageA(HWINDOW, WM_KEYDOWN, VK_ESCAPE, 0);
    int turns = 0;
    do {
        loop_turn();
        ++turns;
    } while (ACTIVE);
    EXPECT_EQ(turns, 1);
    EXPECT_TRUE(win32::IsWindow(HWINDOW));
}

TEST(Startup, TheCloseBoxEndsTheLoopAfterThatTurnAndTheProgramTearsDownCleanly) {
    EXPECT_EXIT(
        {
            if (chdir(WOBBLEFIN_RUN_DIR) != 0) std::exit(3);
            corvala::SetFramePacing(corvala::PaceMode::Unpaced);
            startup();
            loop_turn();
            win32::PostMessageA(HWINDOW, WM_CLOSE, 0, 0);
            int turns = 0;
            do {
                loop_turn();  // the window goes during this turn's message; the frame still runs
                ++turns;
            } while (ACTIVE);
            teardown();
            exit_child(turns == 1 && !win32::IsWindow(HWINDOW) ? 0 : 5);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(Startup, TheWindowIsCentredOnTheScreen) {
    // On the stand-in a 1366 x 768 screen: X = 683 - 400 = 283, Y = 384 - 300 = 84. Windows has its own.
    const int w = testsupport::kStandIn ? 1366 : win32::GetSystemMetrics(SM_CXSCREEN);
    const int h = testsupport::kStandIn ? 768 : win32::GetSystemMetrics(SM_CYSCREEN);
    const std::string expected =
        "at " + std::to_string(w / 2 - 400) + "," + std::to_string(h / 2 - 300) + " size 799 x 600";
    EXPECT_EXIT(
        {
            if (chdir(WOBBLEFIN_RUN_DIR) != 0) std::exit(3);
            win32::testing::SetScreenSize(w, h);
            startup();
            win32::RECT r;
            win32::GetWindowRect(HWINDOW, &r);
            std::fprintf(stderr, "at %d,%d size %d x %d\n", int(r.left), int(r.top), int(r.right - r.left),
                         int(r.bottom - r.top));
            exit_child(0);
        },
        ::testing::ExitedWithCode(0), expected);
}

TEST(Startup, RunsWithAnImageFileMissing) {
    EXPECT_EXIT(run_frames_without("immagini/calore.tga", 30), ::testing::ExitedWithCode(0), "");
}

TEST(Startup, RunsWithTheModelMissing) {
    EXPECT_EXIT(run_frames_without("modelli/PesceRosso.md3", 30), ::testing::ExitedWithCode(0), "");
}

TEST(Startup, RunsWithTheAnimationTableMissing) {
    EXPECT_EXIT(run_frames_without("modelli/animation.cfg", 30), ::testing::ExitedWithCode(0), "");
}

// What a load leaves in the character, as bytes: the model's records, frames, tags and surfaces, its name,
// playing range and clock, and the animation table and choice.
std::string loaded_state(const QUAKE3ANIMATION& c) {
    std::string s;
    const auto add = [&s](const void* p, size_t n) { s.append(static_cast<const char*>(p), n); };
    const TGLMD3MODEL& m = c.MODEL;
    add(&m.HEADER, sizeof m.HEADER);
    add(m.BONEFRAMES.data(), m.BONEFRAMES.size() * sizeof(TGLBONEFRAME));
    add(m.TAGS.data(), m.TAGS.size() * sizeof(TGLTAG));
    for (const TMESH& mesh : m.MESHES) {
        add(&mesh.MESHHEADER, sizeof mesh.MESHHEADER);
        add(mesh.SKINS.data(), mesh.SKINS.size() * sizeof(TGLMD3SKIN));
        add(mesh.TRIANGLE.data(), mesh.TRIANGLE.size() * sizeof(TGLMD3TRIANGLE));
        add(mesh.TEXCOORD.data(), mesh.TEXCOORD.size() * sizeof(TGLMD3TEXCOORD));
        add(mesh.VERTEX.data(), mesh.VERTEX.size() * sizeof(TVERTEX));
    }
    const int32_t numbers[] = {m.FRAME, m.STARTFRAME, m.ENDFRAME, m.NEXTFRAME, m.FPS, c.ANIMMODEL};
    const float clocks[] = {m.POLL, m.LASTUPDATE, c.TIMER};
    add(numbers, sizeof numbers);
    add(clocks, sizeof clocks);
    add(c.ANIM, sizeof c.ANIM);
    return s + m.MD3NAME;
}

TEST(Startup, TheFishLoadedInLineIsTheFishLoadedOnItsThread) {
    EXPECT_EXIT(
        {
            if (chdir(WOBBLEFIN_RUN_DIR) != 0) std::exit(3);
            startup();  // the fish on its own thread, where the host has threads
            const std::string on_thread = loaded_state(PESCEMDL);
            // The early load has been taken: this one runs in line, as where the host has no threads.
            PESCEMDL = QUAKE3ANIMATION();
            OPENGL_CREATELIST();
            const bool loaded = !PESCEMDL.MODEL.MESHES.empty();
            exit_child(loaded && loaded_state(PESCEMDL) == on_thread ? 0 : 6);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace

namespace {

// The render state every frame starts from, and which the frame must leave behind.
void expect_base_render_state() {
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    EXPECT_TRUE(glIsEnabled(GL_NORMALIZE));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
    GLint v[2] = {0, 0};
    glGetIntegerv(GL_CULL_FACE_MODE, v);
    EXPECT_EQ(v[0], GL_BACK);
    glGetIntegerv(GL_FRONT_FACE, v);
    EXPECT_EQ(v[0], GL_CCW);
    glGetIntegerv(GL_POLYGON_MODE, v);
    EXPECT_EQ(v[0], GL_FILL);
    EXPECT_EQ(v[1], GL_FILL);
    glGetIntegerv(GL_DEPTH_FUNC, v);
    EXPECT_EQ(v[0], GL_LEQUAL);
    GLboolean depth_writes = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depth_writes);
    EXPECT_TRUE(depth_writes);
    glGetIntegerv(GL_LIGHT_MODEL_TWO_SIDE, v);
    EXPECT_EQ(v[0], 0);
    glGetIntegerv(GL_MATRIX_MODE, v);
    EXPECT_EQ(v[0], GL_MODELVIEW);
}

TEST(Startup, TheFrameLeavesTheBaseRenderStateBehindWhateverToolIsHeld) {
    scene::EnsureStarted();
    scene::Reset();
    expect_base_render_state();
    SETINFO = true;
    for (int k = 0; k < 8; ++k) {
        CHECK[k] = true;
        scene::Frame();
        CHECK[k] = false;
        SCOPED_TRACE(k);
        expect_base_render_state();
    }
    SETINFO = false;
}

}  // namespace
