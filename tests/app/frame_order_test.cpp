// The frame's drawing order, seen through the GL call tracer: the landmarks of each step must come in order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Scene.h"
#include "app/State.h"
#include "corvala/Corvala.h"
#include "platform/gl/gl.h"
#include "platform/gl/tracer/gltrace.h"
#include "tests/app/scene_support.h"

using namespace corvala;
using namespace wobblefin;

namespace {

// Whether `want` appears in `calls` as a subsequence, and the first landmark that did not.
std::string missing_landmark(const std::vector<std::string>& calls, const std::vector<std::string>& want) {
    size_t at = 0;
    for (const std::string& w : want) {
        while (at < calls.size() && calls[at] != w) ++at;
        if (at == calls.size()) return w;
        ++at;
    }
    return "";
}

std::vector<std::string> traced_frame() {
    gltrace::start();
    OPENGL_DRAW();
    gltrace::stop();
    std::vector<std::string> out;
    for (const auto& c : gltrace::calls()) out.push_back(gltrace::format(c));
    return out;
}

std::string num(int v) { return std::to_string(v); }

TEST(FrameOrder, TheStepsOfAFrameComeInTheirOrder) {
    scene::EnsureStarted();
    scene::Reset();
    CHECK[0] = true;  // a shake, so the effect step shows
    SETINFO = true;
    const auto calls = traced_frame();
    CHECK[0] = false;
    SETINFO = false;
    const std::string skin = num(int(TEXTURETGA2[0].TEXID)), glass = num(int(TEXTURETGA2[10].TEXID)),
                      font = num(int(TEXTURETGA2[11].TEXID)), water = num(int(TEXTUREID2[0]));
    const std::vector<std::string> landmarks = {
        "glClear(" + num(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT) + ")",
        "glLoadIdentity()",
        "glOrtho(-2, 2, -1.5, 1.5, -2, 2)",  // the overlay
        "glBindTexture(" + num(GL_TEXTURE_2D) + ", " + font + ")",
        "glColor3f(0.600000024, 0.600000024, 0.600000024)",
        "glAlphaFunc(" + num(GL_GREATER) + ", 0.400000006)",  // the text
        "gluPerspective(45, 1.33333333, 0.1, 100)",           // back to the scene
        "glTranslatef(0, -1, -30)",                           // camera
        "glLightfv(" + num(GL_LIGHT0) + ", " + num(GL_POSITION) + ", 0, 5, 10, 0.100000001)",
        "glDisable(" + num(GL_LIGHTING) + ")",
        "glTranslatef(12.75, 11, 0)",            // first button
        "glTranslatef(-15, 11, 0)",              // info button, last
        "glRenderMode(" + num(GL_SELECT) + ")",  // the buttons' picks
        "glEnable(" + num(GL_LIGHTING) + ")",
        "glRotatef(25, 0, -1, 0)",  // aquarium turn
        "glBindTexture(" + num(GL_TEXTURE_2D) + ", " + skin + ")",
        "glPushMatrix()",
        "glScalef(0.300000012, 0.300000012, 0.300000012)",  // the fish
        "glRotatef(90, 0, -1, 0)",
        "glRotatef(90, -1, 0, 0)",
        "glCullFace(" + num(GL_FRONT) + ")",
        "glCullFace(" + num(GL_BACK) + ")",
        "glTranslatef(0, 0, 3.5)",               // nose region
        "glRenderMode(" + num(GL_SELECT) + ")",  // the fish's picks
        "glDepthMask(0)",                        // glass
        "glEnable(" + num(GL_BLEND) + ")",
        "glBindTexture(" + num(GL_TEXTURE_2D) + ", " + glass + ")",
        "glBindTexture(" + num(GL_TEXTURE_2D) + ", " + water + ")",
        "glColor3f(0.5, 0.5, 0.5)",
        "glDisable(" + num(GL_BLEND) + ")",
        "glDepthMask(1)",
        "glPolygonMode(" + num(GL_FRONT) + ", " + num(GL_LINE) + ")",  // wire frame
        "glPolygonMode(" + num(GL_FRONT) + ", " + num(GL_FILL) + ")",
        "glEnable(" + num(GL_TEXTURE_2D) + ")",
        "glEnable(" + num(GL_CULL_FACE) + ")",
    };
    EXPECT_EQ(missing_landmark(calls, landmarks), "");
    EXPECT_EQ(calls.back(), "glEnable(" + num(GL_CULL_FACE) + ")") << "the frame ends with culling back on";
}

TEST(FrameOrder, EffectsComeBeforeTheTiltAndTheSquashesAfterIt) {
    scene::EnsureStarted();
    scene::Reset();
    CHECK[3] = true;  // vortex, then tilt, then squash
    CHECK[4] = true;
    TIMER[2] = 0;
    I = 0;
    const auto calls = traced_frame();
    CHECK[3] = CHECK[4] = false;
    TIMER[2] = 120;
    const std::vector<std::string> landmarks = {
        "glRotatef(25, 0, -1, 0)",     "glRotatef(3, 0, -1, 0)",
        "glTranslatef(4, 0, 0)",       "glRotatef(0.5, 0, -1, 0)",
        "glRotatef(25, 1, 0, 0)",      "glRotatef(30, 1, 0, 0)",
        "glScalef(1, 0.600000024, 1)", "glScalef(0.300000012, 0.300000012, 0.300000012)"};
    EXPECT_EQ(missing_landmark(calls, landmarks), "");
}

}  // namespace
