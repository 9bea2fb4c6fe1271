// The fish drawn the program's way on a real context: what survives the model's front-face culling is its outside.
#include <gtest/gtest.h>

#include <cmath>

#include "corvala/model/CRVL_Model.h"
#include "corvala/render/CRVL_Render.h"
#include "corvala/texture/CRVL_TGA.h"
#include "corvala/texture/CRVL_Texture.h"
#include "corvala/window/CRVL_Window.h"
#include "platform/gl/gl.h"
#include "tests/assets/asset_files.h"
#include "tests/support/window.h"

using namespace assettest;

namespace {

struct Shot {
    std::vector<float> depth;
    std::vector<uint8_t> rgb;
};

Shot draw(corvala::TGLMD3MODEL& fish, bool culling, int kW, int kH) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glTranslatef(0, -1, -30);
    glRotatef(25, 0, -1, 0);
    glScalef(0.3f, 0.3f, 0.3f);
    glRotatef(90, 0, -1, 0);
    glRotatef(90, -1, 0, 0);
    if (culling) {
        glEnable(GL_CULL_FACE);
    } else {
        glDisable(GL_CULL_FACE);
    }
    corvala::TEXTURETGASELECTID(0);
    fish.PUTMODEL();
    glEnable(GL_CULL_FACE);
    Shot s;
    s.depth.resize(kW * kH);
    s.rgb.resize(kW * kH * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, kW, kH, GL_DEPTH_COMPONENT, GL_FLOAT, s.depth.data());
    glReadPixels(0, 0, kW, kH, GL_RGB, GL_UNSIGNED_BYTE, s.rgb.data());
    return s;
}

}  // namespace

TEST(FishRender, WithFrontFacesCulledTheNearSideOfAnOrangeFishIsWhatShows) {
    testsupport::EnsureWindow();
    if (!testsupport::CanReadDepth()) GTEST_SKIP() << "this GL reads no depth back";
    corvala::OPENGL_INIT(100, 0, 0, 0, 0);
    corvala::SETGLREFRACTIVE();
    corvala::SETGLLIGHT(GL_LIGHT0, 0, 0, 0, 0.1f);
    corvala::TEXTURELOADTGAID(run_path("modelli/PesceRosso.tga").c_str(), 0);
    static corvala::TGLMD3MODEL fish;
    fish.LOADMODEL(run_path("modelli/PesceRosso.md3"));
    ASSERT_FALSE(fish.MESHES.empty());
    fish.FRAME = fish.NEXTFRAME = 54;  // rest pose
    fish.POLL = 0;

    win32::RECT client{};  // the drawable of the 800 x 600 window, as the system sizes it
    win32::GetClientRect(corvala::HWINDOW, &client);
    const int kW = client.right, kH = client.bottom;
    const Shot all = draw(fish, false, kW, kH);
    const Shot culled = draw(fish, true, kW, kH);
    int covered = 0, same_depth = 0, orange = 0;
    for (int i = 0; i < kW * kH; ++i) {
        if (all.depth[i] >= 1.0f) continue;
        ++covered;
        if (std::fabs(culled.depth[i] - all.depth[i]) < 1e-5f) ++same_depth;
        const uint8_t* p = &culled.rgb[i * 3];
        if (p[0] > 90 && p[0] > p[2] + 50) ++orange;
    }
    ASSERT_GT(covered, 2000);  // the fish is on screen
    EXPECT_GT(same_depth, covered * 97 / 100);
    EXPECT_GT(orange, covered * 6 / 10);
}
