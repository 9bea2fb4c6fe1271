// Renders a fixed list of scenes through the framework's drawing routines and the toy's frame, and picks
// over grids of client pixels, so that two GL providers can be compared picture by picture and hit by hit.
//   gl_scenes OUTDIR    writes OUTDIR/<scene>.ppm (the back buffer before the swap) and OUTDIR/picks.txt
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/Scene.h"
#include "app/State.h"
#include "app/Wobblefin.h"
#include "corvala/Corvala.h"
#include "platform/gl/gl.h"
#include "platform/testing.h"
#include "tests/app/scene_support.h"
#include "tests/render/gl_helpers.h"

using namespace corvala;
using namespace wobblefin;
using namespace win32;  // the message numbers and GL constants are macros on Windows

namespace {

std::string g_out;
constexpr float kCamera = -12;  // the framework scenes' and the test shapes' distance from the eye

FILE* Open(const std::string& name, const char* mode) {
    FILE* f = std::fopen((g_out + "/" + name).c_str(), mode);
    if (!f) {
        std::fprintf(stderr, "gl_scenes: cannot write %s/%s\n", g_out.c_str(), name.c_str());
        std::exit(1);
    }
    return f;
}

// The drawable is the client area: the viewport's rows above it are not there to read.
void Capture(const std::string& name) {
    const int w = WIDTH, h = scene::ClientHeight();
    std::vector<unsigned char> rgb(size_t(w) * h * 3);
    glFinish();
    glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    FILE* f = Open(name + ".ppm", "wb");
    std::fprintf(f, "P6\n%d %d\n255\n", w, h);
    for (int y = h - 1; y >= 0; --y) std::fwrite(&rgb[size_t(y) * w * 3], 1, size_t(w) * 3, f);
    std::fclose(f);
}

// One framework scene: a known state, the drawing, the picture, the swap.
void Draw(const std::string& name, const std::function<void()>& draw) {
    rendertest::FreshScene();
    TWOSIDEOFF();
    glDisable(GL_COLOR_MATERIAL);
    glLineWidth(1);
    glPointSize(1);
    glTranslatef(0, 0, kCamera);
    draw();
    Capture(name);
    win32::SwapBuffers(DCWINDOW);
}

void Shapes() {
    CUBO(-4, 1.5f, 0, -1, -1, -1, 1, 1, 1, 1);
    SFERA(0, 1.5f, 0, 1.3f, 24, 16, 1);
    glPushMatrix();
    glRotatef(35, 1, 1, 0);
    CUBO(4, 0, 0, -1.2f, -0.8f, -1, 1.2f, 0.8f, 1, 2);
    glPopMatrix();
    GLBEGIN(GL_QUADS);
    glNormal3f(0, 0.97f, 0.24f);
    LINEFREE(0, 0, 1, 0, -3, -3.5f, 2, 3, -3.5f, 2, true);
    LINEFREE(1, 1, 0, 1, 3, -3, -2, -3, -3, -2, true);
    GLEND();
}

// A square facing the eye; QUAD lights both its faces, the plain one its front only.
void Panel(bool two_sided) {
    if (two_sided) return QUAD(-2, -2, 0, 2, -2, 0, -2, 2, 0, 2, 2, 0);
    GLBEGIN(GL_QUADS);
    glNormal3f(0, 0, 1);
    LINEFREE(0, 0, 1, 0, -2, -2, 0, 2, -2, 0, false);
    LINEFREE(1, 1, 0, 1, 2, 2, 0, -2, 2, 0, false);
    GLEND();
}

void Lit() {
    SETGLLIGHT(GL_LIGHT0, 2, 3, 4, 0);
    glEnable(GL_COLOR_MATERIAL);
}

void Textured(int slot) {
    TEXTUREON();
    TEXTURETGASELECTID(slot);
}

void FishAt(int frame, int next, double blend) {
    Lit();
    Textured(kSkinSlot);
    glTranslatef(0, 0, -6);
    glRotatef(25, 0, -1, 0);
    glScalef(0.3f, 0.3f, 0.3f);
    glRotatef(90, 0, -1, 0);
    glRotatef(90, -1, 0, 0);
    PESCEMDL.MODEL.PUTMODELINT(frame, next, blend);
}

void FrameworkScenes() {
    Draw("unlit", [] {
        glColor3f(0.9f, 0.5f, 0.2f);
        Shapes();
    });
    Draw("lit", [] {
        Lit();
        glColor3f(0.3f, 0.8f, 0.5f);
        Shapes();
    });
    Draw("lit_local_light", [] {
        SETGLLIGHT(GL_LIGHT0, 0, 0, 0, 1);
        SETGLREFRACTIVE();
        Shapes();
    });
    Draw("textured", [] {
        Textured(kSkinSlot);
        Shapes();
    });
    Draw("textured_lit", [] {
        Lit();
        TEXTUREON();
        TEXTURESELECTID(kWaterSlot);
        Shapes();
    });
    Draw("two_sided", [] {
        Lit();
        glColor3f(0.9f, 0.8f, 0.3f);
        for (int k = 0; k < 4; ++k) {  // fronts above, backs below
            glPushMatrix();
            glTranslatef(k % 2 ? 2.5f : -2.5f, k < 2 ? 2.2f : -2.2f, 0);
            glRotatef(k < 2 ? 30 : 150, 0, 1, 0);
            glScalef(0.5f, 0.5f, 0.5f);
            glDisable(GL_CULL_FACE);  // QUAD leaves culling on
            Panel(k % 2 == 1);
            glPopMatrix();
        }
    });
    Draw("wireframe", [] {
        SETGLLINE(1);
        Shapes();
        glTranslatef(0, 0, 2);
        SETGLLINE(3);
        glColor3f(0.2f, 0.6f, 1);
        SFERA(0, -2, 0, 1, 10, 8, 1);
        SETGLFILL();
    });
    Draw("sprites", [] {
        Textured(kGlassSlot);
        glColor4f(1, 1, 1, 0.6f);
        SETGLSPRITE(true);
        QUAD(-4, -3, 0, 2, -3, 0, -4, 3, 0, 2, 3, 0);
        QUAD(-2, -2, 1, 4, -2, 1, -2, 4, 1, 4, 4, 1);
        SETGLSPRITEOFF();
        SETGLSPRITE();
        for (int k = 1; k <= 4; ++k) {
            TEXTURETGASELECTID(k);
            const float x = -6.5f + 2.6f * float(k);
            QUAD(x - 1, -4, 2, x + 1, -4, 2, x - 1, -2, 2, x + 1, -2, 2);
        }
        SETGLSPRITEOFF();
        TRANSPARENTON();
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        TEXTUREOFF();
        glColor4f(0.2f, 0.4f, 1, 0.5f);
        CUBO(0, 0, 0, -3, -1, -0.5f, 3, 1, 0.5f, 1);
        TRANSPARENTOFF();
    });
    Draw("points_lines", [] {
        for (int k = 0; k < 6; ++k) {
            glColor3f(1, 0.2f * float(k), 0.5f);
            PUTGLPOINTLIGHT(GL_LIGHT1, float(1 + 2 * k), -5 + 2 * float(k), 2, 0, 1);
        }
        GLBEGIN(GL_LINES);
        for (int k = 0; k < 8; ++k)
            LINEFREE(0, 0, 0, 0, -6, -3 + 0.5f * float(k), 0, 6, -1 - 0.5f * float(k), -float(k), false);
        GLEND();
    });
    Draw("text", [] {
        Textured(kFontSlot);
        glColor3f(1, 1, 0.5f);
        ADDFONTSTRING(-88, 40, 0.05f, 1, "Corvala: 0123456789 !?");
        ADDFONTSTRING(-62, -17, 0.06f, 1.2f, "Wobblefin ~{}");
        // ADDFONTSTRING leaves lighting on and its alpha test off.
        LIGHTINGOFF();
        SETGLSPRITE();
        glScalef(0.1f, 0.1f, 0.1f);
        DRAWCHAR(40, -30, 'Q');
        OPENGL_I2D(0, 0, 0, 0);
        glColor3f(0.6f, 0.6f, 0.6f);
        ADDFONTSTRING(-180, -100, 0.01f, 1, INFOTXT[1]);
        ADDFONTSTRING(-60, -60, 0.02f, 0.8f, "small, tight");
        SETGLSPRITEOFF();
    });
    const int last = PESCEMDL.MODEL.HEADER.NUMBONEFRAMES;
    Draw("md3_first", [] { FishAt(0, 0, 0); });
    Draw("md3_blend_quarter", [last] { FishAt(last / 3, last / 3 + 1, 0.25); });
    Draw("md3_blend_half", [last] { FishAt(last / 2, last, 0.5); });
    Draw("md3_wire", [last] {
        SETGLLINE(1);
        FishAt(last, 0, 0.75);
        SETGLFILL();
    });
}

// The toy's own frame, driven through its loop as the app tests do.
void Shot(const std::string& name) {
    scene::Frame([&] { Capture(name); });
}

void Hold(int k, int frames) {
    const TGLVECTOR& at = MENU.POS[k];
    const scene::Pixel p = scene::ProjectScene(at.X, at.Y, at.Z);
    scene::Post(WM_MOUSEMOVE, p.x, p.y);
    scene::Post(WM_LBUTTONDOWN, p.x, p.y);
    scene::Frames(frames);
}

void ToyScenes() {
    static const char* const tools[8] = {"shock1",      "shock2",      "shock3", "vortex",
                                         "squash_down", "squash_side", "heat",   "cold"};
    scene::Reset();
    Shot("toy_idle");
    scene::Frames(40);
    Shot("toy_idle_later");
    const TGLVECTOR& info = MENU.POS[8];
    const scene::Pixel over = scene::ProjectScene(info.X, info.Y, info.Z);
    scene::Post(WM_MOUSEMOVE, over.x, over.y);
    scene::Frames(2);
    Shot("toy_hover_info");
    for (int k = 0; k < 8; ++k) {
        scene::Reset();
        Hold(k, 12);
        Shot(std::string("toy_") + tools[k]);
    }
    scene::Reset();
    const TGLVECTOR& tail = PESCE.POS[3];
    const scene::Pixel p = scene::ProjectFish(tail.X, tail.Y, tail.Z);
    scene::Post(WM_MOUSEMOVE, p.x, p.y);
    scene::Post(WM_LBUTTONDOWN, p.x, p.y);
    scene::Frames(20);
    Shot("toy_tail_held");
    scene::Reset();
    SETINFO = true;
    scene::Frames(3);
    Shot("toy_info");
    scene::Reset();
}

// The hit records of one pick, as GL wrote them: count, then per hit its names, min and max depth.
void PickGrid(FILE* out, const char* menu, TMENU3D& m, int step, const std::function<void()>& transform) {
    constexpr int kWords = 512;
    uint32_t buffer[kWords];
    for (int y = step / 2; y < scene::ClientHeight(); y += step)
        for (int x = step / 2; x < WIDTH; x += step) {
            glLoadIdentity();
            transform();
            const int hits = SelectionHits(x, y, int32_t(m.EVENTSELECTION), buffer, kWords);
            std::fprintf(out, "%s %d %d %d", menu, x, y, hits);
            for (int h = 0, p = 0; h < hits; ++h) {
                const uint32_t names = buffer[p];
                std::fprintf(out, " | %u", names);
                for (uint32_t n = 0; n < names; ++n) std::fprintf(out, " %u", buffer[p + 3 + n]);
                std::fprintf(out, " %u %u", buffer[p + 1], buffer[p + 2]);
                p += 3 + int(names);
            }
            std::fputc('\n', out);
        }
    glLoadIdentity();
}

void Cube() { CUBO(0, 0, 0, -1.5f, -1, -1, 1.5f, 1, 1, 1); }

void Picks() {
    FILE* out = Open("picks.txt", "w");
    const auto camera = [] { glTranslatef(0, -1, -30); };
    PickGrid(out, "buttons", MENU, 8, camera);
    PickGrid(out, "fish", PESCE, 8, [&] {
        camera();
        glRotatef(25, 0, -1, 0);
    });
    // Overlapping shapes at different depths, the last cutting into the first.
    static TMENU3D shapes;
    const float at[5][3] = {{-2, 0, 0}, {-1, 0.5f, -3}, {0, 1, -6}, {1.5f, -0.5f, 4}, {0.5f, 0.2f, -1}};
    for (int k = 0; k < 5; ++k) shapes.ADDSELECTON(GLVECTOR(at[k][0], at[k][1], at[k][2]), 10 + k);
    shapes.SETSELECTON(Cube);
    PickGrid(out, "shapes", shapes, 8, [] { glTranslatef(0, 0, kCamera); });
    std::fclose(out);
    Draw("pick_shapes", [&] {
        for (int k = 0; k < 5; ++k) {
            glColor3f(0.2f * float(k + 1), 1 - 0.2f * float(k), 0.5f);
            glPushMatrix();
            glTranslatef(at[k][0], at[k][1], at[k][2]);
            Cube();
            glPopMatrix();
        }
    });
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gl_scenes OUTDIR\n");
        return 2;
    }
    std::error_code ec;
    g_out = std::filesystem::absolute(argv[1], ec).string();
    std::filesystem::create_directories(g_out, ec);
    win32::testing::RecordMessageBoxes(true);
    scene::EnsureStarted();
    ToyScenes();
    Picks();
    FrameworkScenes();
    teardown();
    win32::testing::CloseBackend();
    return 0;
}
