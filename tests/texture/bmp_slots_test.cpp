#include "platform/gl/gl.h"
#include "tests/texture/texture_fixture.h"

using namespace corvala;
using namespace texturetest;

namespace {

Rgba stripes(int x, int y) { return {uint8_t(x * 40), uint8_t(y * 40), 200, uint8_t(255 - x)}; }

std::vector<std::string> upload_sequence(int internal, int w, int h, int format, bool mipmaps, int mip_components,
                                         int mip_format, int name) {
    std::vector<std::string> s = {"glEnable(3553)",
                                  "glGenTextures(1)",
                                  "glBindTexture(3553, " + std::to_string(name) + ")",
                                  "glPixelStorei(3317, 4)",
                                  "glPixelStorei(3314, 0)",
                                  "glPixelStorei(3315, 0)",
                                  "glPixelStorei(3316, 0)",
                                  "glTexParameteri(3553, 10241, " + std::to_string(GL_MIN_FILTER) + ")",
                                  "glTexParameteri(3553, 10240, 9729)",
                                  "glTexParameteri(3553, 10242, 10497)",
                                  "glTexParameteri(3553, 10243, 10497)"};
    if (internal) {
        s.push_back("glTexImage2D(3553, 0, " + std::to_string(internal) + ", " + std::to_string(w) + ", " +
                    std::to_string(h) + ", 0, " + std::to_string(format) + ", 5121)");
    }
    if (mipmaps) {
        s.push_back("gluBuild2DMipmaps(3553, " + std::to_string(mip_components) + ", " + std::to_string(w) + ", " +
                    std::to_string(h) + ", " + std::to_string(mip_format) + ", 5121)");
    }
    return s;
}

std::vector<std::string> recorded() {
    std::vector<std::string> out;
    for (const auto& c : gltrace::calls()) out.push_back(gltrace::format(c));
    return out;
}

using BmpDepth = TextureTest;

TEST_F(BmpDepth, IsTheBitCountOfUsableFilesAndZeroOtherwise) {
    EXPECT_EQ(GETBMPDEPTH(file("a.bmp", testsupport::make_bmp(3, 2, 24, 40, stripes)).c_str()), 24);
    EXPECT_EQ(GETBMPDEPTH(file("b.bmp", testsupport::make_bmp(3, 2, 32, 124, stripes)).c_str()), 32);
    EXPECT_EQ(GETBMPDEPTH(file("c.bmp", testsupport::make_bmp8(3, 2)).c_str()), 8);

    Bytes core = testsupport::make_bmp(3, 2, 24, 40, stripes);
    core[14] = 12;
    EXPECT_EQ(GETBMPDEPTH(file("core.bmp", core).c_str()), 0);
    Bytes not_bm = testsupport::make_bmp(3, 2, 24, 40, stripes);
    not_bm[1] = 'N';
    EXPECT_EQ(GETBMPDEPTH(file("notbm.bmp", not_bm).c_str()), 0);
    const Bytes whole = testsupport::make_bmp(3, 2, 24, 40, stripes);
    EXPECT_EQ(GETBMPDEPTH(file("short.bmp", Bytes(whole.begin(), whole.begin() + 53)).c_str()), 0);
    EXPECT_EQ(GETBMPDEPTH(missing().c_str()), 0);
}

TEST(SwapRgb, SwapsFirstAndThirdByteOfExactlySizeGroups) {
    uint8_t data[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    SWAPRGB(data, 2);
    const uint8_t want[10] = {3, 2, 1, 6, 5, 4, 7, 8, 9, 10};
    EXPECT_EQ(0, std::memcmp(data, want, sizeof data));
}

using BmpSlots = TextureTest;

TEST_F(BmpSlots, TwentyFourBitLoadMakesTheFixedCallSequenceAndFillsTheSlot) {
    const std::string path = file("w.bmp", testsupport::make_bmp(5, 3, 24, 40, stripes));
    gltrace::Scope trace;
    TEXTURELOADID(path.c_str(), 7);
    ASSERT_NE(TEXTUREID2[7], 0u);
    EXPECT_EQ(recorded(), upload_sequence(3, 5, 3, GL_RGB, false, 0, 0, int(TEXTUREID2[7]))) << gltrace::dump();
}

TEST_F(BmpSlots, ThirtyTwoBitLoadUploadsBgraWithoutASwap) {
    const std::string path = file("w.bmp", testsupport::make_bmp(4, 2, 32, 124, stripes));
    gltrace::Scope trace;
    TEXTURELOADID(path.c_str(), 500);
    EXPECT_EQ(recorded(), upload_sequence(GL_RGBA, 4, 2, GL_BGRA, false, 0, 0, int(TEXTUREID2[500])))
        << gltrace::dump();
}

TEST_F(BmpSlots, MipmapsAreBuiltAfterTheImageOnlyUnderAMipmappingFilter) {
    const std::string p24 = file("a.bmp", testsupport::make_bmp(4, 4, 24, 40, stripes));
    const std::string p32 = file("b.bmp", testsupport::make_bmp(4, 4, 32, 40, stripes));
    for (int filter :
         {GL_NEAREST_MIPMAP_NEAREST, GL_LINEAR_MIPMAP_NEAREST, GL_NEAREST_MIPMAP_LINEAR, GL_LINEAR_MIPMAP_LINEAR}) {
        GL_MIN_FILTER = filter;
        gltrace::start();
        TEXTURELOADID(p24.c_str(), 1);
        EXPECT_EQ(recorded(), upload_sequence(3, 4, 4, GL_RGB, true, 3, GL_RGB, int(TEXTUREID2[1])));
        gltrace::start();
        TEXTURELOADID(p32.c_str(), 2);
        EXPECT_EQ(recorded(), upload_sequence(GL_RGBA, 4, 4, GL_BGRA, true, 4, GL_BGRA, int(TEXTUREID2[2])));
    }
    GL_MIN_FILTER = GL_NEAREST;
    gltrace::start();
    TEXTURELOADID(p24.c_str(), 1);
    EXPECT_TRUE(gltrace::named("gluBuild2DMipmaps").empty());
}

TEST_F(BmpSlots, UnusableFilesLeaveATextureNameWithoutAnImageAndNoMessage) {
    const Bytes good = testsupport::make_bmp(5, 3, 24, 40, stripes);
    const std::vector<std::string> paths = {
        file("palette.bmp", testsupport::make_bmp8(4, 4)),
        file("short_pixels.bmp", Bytes(good.begin(), good.end() - 2)),
        file("short_header.bmp", Bytes(good.begin(), good.begin() + 40)),
        missing(),
    };
    GL_MIN_FILTER = GL_LINEAR_MIPMAP_LINEAR;
    int slot = 10;
    for (const std::string& p : paths) {
        SCOPED_TRACE(p);
        gltrace::start();
        TEXTURELOADID(p.c_str(), slot);
        EXPECT_NE(TEXTUREID2[slot], 0u);
        EXPECT_EQ(recorded(), upload_sequence(0, 0, 0, 0, false, 0, 0, int(TEXTUREID2[slot])));
        ++slot;
    }
    EXPECT_TRUE(win32::testing::RecordedBoxes().empty());
}

TEST(BmpFiles, HeadersThatDescribeMoreThanTheFileHoldsAreRefusedUnread) {
    // BI_BITFIELDS after a 40-byte header: the three masks would follow it, where the one pixel is.
    Bytes f = testsupport::make_bmp(1, 1, 32, 40, stripes);
    f[30] = BI_BITFIELDS;
    const Bytes exact(f);  // no spare capacity: on Linux the sanitizers watch its end
    EXPECT_EQ(win32::LoadBitmapFromMemory(exact.data(), exact.size()), nullptr);
}

TEST_F(BmpSlots, ReloadingASlotTakesANewNameAndSelectingAnEmptySlotBindsZero) {
    const std::string path = file("w.bmp", testsupport::make_bmp(4, 4, 24, 40, stripes));
    TEXTURELOADID(path.c_str(), 3);
    const uint32_t first = TEXTUREID2[3];
    TEXTURELOADID(path.c_str(), 3);
    EXPECT_NE(TEXTUREID2[3], first);
    gltrace::Scope trace;
    TEXTURESELECTID(3);
    TEXTURESELECTID(4);
    TEXTUREOFF();
    TEXTUREON();
    EXPECT_EQ(recorded(), (std::vector<std::string>{"glBindTexture(3553, " + std::to_string(TEXTUREID2[3]) + ")",
                                                    "glBindTexture(3553, 0)", "glDisable(3553)", "glEnable(3553)"}));
}

using BmpSlotsDeathTest = TextureTest;

TEST_F(BmpSlotsDeathTest, ASlotOutsideTheTableStopsTheProgramWithARangeError) {
    const std::string path = file("w.bmp", testsupport::make_bmp(4, 4, 24, 40, stripes));
    EXPECT_EXIT((print_boxes_at_exit(), TEXTURELOADID(path.c_str(), 501)), ::testing::ExitedWithCode(1),
                "BMP texture slot 501 is outside 0\\.\\.500\\s+box \\[Error\\] BMP texture slot 501 is outside");
    EXPECT_EXIT(TEXTURELOADID(path.c_str(), -1), ::testing::ExitedWithCode(1),
                "BMP texture slot -1 is outside 0\\.\\.500");
    EXPECT_EXIT(TEXTURESELECTID(501), ::testing::ExitedWithCode(1), "BMP texture slot 501 is outside 0\\.\\.500");
}

}  // namespace
