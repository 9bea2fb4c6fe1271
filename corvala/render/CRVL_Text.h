/// @file
/// Texture-font text: glyphs cut from a 32 x 4 grid of cells in the bound font texture.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace corvala {

/// One line S in the bound font texture, scaled by SIZE about the origin: the first glyph's centre at
/// (X, Y) * SIZE, each glyph 8 x 16 units (before SIZE), the next one 8 * DIST units further right (1: side by
/// side). Turns lighting off while it draws and ON afterwards, whatever it was before.
void ADDFONTSTRING(float X, float Y, float SIZE, float DIST, const std::string& S);
void DRAWCHAR(float X, float Y, char C);  ///< glyph of C centred at (X, Y); codes 0..32, 127..255 draw nothing
void FINDCHARACTER(float X, float Y, float PX, float PY, float SX, float SY, int32_t ROWS,
                   int32_t COLUMNS);  ///< cell (PX, PY) of a ROWS-across, COLUMNS-down grid as a quad at (X, Y)

/// The font image for TEXTURELOADTGAID(FindFont(CORVALA_FONT), SLOT), found at run time, so a program moved or
/// installed elsewhere still has it: "font.tga" beside the executable, then in the data folder above it
/// (../share/NAME/ or ../../share/NAME/, NAME the executable's; corvala_ship_assets puts it in both), then
/// INSTALLED, where the SDK put it (CORVALA_FONT; may be null). When it is nowhere, one line on standard error
/// says where it looked and INSTALLED (or "") comes back. The text stays valid until the next call.
const char* FindFont(const char* INSTALLED);

/// Where FindFont looks, in its order: for an executable in `exe_dir` ("" when unknown) named `program`.
std::vector<std::string> font_candidates(const std::string& exe_dir, const std::string& program, const char* installed);

}  // namespace corvala
