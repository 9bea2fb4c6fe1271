// What sits where in the scene: each picture in its slot, the words of the info panel, the water's tiling.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
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

struct Mean {
    double r = 0, g = 0, b = 0;
};
double distance(Mean a, Mean b) { return std::fabs(a.r - b.r) + std::fabs(a.g - b.g) + std::fabs(a.b - b.b); }

// The mean colour of what GL holds at level 0 of a texture.
Mean texture_mean(GLuint texture) {
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint w = 0, h = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    std::vector<uint8_t> px(size_t(w) * size_t(h) * 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, px.data());
    Mean m;
    for (size_t i = 0; i < px.size(); i += 4) m.r += px[i], m.g += px[i + 1], m.b += px[i + 2];
    const double n = px.empty() ? 1 : double(px.size() / 4);
    return {m.r / n, m.g / n, m.b / n};
}

// The mean colour of a TGA file as the decoder reads it.
Mean file_mean(const std::string& path) {
    TGATEXTURE t{};
    if (!LOADTGA(t, path.c_str())) return {};
    const size_t bpp = t.BPP / 8, n = size_t(t.WIDTH) * t.HEIGHT;
    Mean m;
    for (size_t i = 0; i < n; ++i)
        m.r += t.IMAGEDATA[i * bpp], m.g += t.IMAGEDATA[i * bpp + 1], m.b += t.IMAGEDATA[i * bpp + 2];
    std::free(t.IMAGEDATA);
    return {m.r / double(n), m.g / double(n), m.b / double(n)};
}

TEST(SceneContent, EachPictureSitsInItsOwnSlot) {
    scene::EnsureStarted();
    const char* const files[12] = {"modelli/PesceRosso.tga",  "immagini/scarica01.tga", "immagini/scarica02.tga",
                                   "immagini/scarica03.tga",  "immagini/vortice.tga",   "immagini/comprimi01.tga",
                                   "immagini/comprimi02.tga", "immagini/calore.tga",    "immagini/freddo.tga",
                                   "immagini/info.tga",       "immagini/vetro.tga",     "immagini/font.tga"};
    std::vector<Mean> expected;
    for (const char* f : files) expected.push_back(file_mean(std::string(WOBBLEFIN_RUN_DIR) + "/" + f));
    for (int slot = 0; slot < 12; ++slot) {
        const Mean held = texture_mean(TEXTURETGA2[slot].TEXID);
        // The slot's own picture is the nearest of the twelve by mean colour: two swapped slots fail here.
        int nearest = 0;
        for (int f = 1; f < 12; ++f)
            if (distance(held, expected[f]) < distance(held, expected[nearest])) nearest = f;
        EXPECT_EQ(nearest, slot) << "slot " << slot << " holds something like " << files[nearest];
        EXPECT_LT(distance(held, expected[slot]), 3.0) << files[slot];
    }
}

// The characters drawn, in order: each glyph quad's first s coordinate is its code over 32.
std::string drawn_text(const std::vector<gltrace::Call>& calls) {
    std::string out;
    bool in_quad = false, first = false;
    for (const gltrace::Call& c : calls) {
        if (c.name == "glBegin") in_quad = c.args[0] == GL_QUADS, first = true;
        if (c.name == "glTexCoord2f" && in_quad && first) {
            out += char(std::lround(c.args[0] * 32));
            first = false;
        }
    }
    return out;
}

TEST(SceneContent, TheInfoPanelSaysItsTwelveLinesInOrder) {
    scene::EnsureStarted();
    scene::Reset();
    SETINFO = true;
    gltrace::start();
    OPENGL_DRAW2D();
    gltrace::stop();
    SETINFO = false;
    const std::vector<std::string> lines = {
        "Wobblefin v1.0",
        "Ispirato ai pesciolini rossi delle fiere.",
        "",
        "E possibile interagire anche cliccando",
        "il pesce sul naso, occhi e coda.",
        "",
        "Il prodotto non ha lo scopo di indurre",
        "il maltrattamento verso i pesci o altri",
        "animali, esso e solo uno svago per il",
        "tempo libero.",
        "",
        "Realizzato con il framework Corvala - 2026.",
    };
    std::string want;  // spaces draw nothing
    for (const std::string& l : lines)
        for (char ch : l)
            if (ch != ' ') want += ch;
    EXPECT_EQ(drawn_text(gltrace::calls()), want);
}

TEST(SceneContent, TheWaterRepeatsOneAndAHalfTimesAcrossAndOnceDeep) {
    scene::EnsureStarted();
    scene::Reset();
    gltrace::start();
    OPENGL_DRAW();
    gltrace::stop();
    const std::vector<gltrace::Call>& calls = gltrace::calls();
    const double water = TEXTUREID2[kWaterSlot];
    std::vector<std::vector<double>> st;
    for (size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].name != "glBindTexture" || calls[i].args[1] != water) continue;
        for (size_t j = i + 1; j < calls.size() && calls[j].name != "glEnd"; ++j)
            if (calls[j].name == "glTexCoord2f") st.push_back(calls[j].args);
        break;
    }
    const std::vector<std::vector<double>> want = {{1.5, -1}, {0, -1}, {0, 0}, {1.5, 0}};
    EXPECT_EQ(st, want);
    // Repeated, not stretched or clamped, past the picture's edge.
    GLint wrap_s = 0, wrap_t = 0;
    glBindTexture(GL_TEXTURE_2D, TEXTUREID2[kWaterSlot]);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap_s);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrap_t);
    EXPECT_EQ(wrap_s, GL_REPEAT);
    EXPECT_EQ(wrap_t, GL_REPEAT);
}

}  // namespace
