#include "tests/texture/texture_fixture.h"

using namespace corvala;
using namespace texturetest;

namespace {

Rgba grey(int x, int y) { return {uint8_t(x), uint8_t(y), uint8_t(x + y), 200}; }

std::vector<std::string> recorded() {
    std::vector<std::string> out;
    for (const auto& c : gltrace::calls()) out.push_back(gltrace::format(c));
    return out;
}

std::vector<std::string> load_sequence(uint32_t name, int bpp, int w, int h, bool packed_rows, int min_filter,
                                       bool mipmaps) {
    const std::string W = std::to_string(w), H = std::to_string(h);
    std::vector<std::string> s = {"glEnable(3553)", "glGenTextures(1)",
                                  "glBindTexture(3553, " + std::to_string(name) + ")"};
    if (packed_rows) s.push_back("glPixelStorei(3317, 1)");
    s.push_back("glTexImage2D(3553, 0, " + std::to_string(bpp / 8) + ", " + W + ", " + H + ", 0, " +
                std::to_string(bpp == 24 ? GL_RGB : GL_RGBA) + ", 5121)");
    s.push_back("glTexParameteri(3553, 10241, " + std::to_string(min_filter) + ")");
    s.push_back("glTexParameteri(3553, 10240, 9729)");
    s.push_back("glTexParameteri(3553, 10242, 10497)");
    s.push_back("glTexParameteri(3553, 10243, 10497)");
    if (mipmaps) {
        // The levels are built from the pixels in the order level 0 was given in.
        s.push_back("gluBuild2DMipmaps(3553, " + std::to_string(bpp / 8) + ", " + W + ", " + H + ", " +
                    std::to_string(bpp == 24 ? GL_RGB : GL_RGBA) + ", 5121)");
    }
    if (packed_rows) s.push_back("glPixelStorei(3317, 4)");
    return s;
}

using TgaSlots = TextureTest;

TEST_F(TgaSlots, LoadingMakesTheFixedCallSequenceAndKeepsTheImageDescriptionWithoutItsPixels) {
    const std::string path = file("a.tga", testsupport::make_tga(8, 2, 32, grey));
    gltrace::Scope trace;
    TEXTURELOADTGAID(path.c_str(), 200);
    const TGATEXTURE& t = TEXTURETGA2[200];
    ASSERT_NE(t.TEXID, 0u);
    EXPECT_EQ(recorded(), load_sequence(t.TEXID, 32, 8, 2, false, GL_LINEAR, false)) << gltrace::dump();
    EXPECT_EQ(t.IMAGEDATA, nullptr);
    EXPECT_EQ(t.WIDTH, 8u);
    EXPECT_EQ(t.HEIGHT, 2u);
    EXPECT_EQ(t.BPP, 32u);
    EXPECT_EQ(t.TYP, uint32_t(GL_RGBA));
}

TEST_F(TgaSlots, RowsThatAreNotAMultipleOfFourBytesAreUploadedWithByteAlignment) {
    for (int w : {1, 3, 5, 6}) {
        const std::string path = file("b.tga", testsupport::make_tga(w, 3, 24, grey));
        gltrace::start();
        TEXTURELOADTGAID(path.c_str(), 0);
        EXPECT_EQ(recorded(), load_sequence(TEXTURETGA2[0].TEXID, 24, w, 3, true, GL_LINEAR, false)) << gltrace::dump();
    }
    const std::string path = file("c.tga", testsupport::make_tga(4, 3, 24, grey));
    gltrace::start();
    TEXTURELOADTGAID(path.c_str(), 0);
    EXPECT_EQ(recorded(), load_sequence(TEXTURETGA2[0].TEXID, 24, 4, 3, false, GL_LINEAR, false));
}

TEST_F(TgaSlots, MipmapsAreBuiltFromTheBitsPerPixelOnlyUnderAMipmappingFilter) {
    const std::string p24 = file("a.tga", testsupport::make_tga(4, 4, 24, grey));
    const std::string p32 = file("b.tga", testsupport::make_tga(4, 4, 32, grey));
    GL_MIN_FILTER = GL_LINEAR_MIPMAP_NEAREST;
    gltrace::start();
    TEXTURELOADTGAID(p24.c_str(), 1);
    EXPECT_EQ(recorded(), load_sequence(TEXTURETGA2[1].TEXID, 24, 4, 4, false, GL_MIN_FILTER, true));
    gltrace::start();
    TEXTURELOADTGAID(p32.c_str(), 2);
    EXPECT_EQ(recorded(), load_sequence(TEXTURETGA2[2].TEXID, 32, 4, 4, false, GL_MIN_FILTER, true));
    GL_MIN_FILTER = GL_NEAREST;
    gltrace::start();
    TEXTURELOADTGAID(p32.c_str(), 2);
    EXPECT_TRUE(gltrace::named("gluBuild2DMipmaps").empty());
}

TEST_F(TgaSlots, AMissingFileDoesNothingAtAll) {
    TEXTURETGA2[5].TEXID = 77;
    gltrace::Scope trace;
    TEXTURELOADTGAID(missing().c_str(), 5);
    TEXTURELOADTGAID(dir_.c_str(), 5);  // a folder is no file either
    EXPECT_EQ(TEXTURETGA2[5].TEXID, 77u);
    EXPECT_TRUE(gltrace::calls().empty());
    EXPECT_TRUE(win32::testing::RecordedBoxes().empty());
    TEXTURETGASELECTID(6);
    EXPECT_EQ(recorded(), std::vector<std::string>{"glBindTexture(3553, 0)"});
}

TEST_F(TgaSlots, AFailedReloadKeepsTheOldTextureButNotTheOldDescription) {
    const std::string good = file("good.tga", testsupport::make_tga(4, 4, 32, grey));
    TEXTURELOADTGAID(good.c_str(), 9);
    const uint32_t name = TEXTURETGA2[9].TEXID;
    ASSERT_NE(name, 0u);
    Bytes bad = testsupport::make_tga(6, 2, 24, grey);
    bad.pop_back();
    const std::string bad_path = file("bad.tga", bad);
    gltrace::Scope trace;
    TEXTURELOADTGAID(bad_path.c_str(), 9);
    EXPECT_TRUE(gltrace::calls().empty());
    EXPECT_EQ(TEXTURETGA2[9].TEXID, name);
    EXPECT_EQ(TEXTURETGA2[9].WIDTH, 6u);
    EXPECT_EQ(TEXTURETGA2[9].BPP, 24u);
    EXPECT_EQ(TEXTURETGA2[9].TYP, uint32_t(GL_RGB));
    EXPECT_EQ(TEXTURETGA2[9].IMAGEDATA, nullptr);
    ASSERT_EQ(win32::testing::RecordedBoxes().size(), 1u);
    EXPECT_EQ(win32::testing::RecordedBoxes()[0].text, "Could not read image data");
    gltrace::start();
    TEXTURETGASELECTID(9);
    EXPECT_EQ(recorded(), std::vector<std::string>{"glBindTexture(3553, " + std::to_string(name) + ")"});
}

using TgaSlotsDeathTest = TextureTest;

TEST_F(TgaSlotsDeathTest, ASlotOutsideTheTableStopsTheProgramWithARangeError) {
    const std::string path = file("a.tga", testsupport::make_tga(2, 2, 24, grey));
    EXPECT_EXIT((print_boxes_at_exit(), TEXTURELOADTGAID(path.c_str(), 250)), ::testing::ExitedWithCode(1),
                "TGA texture slot 250 is outside 0\\.\\.200\\s+box \\[Error\\] TGA texture slot 250 is outside");
    EXPECT_EXIT(TEXTURELOADTGAID(missing().c_str(), -1), ::testing::ExitedWithCode(1),
                "TGA texture slot -1 is outside 0\\.\\.200");
    EXPECT_EXIT(TEXTURETGASELECTID(201), ::testing::ExitedWithCode(1), "TGA texture slot 201 is outside 0\\.\\.200");
}

}  // namespace
