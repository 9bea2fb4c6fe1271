#include <thread>

#include "tests/support/window.h"
#include "tests/texture/texture_fixture.h"

using namespace corvala;
using namespace texturetest;

namespace {

Rgba grey(int x, int y) { return {uint8_t(x), uint8_t(y), 9, 255}; }

using LoadFailure = TextureTest;

TEST_F(LoadFailure, TheLastFailedLoadIsToldWithItsFileAndWhyAndSuccessesLeaveIt) {
    testsupport::EnsureWindow();  // a texture is made only with a context
    const std::string no_bmp = missing();
    TEXTURELOADID(no_bmp.c_str(), 1);
    EXPECT_EQ(std::string(LastLoadError()), no_bmp + ": no such file");

    const std::string palette = file("p.bmp", testsupport::make_bmp8(4, 4));
    TEXTURELOADID(palette.c_str(), 1);
    EXPECT_EQ(std::string(LastLoadError()), palette + ": 8 bits per pixel: only 24 and 32 are loaded");

    // The message the program shows is the reason too, and it is still shown.
    Bytes cut = testsupport::make_tga(4, 4, 24, grey);
    cut.pop_back();
    const std::string short_tga = file("s.tga", cut);
    TEXTURELOADTGAID(short_tga.c_str(), 1);
    EXPECT_EQ(std::string(LastLoadError()), short_tga + ": Could not read image data");
    ASSERT_EQ(win32::testing::RecordedBoxes().size(), 1u);

    TEXTURELOADTGAID(file("good.tga", testsupport::make_tga(4, 4, 24, grey)).c_str(), 2);
    EXPECT_EQ(std::string(LastLoadError()), short_tga + ": Could not read image data");

    TGLMD3MODEL model;
    const std::string not_md3 = file("fish.md3", Bytes(64, 'x'));
    model.LOADMODEL(not_md3);
    EXPECT_EQ(std::string(LastLoadError()), not_md3 + ": not an MD3 model, or a damaged one");
    EXPECT_EQ(win32::testing::RecordedBoxes().size(), 1u);
}

// The fish loads on a thread of its own while the images load: a reader always gets one whole text.
TEST(LoadFailureText, FailuresNotedOnTwoThreadsLeaveAReaderOneWholeText) {
    constexpr int kRounds = 20000;
    const std::string first = "modelli\\PesceRosso.md3", second = "immagini\\water4.bmp";
    const std::string why = "a reason long enough to be kept on the heap, not inside the string";
    const auto fail = [&](const std::string& file) {
        for (int i = 0; i < kRounds; ++i) note_load_failure(file, why);
    };
    fail(first);
    std::thread a(fail, first), b(fail, second);
    for (int i = 0; i < kRounds; ++i) {
        const std::string seen = LastLoadError();
        if (seen != first + ": " + why && seen != second + ": " + why) {
            ADD_FAILURE() << "read \"" << seen << "\"";
            break;
        }
    }
    a.join();
    b.join();
}

TEST_F(LoadFailure, ReportingTellsEveryFailureOnItsOwnLineAndIsOffByDefault) {
    const std::string no_bmp = missing();
    ::testing::internal::CaptureStderr();
    TEXTURELOADID(no_bmp.c_str(), 1);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");

    // A folder without its trailing separator: the model and the animation table both fail.
    const std::string& folder = dir_;
    QUAKE3ANIMATION character{};
    ReportLoadFailures(true);
    ::testing::internal::CaptureStderr();
    TEXTURELOADID(no_bmp.c_str(), 1);
    character.LOADMODEL(folder, "fish", Q3_TORSO_STAND);
    ReportLoadFailures(false);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "corvala: " + no_bmp + ": no such file\n" +
                                                            "corvala: " + folder + "fish.md3: no such file\n" +
                                                            "corvala: " + folder + "animation.cfg: no such file\n");
    EXPECT_EQ(std::string(LastLoadError()), folder + "animation.cfg: no such file");
}

TEST_F(LoadFailure, APictureLoadedBeforeTheWindowSaysThereIsNoContext) {
    win32::wglMakeCurrent(nullptr, nullptr);
    const std::string tga = file("early.tga", testsupport::make_tga(4, 4, 24, grey));
    TEXTURELOADTGAID(tga.c_str(), 1);
    const std::string why = ": no OpenGL context: textures load after CREATEOGLWINDOW has made the window";
    EXPECT_EQ(std::string(LastLoadError()), tga + why);
    const std::string bmp = file("early.bmp", testsupport::make_bmp(4, 4, 24, 40, grey));
    TEXTURELOADID(bmp.c_str(), 1);
    EXPECT_EQ(std::string(LastLoadError()), bmp + why);
    if (RCWINDOW) win32::wglMakeCurrent(DCWINDOW, RCWINDOW);
}

}  // namespace
