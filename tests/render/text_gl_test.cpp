// Text drawn with a font texture made here, read back from the window's pixels.
#include <gtest/gtest.h>

#include <vector>

#include "corvala/render/CRVL_Render.h"
#include "corvala/render/CRVL_Text.h"
#include "platform/gl/gl.h"
#include "tests/render/gl_helpers.h"
#include "tests/support/window.h"

using namespace corvala;
using testsupport::ReadPixel;

namespace {

constexpr int kCellW = 8, kCellH = 16, kTexW = 32 * kCellW, kTexH = 4 * kCellH;

// A 32 x 4 grid, transparent except three cells of the third row from the top (t 0.25..0.5):
// 'A' opaque, red in its upper half and green in its lower half; 'B' white at alpha 0.3;
// 'C' blue at alpha 0.5. Row 0 of the data is t = 0, the bottom of the picture.
GLuint MakeFont() {
    std::vector<unsigned char> rgba(size_t(kTexW) * kTexH * 4, 0);
    auto fill = [&](int code, int row0, int row1, unsigned char r, unsigned char g, unsigned char b, unsigned char a) {
        const int col = code % 32;
        for (int y = row0; y < row1; ++y)
            for (int x = col * kCellW; x < (col + 1) * kCellW; ++x) {
                unsigned char* p = &rgba[(size_t(y) * kTexW + x) * 4];
                p[0] = r, p[1] = g, p[2] = b, p[3] = a;
            }
    };
    const int lo = 1 * kCellH, mid = lo + kCellH / 2, hi = 2 * kCellH;  // data rows of t 0.25..0.5
    fill('A', lo, mid, 0, 255, 0, 255);
    fill('A', mid, hi, 255, 0, 0, 255);
    fill('B', lo, hi, 255, 255, 255, 77);
    fill('C', lo, hi, 0, 0, 255, 128);
    GLuint tex = 0;
    glGenTextures(1, &tex);
    glBindTexture(GL_TEXTURE_2D, tex);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, kTexW, kTexH, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return tex;
}

TEST(TextGl, GlyphsLandWhereTheInfoTextPutsThemAndFaintTexelsAreCutAway) {
    rendertest::FreshScene();
    const GLuint tex = MakeFont();
    OPENGL_I2D(0, 0, 0, 0);
    glEnable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
    ADDFONTSTRING(-180, 100, 0.01f, 1, "A BC");
    // Overlay: 200 pixels a unit from (-2, -1.5). Glyph i is centred at x = -1.8 + 0.08 (i - 1), y = 1.0,
    // 16 x 32 pixels: 'A' over x 32..48, y 484..516; space 48..64; 'B' 64..80; 'C' 80..96.
    EXPECT_EQ(ReadPixel(40, 508), 0xFF0000u);  // the picture's top is the texture's high t
    EXPECT_EQ(ReadPixel(40, 492), 0x00FF00u);
    EXPECT_EQ(ReadPixel(33, 485), 0x00FF00u);
    EXPECT_EQ(ReadPixel(47, 515), 0xFF0000u);
    EXPECT_EQ(ReadPixel(30, 500), 0x000000u);
    EXPECT_EQ(ReadPixel(40, 518), 0x000000u);
    EXPECT_EQ(ReadPixel(40, 482), 0x000000u);
    EXPECT_EQ(ReadPixel(56, 500), 0x000000u);  // the space advances and draws nothing
    EXPECT_EQ(ReadPixel(72, 500), 0x000000u);  // alpha 0.3 fails the test
    EXPECT_EQ(ReadPixel(88, 500), 0x0000FFu);  // alpha 0.5 passes, unblended
    // Lighting on, sprite state off afterwards.
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));

    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glDeleteTextures(1, &tex);
    OPENGL_INIT(100, 0, 0, 0, 0);
}

TEST(TextGl, TheCurrentColoursAlphaTakesPartInTheAlphaTest) {
    rendertest::FreshScene();
    const GLuint tex = MakeFont();
    OPENGL_I2D(0, 0, 0, 0);
    glEnable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 0.5f);  // what OPENGL_INIT leaves: 'A' at 1 x 0.5 passes, 'C' at 0.5 x 0.5 does not
    ADDFONTSTRING(-180, 100, 0.01f, 1, "A BC");
    EXPECT_EQ(ReadPixel(40, 508), 0xFF0000u);
    EXPECT_EQ(ReadPixel(88, 500), 0x000000u);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColor4f(1, 1, 1, 0.35f);
    ADDFONTSTRING(-180, 100, 0.01f, 1, "A BC");
    EXPECT_EQ(ReadPixel(40, 508), 0x000000u);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glDeleteTextures(1, &tex);
    OPENGL_INIT(100, 0, 0, 0, 0);
}

}  // namespace
