// Loader throughput: the data set's files and large synthetic ones, decoded from memory and loaded from
// the file into a texture slot or a model (file read, decode and, for images, the upload). Then the
// large pictures of every kind against stb_image (where libstb-dev is installed), one kind at a time and
// mixed as a program loads them, with the minor page faults of each load.
#include <sys/resource.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#if WOBBLEFIN_HAVE_STB
#include <stb/stb_image.h>
#endif

#include "bench/harness.h"
#include "bench/synthetic.h"
#include "corvala/Corvala.h"
#include "corvala/model/CRVL_Model.h"
#include "corvala/model/CRVL_ModelAnimate.h"
#include "platform/emul/backend.h"
#include "platform/gl/gl.h"
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

// ---- against stb_image ---------------------------------------------------------------------------

long MinorFaults() {
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    return ru.ru_minflt;
}

// One decoded picture: top-down rows of R, G, B (, A), as stb_image gives them.
struct Picture {
    int width = 0, height = 0, channels = 0;
    std::vector<uint8_t> rgba;
};

// What the texture loaders hand to GL, read back into a Picture: the TGA slot's buffer (rows in file
// order, R, G, B (, A)), the BMP slot's bitmap after its swap (bottom-up, R, G, B or B, G, R, A).
// Only the same-pixels check against stb_image reads TGA pictures back.
[[maybe_unused]] Picture OursTga(const std::string& path) {
    Picture p;
    corvala::TGATEXTURE t{};
    if (!corvala::LOADTGA(t, path.c_str())) return p;
    p.width = int(t.WIDTH), p.height = int(t.HEIGHT), p.channels = int(t.BPP / 8);
    const size_t row = size_t(p.width) * size_t(p.channels);
    p.rgba.resize(row * size_t(p.height));
    // The synthetic files are bottom-left: file order is bottom-up.
    for (int y = 0; y < p.height; ++y)
        std::memcpy(&p.rgba[row * size_t(p.height - 1 - y)], t.IMAGEDATA + row * size_t(y), row);
    std::free(t.IMAGEDATA);
    return p;
}

win32::HANDLE LoadBmp(const std::string& path) {
    return win32::LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                             LR_LOADFROMFILE | LR_LOADTRANSPARENT | LR_CREATEDIBSECTION);
}

// TEXTURELOADID up to its upload: the bitmap, and the swap of 24-bit rows.
void OursBmpLoad(win32::HANDLE h, Picture* out) {
    win32::BITMAP bm{};
    if (!h || win32::GetObjectA(h, sizeof bm, &bm) != int(sizeof bm)) return;
    auto* bits = static_cast<uint8_t*>(bm.bmBits);
    if (bm.bmBitsPixel == 24)
        for (int32_t y = 0; y < bm.bmHeight; ++y)
            corvala::SWAPRGB(bits + size_t(y) * size_t(bm.bmWidthBytes), bm.bmWidth);
    if (out) {
        out->width = bm.bmWidth, out->height = bm.bmHeight, out->channels = bm.bmBitsPixel / 8;
        const size_t row = size_t(bm.bmWidth) * size_t(out->channels);
        out->rgba.resize(row * size_t(bm.bmHeight));
        for (int32_t y = 0; y < bm.bmHeight; ++y) {
            uint8_t* to = &out->rgba[row * size_t(bm.bmHeight - 1 - y)];
            std::memcpy(to, bits + size_t(y) * size_t(bm.bmWidthBytes), row);
            if (out->channels == 4)
                for (size_t i = 0; i < row; i += 4) std::swap(to[i], to[i + 2]);  // GL reads these as B, G, R, A
        }
    }
    win32::DeleteObject(h);
}

struct Kind {
    std::string name, file;
    bool tga;
    std::vector<uint8_t> bytes;
};

// From the file, or (`memory`) from its bytes already read.
void Ours(const Kind& k, bool memory) {
    if (k.tga) {
        corvala::TGATEXTURE t{};
        if (memory ? corvala::load_tga_from_memory(t, k.bytes.data(), k.bytes.size())
                   : corvala::LOADTGA(t, k.file.c_str()))
            std::free(t.IMAGEDATA);
    } else {
        OursBmpLoad(memory ? win32::LoadBitmapFromMemory(k.bytes.data(), k.bytes.size()) : LoadBmp(k.file), nullptr);
    }
}

// Faults are few and come in bursts (a fresh buffer's first touch), so their mean says more than a median.
double Mean(const std::vector<double>& v) {
    double sum = 0;
    for (double x : v) sum += x;
    return v.empty() ? 0 : sum / double(v.size());
}

struct Timing {
    std::vector<double> ms;
    std::vector<double> faults;
    void Measure(const std::function<void()>& run) {
        const long f = MinorFaults();
        const double a = Now();
        run();
        ms.push_back((Now() - a) * 1e3);
        faults.push_back(double(MinorFaults() - f));
    }
};

#if WOBBLEFIN_HAVE_STB
void Stb(const Kind& k, bool memory) {
    int w, h, n;
    stbi_uc* p = memory ? stbi_load_from_memory(k.bytes.data(), int(k.bytes.size()), &w, &h, &n, 0)
                        : stbi_load(k.file.c_str(), &w, &h, &n, 0);
    stbi_image_free(p);
}

bool SameAsStb(const Kind& k) {
    const Picture ours = k.tga ? OursTga(k.file) : [&] {
        Picture p;
        OursBmpLoad(LoadBmp(k.file), &p);
        return p;
    }();
    int w, h, n;
    stbi_uc* theirs = stbi_load(k.file.c_str(), &w, &h, &n, 0);
    const bool same = theirs && ours.width == w && ours.height == h && ours.channels == n &&
                      std::memcmp(ours.rgba.data(), theirs, ours.rgba.size()) == 0;
    stbi_image_free(theirs);
    return same;
}
#endif

void Compare(const std::vector<Kind>& kinds, bool memory) {
    constexpr int kRuns = 25;
    const size_t n = kinds.size();
    std::vector<Timing> alone(n), mixed(n), stb_alone(n), stb_mixed(n);
    for (size_t k = 0; k < n; ++k)
        for (int r = 0; r < kRuns; ++r) {
            alone[k].Measure([&] { Ours(kinds[k], memory); });
#if WOBBLEFIN_HAVE_STB
            stb_alone[k].Measure([&] { Stb(kinds[k], memory); });
#endif
        }
    // Mixed: every kind in turn, as a program loads its pictures, ours and stb's in alternate rounds.
    for (int r = 0; r < kRuns; ++r) {
        for (size_t k = 0; k < n; ++k) mixed[k].Measure([&] { Ours(kinds[k], memory); });
#if WOBBLEFIN_HAVE_STB
        for (size_t k = 0; k < n; ++k) stb_mixed[k].Measure([&] { Stb(kinds[k], memory); });
#endif
    }
    const std::string what = memory ? "bytes in memory" : "file";
#if WOBBLEFIN_HAVE_STB
    Title("Pictures of every kind, " + what +
          " to decoded pixels, ours against stb_image (libstb-dev): median times of 25, mean minor page faults a load, "
          "ratio < 1 when ours is faster");
#else
    Title("Pictures of every kind, " + what +
          " to decoded pixels: median times of 25, mean minor page faults a load "
          "(stb_image not installed)");
#endif
    for (size_t k = 0; k < n; ++k) {
        for (int m = 0; m < 2; ++m) {
            const Timing& o = m ? mixed[k] : alone[k];
            std::string line = Format("%7.2f ms  %7.1f faults", Summarise(o.ms).median, Mean(o.faults));
#if WOBBLEFIN_HAVE_STB
            const Timing& s = m ? stb_mixed[k] : stb_alone[k];
            line += Format("   stb %7.2f ms  %7.1f faults   ratio %5.2f", Summarise(s.ms).median, Mean(s.faults),
                           Summarise(o.ms).median / Summarise(s.ms).median);
#endif
            PrintLine(kinds[k].name + (m ? ", mixed" : ", alone"), line);
        }
    }
#if WOBBLEFIN_HAVE_STB
    if (!memory)
        for (const Kind& k : kinds) PrintLine(k.name + ", same pixels as stb", SameAsStb(k) ? "yes" : "NO");
#endif
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
    std::vector<Kind> kinds = {
        {"2048x2048 TGA type 2, 24-bit", tmp + "/raw24.tga", true, SyntheticTga(2048, 2048, false, 24)},
        {"2048x2048 TGA type 2, 32-bit", synthetic[0].file, true, synthetic[0].bytes},
        {"2048x2048 TGA type 10, 24-bit", tmp + "/rle24.tga", true, SyntheticTga(2048, 2048, true, 24)},
        {"2048x2048 TGA type 10, 32-bit", synthetic[1].file, true, synthetic[1].bytes},
        {"2048x2048 BMP 24-bit", synthetic[2].file, false, synthetic[2].bytes},
        {"2048x2048 BMP 32-bit (V5, alpha)", tmp + "/big32.bmp", false, SyntheticBmp(2048, 2048, 32)},
    };
    for (const Kind& k : kinds) WriteFile(k.file, k.bytes);
    Tga(synthetic[0].name, synthetic[0].file);
    Tga(synthetic[1].name, synthetic[1].file);
    Bmp(synthetic[2].name, synthetic[2].file);
    Md3(synthetic[3].name, synthetic[3].file);
    AnimationCfg(synthetic[4].name, synthetic[4].file);
    Compare(kinds, true);
    Compare(kinds, false);
    return 0;
}
