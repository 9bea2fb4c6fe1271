/// @file
/// Texture-font text: glyphs cut from a 32 x 4 grid of cells in the bound font texture.
#pragma once
#include <cstdint>
#include <string>

namespace corvala {

/// One line S in the bound font texture, scaled by SIZE about the origin: the first glyph's centre at
/// (X, Y) * SIZE, each glyph 8 x 16 units (before SIZE), the next one 8 * DIST units further right (1: side by
/// side). Turns lighting off while it draws and ON afterwards, whatever it was before.
void ADDFONTSTRING(float X, float Y, float SIZE, float DIST, const std::string& S);
void DRAWCHAR(float X, float Y, char C);  ///< glyph of C centred at (X, Y); codes 0..32, 127..255 draw nothing
void FINDCHARACTER(float X, float Y, float PX, float PY, float SX, float SY, int32_t ROWS,
                   int32_t COLUMNS);  ///< cell (PX, PY) of a ROWS-across, COLUMNS-down grid as a quad at (X, Y)

}  // namespace corvala
