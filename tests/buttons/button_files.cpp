#include "tests/buttons/button_files.h"

#include <map>
#include <stdexcept>

namespace testsupport {

Bytes make_palette_bmp(int width, int height, const PixelFn& pixel) {
    std::map<uint32_t, int> index;
    std::vector<uint32_t> table;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Rgba p = pixel(x, y);
            const uint32_t key = uint32_t(p.r) << 16 | uint32_t(p.g) << 8 | p.b;
            if (index.emplace(key, int(table.size())).second) table.push_back(key);
        }
    if (table.size() > 256) throw std::logic_error("too many colours");
    const int stride = (width + 3) / 4 * 4;
    const uint32_t offset = 14 + 40 + uint32_t(table.size()) * 4;
    Bytes b;
    auto put = [&](uint64_t v, int n) {
        for (int i = 0; i < n; ++i) b.push_back(uint8_t(v >> (8 * i)));
    };
    put(0x4D42, 2);
    put(offset + uint32_t(stride * height), 4);
    put(0, 4);
    put(offset, 4);
    put(40, 4);
    put(uint32_t(width), 4);
    put(uint32_t(height), 4);
    put(1, 2);
    put(8, 2);
    put(0, 4);
    put(uint32_t(stride * height), 4);
    put(0, 8);
    put(table.size(), 4);
    put(0, 4);
    for (uint32_t c : table) put(c, 4);  // B, G, R, 0 in the file
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const Rgba p = pixel(x, y);
            b.push_back(uint8_t(index[uint32_t(p.r) << 16 | uint32_t(p.g) << 8 | p.b]));
        }
        for (int x = width; x < stride; ++x) b.push_back(0);
    }
    return b;
}

}  // namespace testsupport
