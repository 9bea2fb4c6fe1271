// Compares what two gl_scenes runs wrote: every reference picture against this build's, and every pick's hit
// records. One line a scene, then the picks; exits 1 when a scene or a pick is out of tolerance.
//   gl_compare REFERENCE_DIR THIS_DIR
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kLevels = 8;                               // a channel further off than this makes a pixel differ
constexpr double kMaxDifferingShare = 0.01;              // of a scene's pixels
constexpr double kDepthTolerance = 1e-4 * 4294967295.0;  // of the full depth range
constexpr int kShownPickDifferences = 5;

struct Image {
    int w = 0, h = 0;
    std::vector<unsigned char> rgb;
};

bool ReadPpm(const fs::path& path, Image& image) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int max = 0;
    if (!(in >> magic >> image.w >> image.h >> max) || magic != "P6" || max != 255) return false;
    in.get();  // the one whitespace before the pixels
    image.rgb.resize(size_t(image.w) * image.h * 3);
    return bool(in.read(reinterpret_cast<char*>(image.rgb.data()), std::streamsize(image.rgb.size())));
}

bool CompareScenes(const fs::path& reference, const fs::path& ours) {
    std::vector<fs::path> scenes;
    for (const auto& entry : fs::directory_iterator(reference))
        if (entry.path().extension() == ".ppm") scenes.push_back(entry.path());
    std::sort(scenes.begin(), scenes.end());
    bool ok = !scenes.empty();
    if (!ok) std::printf("no scenes in %s\n", reference.string().c_str());
    for (const fs::path& scene : scenes) {
        const std::string name = scene.stem().string();
        Image a, b;
        if (!ReadPpm(scene, a) || !ReadPpm(ours / scene.filename(), b) || a.w != b.w || a.h != b.h) {
            std::printf("%-20s FAIL: missing, unreadable or of another size\n", name.c_str());
            ok = false;
            continue;
        }
        size_t differing = 0;
        int largest = 0;
        for (size_t p = 0; p < a.rgb.size(); p += 3) {
            int d = 0;
            for (int c = 0; c < 3; ++c) d = std::max(d, std::abs(int(a.rgb[p + c]) - int(b.rgb[p + c])));
            largest = std::max(largest, d);
            differing += d > kLevels;
        }
        const double share = double(differing) / double(a.rgb.size() / 3);
        const bool pass = share <= kMaxDifferingShare;
        std::printf("%-20s %7.3f %% of pixels differ by more than %d, largest difference %3d%s\n", name.c_str(),
                    100 * share, kLevels, largest, pass ? "" : "  FAIL");
        ok = ok && pass;
    }
    return ok;
}

// A line of picks.txt, "MENU X Y COUNT | NAMES NAME... ZMIN ZMAX | ...": the point and count, then each hit's
// words with its two depths last.
struct Pick {
    std::string point;
    std::vector<std::vector<double>> hits;
};

Pick ParsePick(const std::string& line) {
    Pick pick;
    std::istringstream in(line);
    std::getline(in, pick.point, '|');
    for (std::string hit; std::getline(in, hit, '|');) {
        std::istringstream words(hit);
        pick.hits.emplace_back();
        for (double w; words >> w;) pick.hits.back().push_back(w);
    }
    return pick;
}

bool SamePick(const std::string& reference, const std::string& ours) {
    const Pick a = ParsePick(reference), b = ParsePick(ours);
    if (a.point != b.point || a.hits.size() != b.hits.size()) return false;
    for (size_t h = 0; h < a.hits.size(); ++h) {
        const std::vector<double>&x = a.hits[h], &y = b.hits[h];
        if (x.size() != y.size() || x.size() < 2) return false;
        const size_t depths = x.size() - 2;
        if (!std::equal(x.begin(), x.begin() + std::ptrdiff_t(depths), y.begin())) return false;
        for (size_t i = depths; i < x.size(); ++i)
            if (std::fabs(x[i] - y[i]) > kDepthTolerance) return false;
    }
    return true;
}

bool ComparePicks(const fs::path& reference, const fs::path& ours) {
    std::ifstream a(reference / "picks.txt"), b(ours / "picks.txt");
    std::string la, lb;
    unsigned long compared = 0, differing = 0;
    for (;;) {
        const bool more_a = bool(std::getline(a, la)), more_b = bool(std::getline(b, lb));
        if (!more_a && !more_b) break;
        if (!more_a) la = "(none)";
        if (!more_b) lb = "(none)";
        ++compared;
        if (SamePick(la, lb)) continue;
        if (++differing <= kShownPickDifferences)
            std::printf("  reference: %s\n  this:      %s\n", la.c_str(), lb.c_str());
    }
    std::printf("picks: %lu points compared, %lu differ%s\n", compared, differing,
                differing || !compared ? "  FAIL" : "");
    return compared && !differing;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: gl_compare REFERENCE_DIR THIS_DIR\n");
        return 2;
    }
    const bool scenes = CompareScenes(argv[1], argv[2]);
    const bool picks = ComparePicks(argv[1], argv[2]);
    return scenes && picks ? 0 : 1;
}
