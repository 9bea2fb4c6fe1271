// The SDL backend's text on child windows' pixel surfaces: DejaVu Sans (where the system keeps it) through
// FreeType, 8-bit Windows-1252 input.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <unordered_map>

#include "platform/emul/backend.h"
#include "platform/sdl/native.h"

namespace win32 {
namespace backend {
using detail::Window;

namespace {

constexpr int kPixelSize = 12;

struct Glyph {
    int left = 0, top = 0, width = 0, rows = 0, advance = 0;
    std::vector<uint8_t> coverage;
};

struct Font {
    FT_Library lib = nullptr;
    FT_Face face = nullptr;
    int ascent = 0, descent = 0;
    std::unordered_map<uint32_t, Glyph> glyphs;

    Font() {
        if (FT_Init_FreeType(&lib) != 0) return;
        for (const std::string& path : sdl::SurfaceFontFiles())
            if (FT_New_Face(lib, path.c_str(), 0, &face) == 0) break;
        if (!face) return;
        FT_Set_Pixel_Sizes(face, 0, kPixelSize);
        ascent = int(face->size->metrics.ascender >> 6);
        descent = int(-face->size->metrics.descender >> 6);
    }
    ~Font() {
        if (face) FT_Done_Face(face);
        if (lib) FT_Done_FreeType(lib);
    }

    const Glyph& glyph(uint32_t code) {
        auto it = glyphs.find(code);
        if (it != glyphs.end()) return it->second;
        Glyph g;
        if (face && FT_Load_Char(face, code, FT_LOAD_RENDER) == 0) {
            const FT_GlyphSlot s = face->glyph;
            g.left = s->bitmap_left;
            g.top = s->bitmap_top;
            g.width = int(s->bitmap.width);
            g.rows = int(s->bitmap.rows);
            g.advance = int(s->advance.x >> 6);
            g.coverage.resize(size_t(g.width) * size_t(g.rows));
            for (int y = 0; y < g.rows; ++y)
                for (int x = 0; x < g.width; ++x)
                    g.coverage[size_t(y) * size_t(g.width) + size_t(x)] = s->bitmap.buffer[y * s->bitmap.pitch + x];
        }
        return glyphs.emplace(code, std::move(g)).first->second;
    }
};

Font& font() {
    static Font f;
    return f;
}

uint32_t code_point(unsigned char c) {
    const uint32_t cp = host::Cp1252CodePoint(c);
    return cp ? cp : '?';
}

}  // namespace

int SurfaceTextHeight() { return font().ascent + font().descent; }

void DrawSurfaceText(Window* w, const std::string& text, const RECT& clip, int x, int top, uint32_t rgb) {
    Font& f = font();
    const int baseline = top + f.ascent;
    for (unsigned char ch : text) {
        const Glyph& g = f.glyph(code_point(ch));
        detail::BlendCoverage(w, g.coverage.data(), g.width, g.rows, x + g.left, baseline - g.top, clip, rgb);
        x += g.advance;
    }
}

}  // namespace backend
}  // namespace win32
