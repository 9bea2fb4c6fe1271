#include <thread>

#include "tests/texture/texture_fixture.h"

using namespace corvala;
using namespace texturetest;

namespace {

Rgba grey(int x, int y) { return {uint8_t(x), uint8_t(y), 9, 255}; }

using LoadFailure = TextureTest;

TEST_F(LoadFailure, TheLastFailedLoadIsToldWithItsFileAndWhyAndSuccessesLeaveIt) {
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

}  // namespace
