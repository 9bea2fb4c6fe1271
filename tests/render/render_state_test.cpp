#include <gtest/gtest.h>

#include <functional>

#include "corvala/render/CRVL_Render.h"
#include "corvala/render/CRVL_Vector.h"
#include "corvala/window/CRVL_Window.h"
#include "platform/gl/gl.h"
#include "tests/render/trace_helpers.h"

using namespace corvala;
using rendertest::C;
using rendertest::Seq;
using rendertest::Trace;

namespace {

// The projections read the window size; each test sets its own and gives the window's back.
class RenderState : public ::testing::Test {
protected:
    void SetUp() override {
        saved_w_ = WIDTH;
        saved_h_ = HEIGHT;
    }
    void TearDown() override {
        WIDTH = saved_w_;
        HEIGHT = saved_h_;
        GLVERT3FREMOVE = false;
    }

private:
    int32_t saved_w_ = 0, saved_h_ = 0;
};

TEST_F(RenderState, OpenglInitSetsPerspectiveAndDefaultStateInOrder) {
    WIDTH = 800;
    HEIGHT = 600;
    const Seq got = Trace([] { OPENGL_INIT(100, 0.5, 0.25, 0.75, 1.0); });
    EXPECT_EQ(got, (Seq{
                       C("glClearColor", {0.25, 0.75, 1.0, 0.5}),
                       C("glViewport", {0, 0, 800, 600}),
                       C("glMatrixMode", {GL_PROJECTION}),
                       C("glLoadIdentity"),
                       C("gluPerspective", {45.0, 800.0 / 600.0, 0.1, 100.0}),
                       C("glMatrixMode", {GL_MODELVIEW}),
                       C("glLoadIdentity"),
                       C("glClearDepth", {100.0}),
                       C("glEnable", {GL_DEPTH_TEST}),
                       C("glDepthFunc", {GL_LEQUAL}),
                       C("glColor4f", {1.0, 1.0, 1.0, 0.5}),
                       C("glBlendFunc", {GL_SRC_ALPHA, GL_ONE}),
                       C("glLightModeli", {GL_LIGHT_MODEL_LOCAL_VIEWER, 1}),
                       C("glHint", {GL_LINE_SMOOTH_HINT, GL_NICEST}),
                       C("glHint", {GL_POLYGON_SMOOTH_HINT, GL_NICEST}),
                       C("glHint", {GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST}),
                       C("glEnable", {GL_AUTO_NORMAL}),
                       C("glEnable", {GL_NORMALIZE}),
                   }));
}

TEST_F(RenderState, OpenglInitAspectIsAFloatingPointDivisionAndColoursAreNarrowed) {
    WIDTH = 1000;
    HEIGHT = 3000;  // an integer division would give 0
    gltrace::Scope scope;
    OPENGL_INIT(2.5, 0.1, 0.2, 0.3, 0.4);
    const auto persp = gltrace::named("gluPerspective");
    ASSERT_EQ(persp.size(), 1u);
    EXPECT_DOUBLE_EQ(persp[0].args[1], 1.0 / 3.0);
    EXPECT_EQ(persp[0].args[3], 2.5);
    const auto clear = gltrace::named("glClearColor");
    ASSERT_EQ(clear.size(), 1u);
    EXPECT_EQ(clear[0].args, (std::vector<double>{0.2f, 0.3f, 0.4f, 0.1f}));
    EXPECT_EQ(gltrace::named("glClearDepth")[0].args[0], 2.5);  // a double: GL clamps it, not us
}

TEST_F(RenderState, OpenglI2dSetsAnOverlayFourUnitsWideKeepingTheAspect) {
    WIDTH = 800;
    HEIGHT = 600;
    const Seq got = Trace([] { OPENGL_I2D(1.0, 0.5, 0.25, 0.125); });
    EXPECT_EQ(got, (Seq{
                       C("glClearColor", {0.5, 0.25, 0.125, 1.0}),
                       C("glViewport", {0, 0, 800, 600}),
                       C("glMatrixMode", {GL_PROJECTION}),
                       C("glLoadIdentity"),
                       C("glOrtho", {-2.0, 2.0, -1.5, 1.5, -2.0, 2.0}),
                       C("glMatrixMode", {GL_MODELVIEW}),
                       C("glLoadIdentity"),
                       C("glEnable", {GL_DEPTH_TEST}),
                       C("glDepthFunc", {GL_LEQUAL}),
                       C("glEnable", {GL_NORMALIZE}),
                   }));

    WIDTH = 1000;
    HEIGHT = 300;  // 2 * 300 / 1000 is 0 in integers
    gltrace::Scope scope;
    OPENGL_I2D(0, 0, 0, 0);
    const auto ortho = gltrace::named("glOrtho");
    ASSERT_EQ(ortho.size(), 1u);
    EXPECT_DOUBLE_EQ(ortho[0].args[2], -0.6);
    EXPECT_DOUBLE_EQ(ortho[0].args[3], 0.6);
}

TEST_F(RenderState, EverySwitchIsItsFixedCallSequence) {
    struct Case {
        const char* name;
        std::function<void()> fn;
        Seq expected;
    };
    const Case cases[] = {
        {"TWOSIDEON", TWOSIDEON, {C("glLightModeli", {GL_LIGHT_MODEL_TWO_SIDE, 1})}},
        {"TWOSIDEOFF", TWOSIDEOFF, {C("glLightModeli", {GL_LIGHT_MODEL_TWO_SIDE, 0})}},
        {"LIGHTINGON", LIGHTINGON, {C("glEnable", {GL_LIGHTING})}},
        {"LIGHTINGOFF", LIGHTINGOFF, {C("glDisable", {GL_LIGHTING})}},
        {"SETGLREFRACTIVE",
         SETGLREFRACTIVE,
         {C("glEnable", {GL_CULL_FACE}), C("glCullFace", {GL_BACK}), C("glFrontFace", {GL_CCW})}},
        {"TRANSPARENTON", TRANSPARENTON, {C("glEnable", {GL_BLEND})}},
        {"TRANSPARENTOFF", TRANSPARENTOFF, {C("glDisable", {GL_BLEND})}},
        {"SETGLSPRITE(true)",
         [] { SETGLSPRITE(true); },
         {C("glBlendFunc", {GL_ONE, GL_ONE}), C("glEnable", {GL_BLEND}), C("glDepthMask", {GL_FALSE})}},
        {"SETGLSPRITE(false)", [] { SETGLSPRITE(false); }, {C("glEnable", {GL_BLEND}), C("glDepthMask", {GL_FALSE})}},
        {"SETGLSPRITE()",
         [] { SETGLSPRITE(); },
         {C("glEnable", {GL_ALPHA_TEST}), C("glAlphaFunc", {GL_GREATER, 0.4f})}},
        {"SETGLSPRITEOFF",
         SETGLSPRITEOFF,
         {C("glDepthMask", {GL_TRUE}), C("glDisable", {GL_BLEND}), C("glDisable", {GL_ALPHA_TEST})}},
        {"SETGLFILL", SETGLFILL, {C("glPolygonMode", {GL_BACK, GL_FILL}), C("glPolygonMode", {GL_FRONT, GL_FILL})}},
        {"SETGLLINE(2.5)",
         [] { SETGLLINE(2.5f); },
         {C("glLineWidth", {2.5}), C("glPolygonMode", {GL_BACK, GL_LINE}), C("glPolygonMode", {GL_FRONT, GL_LINE})}},
    };
    for (const Case& c : cases) EXPECT_EQ(Trace(c.fn), c.expected) << c.name;
}

TEST_F(RenderState, PointLightWithoutSizeOnlyMovesTheLight) {
    const Seq got = Trace([] { PUTGLPOINTLIGHT(GL_LIGHT2, 0.0f, 1, 2, 3, 0.1f); });
    EXPECT_EQ(got, (Seq{C("glLightfv", {GL_LIGHT2, GL_POSITION, 1, 2, 3, 0.1f})}));
    EXPECT_EQ(LIGHTPOSITION[0], 1.0f);
    EXPECT_EQ(LIGHTPOSITION[3], 0.1f);
}

TEST_F(RenderState, PointLightWithSizeDrawsOneMarkerPointAtTheLight) {
    const Seq got = Trace([] { PUTGLPOINTLIGHT(GL_LIGHT0, 5.0f, -1, 4, 2.5f, 0.0f); });
    EXPECT_EQ(got,
              (Seq{C("glLightfv", {GL_LIGHT0, GL_POSITION, -1, 4, 2.5, 0}), C("glPointSize", {5}),
                   C("glBegin", {GL_POINTS}), C("glNormal3f", {0, 0, 1}), C("glVertex3f", {-1, 4, 2.5}), C("glEnd")}));
}

TEST_F(RenderState, PointLightMarkerObeysTheVertexSuppressionSwitch) {
    GLVERT3FREMOVE = true;
    const Seq got = Trace([] { PUTGLPOINTLIGHT(GL_LIGHT1, 3.0f, 7, 8, 9, 1); });
    EXPECT_EQ(got, (Seq{C("glLightfv", {GL_LIGHT1, GL_POSITION, 7, 8, 9, 1}), C("glPointSize", {3}),
                        C("glNormal3f", {0, 0, 1})}));
}

TEST_F(RenderState, SetgllightSwitchesLightOnWithTheColourTablesAndPlacesIt) {
    const Seq got = Trace([] { SETGLLIGHT(GL_LIGHT0, 0, 0, 0, 0.1f); });
    EXPECT_EQ(got, (Seq{C("glEnable", {GL_LIGHTING}), C("glLightfv", {GL_LIGHT0, GL_AMBIENT, 0.5, 0.5, 0.5, 1}),
                        C("glLightfv", {GL_LIGHT0, GL_DIFFUSE, 1, 1, 1, 1}),
                        C("glLightfv", {GL_LIGHT0, GL_SPECULAR, 1, 1, 1, 1}), C("glEnable", {GL_LIGHT0}),
                        C("glLightfv", {GL_LIGHT0, GL_POSITION, 0, 0, 0, 0.1f})}));
}

TEST_F(RenderState, SetgllightReadsTheColourTablesAtEachCallAndTheLastPositionWins) {
    const float saved = DIFFUSELIGHT[1];
    DIFFUSELIGHT[1] = 0.25f;
    gltrace::Scope scope;
    SETGLLIGHT(GL_LIGHT3, 1, 2, 3, 0);
    SETGLLIGHT(GL_LIGHT3, 4, 5, 6, 1);
    DIFFUSELIGHT[1] = saved;
    EXPECT_EQ(gltrace::named("glLightfv")[1].args, (std::vector<double>{GL_LIGHT3, GL_DIFFUSE, 1, 0.25, 1, 1}));
    EXPECT_EQ(LIGHTPOSITION[0], 4.0f);
    EXPECT_EQ(LIGHTPOSITION[1], 5.0f);
    EXPECT_EQ(LIGHTPOSITION[2], 6.0f);
    EXPECT_EQ(LIGHTPOSITION[3], 1.0f);
}

}  // namespace
