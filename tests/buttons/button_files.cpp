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
    Bytes b = palette_bmp_headers(width, height, 8, int(table.size()), int(table.size()));
    for (uint32_t c : table) put_le(b, c, 4);  // B, G, R, 0 in the file
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
