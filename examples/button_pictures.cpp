#include "button_pictures.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <vector>

namespace example {
namespace {

constexpr int kSize = 64;

struct Rgb {
    uint8_t r, g, b;
};

void put(std::vector<uint8_t>& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

// A 24-bit bottom-up BMP of kSize x kSize pixels.
bool write_bmp(const std::string& path, const std::vector<Rgb>& pixels) {
    const int stride = (kSize * 3 + 3) / 4 * 4;
    std::vector<uint8_t> f;
    put(f, 0x4D42, 2);
    put(f, uint32_t(54 + stride * kSize), 4);
    put(f, 0, 4);
    put(f, 54, 4);
    put(f, 40, 4);
    put(f, kSize, 4);
    put(f, kSize, 4);
    put(f, 1, 2);
    put(f, 24, 2);
    put(f, 0, 4);
    put(f, uint32_t(stride * kSize), 4);
    put(f, 2835, 4);
    put(f, 2835, 4);
    put(f, 0, 4);
    put(f, 0, 4);
    for (int y = kSize - 1; y >= 0; --y) {
        for (int x = 0; x < kSize; ++x) {
            const Rgb& p = pixels[size_t(y * kSize + x)];
            f.insert(f.end(), {p.b, p.g, p.r});
        }
        for (int i = kSize * 3; i < stride; ++i) f.push_back(0);
    }
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    const bool ok = std::fwrite(f.data(), 1, f.size(), out) == f.size();
    return std::fclose(out) == 0 && ok;
}

// The button face in one state: shape, shading towards the bottom, and a white symbol.
std::vector<Rgb> picture(bool play, Rgb face) {
    std::vector<Rgb> px(size_t(kSize * kSize), Rgb{255, 0, 255});
    const double c = (kSize - 1) / 2.0;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const double dx = x - c, dy = y - c;
            const bool inside =
                play ? dx * dx + dy * dy <= 30.0 * 30.0
                     : std::fabs(dx) <= 27 && std::fabs(dy) <= 27 &&
                           !(std::fabs(dx) > 21 && std::fabs(dy) > 21 &&
                             (std::fabs(dx) - 21) * (std::fabs(dx) - 21) + (std::fabs(dy) - 21) * (std::fabs(dy) - 21) >
                                 36);
            if (!inside) continue;
            const double shade = 1.1 - 0.3 * y / kSize;
            auto scale = [shade](uint8_t v) { return uint8_t(std::fmin(255.0, v * shade)); };
            Rgb p{scale(face.r), scale(face.g), scale(face.b)};
            const bool symbol = play ? (dx >= -9 && dx <= 13 && std::fabs(dy) <= (13 - dx) * 0.6)
                                     : (std::fabs(dx) <= 11 && std::fabs(dy) <= 11);
            if (symbol) p = Rgb{250, 250, 250};
            px[size_t(y * kSize + x)] = p;
        }
    return px;
}

}  // namespace

bool WriteButtonPictures(const std::string& prefix, bool play) {
    const Rgb normal = play ? Rgb{40, 150, 60} : Rgb{190, 50, 40};
    const Rgb hover = play ? Rgb{80, 210, 100} : Rgb{235, 95, 80};
    const Rgb pressed = play ? Rgb{20, 90, 35} : Rgb{120, 30, 20};
    return write_bmp(prefix + "N.BMP", picture(play, normal)) && write_bmp(prefix + "H.BMP", picture(play, hover)) &&
           write_bmp(prefix + "P.BMP", picture(play, pressed));
}

std::string FreshFolder(const std::string& stem) {
    std::error_code ec;
    const std::filesystem::path base = std::filesystem::temp_directory_path(ec);
    if (ec) return "";
    std::random_device seed;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path p = base / (stem + "-" + std::to_string(seed()));
        if (std::filesystem::create_directory(p, ec)) return p.string();  // false when it was there already
    }
    return "";
}

}  // namespace example
