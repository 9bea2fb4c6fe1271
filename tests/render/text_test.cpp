#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "corvala/render/CRVL_Text.h"
#include "platform/gl/gl.h"
#include "platform/host/host.h"
#include "tests/render/trace_helpers.h"
#include "tests/support/temp_dir.h"

using namespace corvala;
using rendertest::C;
using rendertest::Seq;
using rendertest::Trace;

namespace {

// The quad of one cell: texture coordinate, vertex, four times, counter-clockwise from bottom-left.
Seq CellQuad(double x, double y, double s0, double s1, double t0, double t1, double sx, double sy) {
    return Seq{C("glPushMatrix"),
               C("glTranslatef", {x, y, 0}),
               C("glBegin", {GL_QUADS}),
               C("glTexCoord2f", {s0, t0}),
               C("glVertex3f", {-sx, -sy, 0}),
               C("glTexCoord2f", {s1, t0}),
               C("glVertex3f", {sx, -sy, 0}),
               C("glTexCoord2f", {s1, t1}),
               C("glVertex3f", {sx, sy, 0}),
               C("glTexCoord2f", {s0, t1}),
               C("glVertex3f", {-sx, sy, 0}),
               C("glEnd"),
               C("glPopMatrix")};
}

TEST(Text, CapitalADrawsColumnOneOfTheThirdRowFromTheTop) {
    const Seq got = Trace([] { DRAWCHAR(3, -2, 'A'); });
    EXPECT_EQ(got, CellQuad(3, -2, 65.0 / 32, 66.0 / 32, 0.25, 0.5, 4, 8));
}

TEST(Text, EachPrintableRangeComesFromItsRowOfTheGrid) {
    struct Case {
        char c;
        double t0, t1;
    };
    for (const Case& k : {Case{'!', 0.5, 0.75}, Case{'?', 0.5, 0.75}, Case{'@', 0.25, 0.5}, Case{'_', 0.25, 0.5},
                          Case{'`', 0.0, 0.25}, Case{'~', 0.0, 0.25}}) {
        const int code = static_cast<unsigned char>(k.c);
        EXPECT_EQ(Trace([&] { DRAWCHAR(0, 0, k.c); }), CellQuad(0, 0, code / 32.0, (code + 1) / 32.0, k.t0, k.t1, 4, 8))
            << k.c;
    }
}

TEST(Text, SpacesControlCodesAndCodesFrom127DrawNothing) {
    for (int code : {0, 1, 9, 31, 32, 127, 128, 200, 232, 255}) {
        EXPECT_TRUE(Trace([&] { DRAWCHAR(0, 0, char(code)); }).empty()) << code;
    }
}

TEST(Text, FindcharacterCutsAnyGridAndTakesFractionalCells) {
    // 4 cells across, 2 down; cell (2.5, 1) spans s 0.625..0.875 and the lower half of t.
    const Seq got = Trace([] { FINDCHARACTER(1, 2, 2.5f, 1, 0.5f, 0.25f, 4, 2); });
    EXPECT_EQ(got, CellQuad(1, 2, 0.625, 0.875, 0.0, 0.5, 0.5, 0.25));
}

TEST(Text, AddfontstringSetsUpSpriteStateScalesAndRestoresLighting) {
    const Seq got = Trace([] { ADDFONTSTRING(-180, 100, 0.01f, 1, "A"); });
    Seq expected{C("glDisable", {GL_LIGHTING}), C("glEnable", {GL_ALPHA_TEST}), C("glAlphaFunc", {GL_GREATER, 0.4f}),
                 C("glPushMatrix"), C("glScalef", {0.01f, 0.01f, 0.01f})};
    for (const std::string& s : CellQuad(-180, 100, 65.0 / 32, 66.0 / 32, 0.25, 0.5, 4, 8)) expected.push_back(s);
    for (const std::string& s : Seq{C("glPopMatrix"), C("glDepthMask", {GL_TRUE}), C("glDisable", {GL_BLEND}),
                                    C("glDisable", {GL_ALPHA_TEST}), C("glEnable", {GL_LIGHTING})})
        expected.push_back(s);
    EXPECT_EQ(got, expected);
}

TEST(Text, EmptyStringStillSwitchesTheRenderState) {
    const Seq got = Trace([] { ADDFONTSTRING(0, 0, 1, 1, ""); });
    EXPECT_EQ(got,
              (Seq{C("glDisable", {GL_LIGHTING}), C("glEnable", {GL_ALPHA_TEST}), C("glAlphaFunc", {GL_GREATER, 0.4f}),
                   C("glPushMatrix"), C("glScalef", {1, 1, 1}), C("glPopMatrix"), C("glDepthMask", {GL_TRUE}),
                   C("glDisable", {GL_BLEND}), C("glDisable", {GL_ALPHA_TEST}), C("glEnable", {GL_LIGHTING})}));
}

TEST(Text, EveryCharacterAdvancesByEightTimesDistGlyphOrNot) {
    // Glyphs at positions 1, 3 and 5; a space, code 127 and a Windows-1252 e-grave in between.
    gltrace::Scope scope;
    ADDFONTSTRING(10, 5, 2, 1.5f, std::string("A ") + "B\x7f" + "C\xe8");
    const auto moves = gltrace::named("glTranslatef");
    ASSERT_EQ(moves.size(), 3u);
    // Character i (from 1) sits at X - 8 + 8 i DIST, before the scale.
    EXPECT_EQ(moves[0].args, (std::vector<double>{10 - 8 + 8 * 1 * 1.5, 5, 0}));
    EXPECT_EQ(moves[1].args, (std::vector<double>{10 - 8 + 8 * 3 * 1.5, 5, 0}));
    EXPECT_EQ(moves[2].args, (std::vector<double>{10 - 8 + 8 * 5 * 1.5, 5, 0}));
}

TEST(FontLookup, BesideTheProgramThenInItsDataFolderThenWhereTheSdkPutIt) {
    EXPECT_EQ(font_candidates("/opt/app/bin", "app", "/sdk/share/corvala/font.tga"),
              (std::vector<std::string>{"/opt/app/bin/font.tga", "/opt/app/bin/../share/app/font.tga",
                                        "/opt/app/bin/../../share/app/font.tga", "/sdk/share/corvala/font.tga"}));
    EXPECT_EQ(font_candidates("", "app", nullptr), std::vector<std::string>{});
}

TEST(FontLookup, AFontNowhereIsToldInOneLineAndOneThereSilently) {
    const testsupport::TempDir dir;
    const std::string gone = dir.file("font.tga");
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(std::string(FindFont(gone.c_str())), gone);
    const std::string told = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), 1) << told;
    EXPECT_NE(told.find(host::ExecutableFolder() + "/font.tga, "), std::string::npos) << told;
    EXPECT_NE(told.find(gone + "): text shows as blocks\n"), std::string::npos) << told;

    dir.write("font.tga", std::string("any bytes"));
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(std::string(FindFont(gone.c_str())), gone);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

}  // namespace
