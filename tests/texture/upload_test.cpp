// Uploads on a real context, read back texel by texel.
#include "tests/support/window.h"
#include "tests/texture/texture_fixture.h"

using namespace corvala;
using namespace texturetest;

namespace {

Rgba colour(int x, int y) {
    return {uint8_t(200 - 9 * x), uint8_t(30 + 50 * y), uint8_t(5 + 17 * x + y), uint8_t(90 + x)};
}
Rgba pure_red(int, int) { return {255, 0, 0, 77}; }

class Upload : public TextureTest {
protected:
    void SetUp() override {
        TextureTest::SetUp();
        testsupport::EnsureWindow();
        ASSERT_TRUE(gltrace::context_current());
    }
    // Level `level` of the bound texture as R, G, B, A rows, first row first.
    std::vector<Rgba> texels(int level, int& w, int& h) {
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &w);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &h);
        std::vector<Rgba> out(size_t(w) * size_t(h));
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, out.data());
        return out;
    }
    int level_width(int level) {
        GLint w = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &w);
        return w;
    }
    // Compares a texture with the picture; `first_row_is_top` says whether GL's first row is y = 0.
    void expect_picture(int w, int h, bool first_row_is_top, bool alpha, Rgba (*pixel)(int, int)) {
        int tw = 0, th = 0;
        const std::vector<Rgba> t = texels(0, tw, th);
        ASSERT_EQ(tw, w);
        ASSERT_EQ(th, h);
        for (int row = 0; row < h; ++row) {
            for (int x = 0; x < w; ++x) {
                const Rgba want = pixel(x, first_row_is_top ? row : h - 1 - row);
                const Rgba got = t[size_t(row * w + x)];
                ASSERT_EQ(got.r, want.r) << x << "," << row;
                ASSERT_EQ(got.g, want.g) << x << "," << row;
                ASSERT_EQ(got.b, want.b) << x << "," << row;
                ASSERT_EQ(got.a, alpha ? want.a : 255) << x << "," << row;
            }
        }
    }
    void expect_wraps_repeat() {
        GLint s = 0, t = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &s);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &t);
        EXPECT_EQ(s, GL_REPEAT);
        EXPECT_EQ(t, GL_REPEAT);
    }
};

TEST_F(Upload, BmpPicturesKeepRedAndBlueInPlaceAtEveryRowWidth) {
    for (int w : {1, 3, 5, 256}) {
        for (int header : {40, 124}) {
            SCOPED_TRACE("width " + std::to_string(w) + ", header " + std::to_string(header));
            TEXTURELOADID(file("p.bmp", testsupport::make_bmp(w, 3, 24, header, colour)).c_str(), 0);
            TEXTURESELECTID(0);
            expect_picture(w, 3, false, false, colour);
            expect_wraps_repeat();
        }
    }
}

TEST_F(Upload, ThirtyTwoBitBmpKeepsAlpha) {
    for (int header : {40, 124}) {
        TEXTURELOADID(file("p.bmp", testsupport::make_bmp(5, 2, 32, header, colour)).c_str(), 1);
        TEXTURESELECTID(1);
        expect_picture(5, 2, false, true, colour);
    }
}

TEST_F(Upload, ThirtyTwoBitBmpWithAZeroFourthByteUploadsAsTransparent) {
    const auto clear = [](int x, int y) { return Rgba{uint8_t(40 * x), uint8_t(60 * y), 7, 0}; };
    TEXTURELOADID(file("p.bmp", testsupport::make_bmp(4, 2, 32, 40, clear)).c_str(), 1);
    int w = 0, h = 0;
    for (const Rgba& t : texels(0, w, h)) EXPECT_EQ(t.a, 0);
    EXPECT_EQ(w * h, 8);
}

TEST_F(Upload, LargeTwentyFourBitBmpShowsRedAsRed) {
    TEXTURELOADID(file("p.bmp", testsupport::make_bmp(256, 256, 24, 40, pure_red)).c_str(), 0);
    EXPECT_NE(TEXTUREID2[0], 0u);
    GLboolean on = GL_FALSE;
    glGetBooleanv(GL_TEXTURE_2D, &on);
    EXPECT_TRUE(on);
    expect_picture(256, 256, false, false, pure_red);
}

TEST_F(Upload, PaletteBmpGivesATextureWithoutAnImage) {
    TEXTURELOADID(file("p.bmp", testsupport::make_bmp8(4, 4)).c_str(), 2);
    TEXTURESELECTID(2);
    EXPECT_NE(TEXTUREID2[2], 0u);
    EXPECT_EQ(level_width(0), 0);
}

TEST_F(Upload, TgaPicturesKeepRedAndBlueInPlaceAndThirtyTwoBitsKeepAlpha) {
    for (int w : {1, 3, 5, 8}) {
        for (int bpp : {24, 32}) {
            SCOPED_TRACE("width " + std::to_string(w) + ", bpp " + std::to_string(bpp));
            TEXTURELOADTGAID(file("p.tga", testsupport::make_tga(w, 3, bpp, colour)).c_str(), 4);
            TEXTURETGASELECTID(4);
            expect_picture(w, 3, true, bpp == 32, colour);
            expect_wraps_repeat();
        }
    }
}

TEST_F(Upload, RunLengthTgaUploadsTheSamePicture) {
    Bytes f = testsupport::tga_header(10, 3, 2, 32);
    f.push_back(5);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) testsupport::put_pixel(f, colour(x, y), 32);
    TEXTURELOADTGAID(file("r.tga", f).c_str(), 5);
    TEXTURETGASELECTID(5);
    expect_picture(3, 2, true, true, colour);
}

TEST_F(Upload, MipmapChainExistsOnlyUnderAMipmappingFilterAndKeepsColours) {
    const std::string bmp24 = file("a.bmp", testsupport::make_bmp(8, 8, 24, 40, pure_red));
    const std::string bmp32 = file("b.bmp", testsupport::make_bmp(8, 8, 32, 40, pure_red));
    const std::string tga24 = file("c.tga", testsupport::make_tga(8, 8, 24, pure_red));
    const std::string tga32 = file("d.tga", testsupport::make_tga(8, 8, 32, pure_red));
    for (bool mipmapping : {false, true}) {
        GL_MIN_FILTER = mipmapping ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR;
        for (int i = 0; i < 4; ++i) {
            SCOPED_TRACE("file " + std::to_string(i) + (mipmapping ? " with mipmaps" : ""));
            if (i == 0) TEXTURELOADID(bmp24.c_str(), 0);
            if (i == 1) TEXTURELOADID(bmp32.c_str(), 0);
            if (i == 2) TEXTURELOADTGAID(tga24.c_str(), 0);
            if (i == 3) TEXTURELOADTGAID(tga32.c_str(), 0);
            EXPECT_EQ(level_width(1), mipmapping ? 4 : 0);
            if (!mipmapping) continue;
            int w = 0, h = 0;
            const Rgba t = texels(1, w, h)[0];
            EXPECT_EQ(t.r, 255);
            EXPECT_EQ(t.b, 0);
            EXPECT_EQ(t.a, i == 1 || i == 3 ? 77 : 255);
        }
    }
}

}  // namespace
