#include "tools/assetgen/font.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <stdexcept>

namespace assetgen {

namespace {

constexpr int kCellW = 16;
constexpr int kCellH = 32;
constexpr int kPixelSize = 22;

}  // namespace

Image font_image(const std::string& ttf_path) {
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib) != 0) throw std::runtime_error("FreeType did not start");
    FT_Face face = nullptr;
    if (FT_New_Face(lib, ttf_path.c_str(), 0, &face) != 0) {
        FT_Done_FreeType(lib);
        throw std::runtime_error("cannot open font " + ttf_path);
    }
    FT_Set_Pixel_Sizes(face, 0, kPixelSize);
    // White everywhere so that filtering at glyph edges never darkens them; only alpha carries the shape.
    Image img(kCellW * 32, kCellH * 4, Color{1, 1, 1, 0});
    const int ascent = static_cast<int>(face->size->metrics.ascender >> 6);
    const int descent = static_cast<int>(-(face->size->metrics.descender >> 6));
    const int baseline = (kCellH - (ascent + descent)) / 2 + ascent;
    for (int code = 33; code <= 126; ++code) {
        if (FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_RENDER) != 0) continue;
        const FT_GlyphSlot g = face->glyph;
        const int cell_x = (code % 32) * kCellW;
        const int cell_y = (code / 32) * kCellH;
        const int advance = static_cast<int>(g->advance.x >> 6);
        const int left = cell_x + (kCellW - advance) / 2 + g->bitmap_left;
        const int top = cell_y + baseline - g->bitmap_top;
        for (unsigned row = 0; row < g->bitmap.rows; ++row) {
            for (unsigned col = 0; col < g->bitmap.width; ++col) {
                const int x = left + static_cast<int>(col), y = top + static_cast<int>(row);
                // Keep a one-pixel margin inside the cell so neighbours never bleed in.
                if (x <= cell_x || x >= cell_x + kCellW - 1 || y <= cell_y || y >= cell_y + kCellH - 1) continue;
                const unsigned char v = g->bitmap.buffer[row * static_cast<unsigned>(g->bitmap.pitch) + col];
                img.at(x, y).a = v / 255.0;
            }
        }
    }
    FT_Done_Face(face);
    FT_Done_FreeType(lib);
    return img;
}

}  // namespace assetgen
