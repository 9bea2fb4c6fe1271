// Loader throughput: the data set's files and large synthetic ones, decoded from memory and loaded from
// the file into a texture slot or a model (file read, decode and, for images, the upload).
#include <GL/gl.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "bench/harness.h"
#include "bench/synthetic.h"
#include "corvala/Corvala.h"
#include "corvala/model/CRVL_Model.h"
#include "corvala/model/CRVL_ModelAnimate.h"
#include "platform/emul/backend.h"
#include "platform/host/host.h"
#include "platform/testing.h"
#include "platform/win32_gdi.h"
#include "tests/support/temp_dir.h"
#include "tests/support/window.h"

namespace {

using namespace bench;

// Repeats `run` until about half a second has gone (at least 5 and at most 500 times).
Summary Repeat(const std::function<void()>& run) {
    std::vector<double> t;
    const double stop = Now() + 0.5;
    while (t.size() < 5 || (t.size() < 500 && Now() < stop)) {
        const double a = Now();
        run();
        t.push_back(Now() - a);
    }
    return Summarise(t);
}

void Report(const std::string& name, size_t bytes, const Summary& s) {
    PrintLine(name, Format("%9.3f ms  %8.1f MB/s  (%zu bytes, p10 %.3f, p90 %.3f ms, n=%zu)", s.median * 1e3,
                           double(bytes) / s.median / 1e6, bytes, s.p10 * 1e3, s.p90 * 1e3, s.n));
}

void Tga(const std::string& name, const std::string& path) {
    const std::vector<uint8_t> bytes = ReadFile(path);
    if (bytes.empty()) return PrintLine(name, "missing: " + path);
    Report(name + " decode", bytes.size(), Repeat([&] {
               corvala::TGATEXTURE t{};
               if (corvala::load_tga_from_memory(t, bytes.data(), bytes.size())) std::free(t.IMAGEDATA);
           }));
    Report(name + " file -> slot", bytes.size(), Repeat([&] {
               corvala::TEXTURELOADTGAID(path.c_str(), 150);
               glDeleteTextures(1, &corvala::TEXTURETGA2[150].TEXID);
               glFinish();
           }));
}

void Bmp(const std::string& name, const std::string& path) {
    const std::vector<uint8_t> bytes = ReadFile(path);
    if (bytes.empty()) return PrintLine(name, "missing: " + path);
    Report(name + " decode", bytes.size(), Repeat([&] {
               if (win32::HBITMAP b = win32::LoadBitmapFromMemory(bytes.data(), bytes.size())) win32::DeleteObject(b);
           }));
    Report(name + " file -> slot", bytes.size(), Repeat([&] {
               corvala::TEXTURELOADID(path.c_str(), 450);
               glDeleteTextures(1, &corvala::TEXTUREID2[450]);
               glFinish();
           }));
}

void Md3(const std::string& name, const std::string& path) {
    const std::vector<uint8_t> bytes = ReadFile(path);
    if (bytes.empty()) return PrintLine(name, "missing: " + path);
    Report(name + " decode", bytes.size(), Repeat([&] {
               static corvala::TGLMD3MODEL m;
               m = corvala::TGLMD3MODEL{};
               corvala::load_md3_from_memory(m, bytes.data(), bytes.size());
           }));
    Report(name + " file -> model", bytes.size(), Repeat([&] {
               static corvala::TGLMD3MODEL m;
               m = corvala::TGLMD3MODEL{};
               m.LOADMODEL(path);
           }));
}

void AnimationCfg(const std::string& name, const std::string& path) {
    const std::vector<uint8_t> bytes = ReadFile(path);
    if (bytes.empty()) return PrintLine(name, "missing: " + path);
    const std::string text(bytes.begin(), bytes.end());
    Report(name + " parse", bytes.size(), Repeat([&] {
               static corvala::QUAKE3ANIMATION c;
               c = corvala::QUAKE3ANIMATION{};
               corvala::load_anim_from_text(c, text);
           }));
    Report(name + " file -> table", bytes.size(), Repeat([&] {
               static corvala::QUAKE3ANIMATION c;
               c = corvala::QUAKE3ANIMATION{};
               c.LOADANIM(path);
           }));
}

// An animation.cfg of the usual shape, its comment lines repeated until it is about `bytes` long.
std::vector<uint8_t> SyntheticAnimationCfg(size_t bytes) {
    std::string t;
    while (t.size() < bytes) t += "// a comment line as exporters write them, about sixty characters long\n";
    t += "sex m\n";
    for (int i = 0; i < 25; ++i)
        t += std::to_string(i * 10) + "\t10\t10\t15\t\t// ANIMATION_" + std::to_string(i) + "\n";
    return std::vector<uint8_t>(t.begin(), t.end());
}

}  // namespace

int main() {
    win32::testing::RecordMessageBoxes(true);
    testsupport::EnsureWindow();
    Title("Loaders (" + Renderer() + ")");
    const std::string run = WOBBLEFIN_RUN_DIR;
    PrintLine("data set", run);
    Tga("PesceRosso.tga", run + "/modelli/PesceRosso.tga");
    Tga("font.tga", run + "/immagini/font.tga");
    Tga("vetro.tga", run + "/immagini/vetro.tga");
    Tga("scarica01.tga", run + "/immagini/scarica01.tga");
    Bmp("water4.bmp", run + "/immagini/water4.bmp");
    Md3("PesceRosso.md3", run + "/modelli/PesceRosso.md3");
    AnimationCfg("animation.cfg", run + "/modelli/animation.cfg");

    const testsupport::TempDir dir;
    const std::string& tmp = dir.path();
    struct {
        std::string name, file;
        std::vector<uint8_t> bytes;
    } synthetic[] = {
        {"synthetic 2048x2048 TGA", tmp + "/raw.tga", SyntheticTga(2048, 2048, false)},
        {"synthetic 2048x2048 TGA RLE", tmp + "/rle.tga", SyntheticTga(2048, 2048, true)},
        {"synthetic 2048x2048 BMP", tmp + "/big.bmp", SyntheticBmp(2048, 2048)},
        {"synthetic MD3 200 frames x 4000 vertices", tmp + "/big.md3", SyntheticMd3(200, 4000, 8000)},
        {"synthetic 1 MB animation.cfg", tmp + "/big.cfg", SyntheticAnimationCfg(1 << 20)},
    };
    for (auto& s : synthetic) WriteFile(s.file, s.bytes);
    Tga(synthetic[0].name, synthetic[0].file);
    Tga(synthetic[1].name, synthetic[1].file);
    Bmp(synthetic[2].name, synthetic[2].file);
    Md3(synthetic[3].name, synthetic[3].file);
    AnimationCfg(synthetic[4].name, synthetic[4].file);
    return 0;
}
