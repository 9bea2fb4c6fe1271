// Texture-font text: glyphs cut from a 32 x 4 grid of cells in the bound font texture.
#pragma once
#include <cstdint>
#include <string>

namespace corvala {

void ADDFONTSTRING(float X, float Y, float SIZE, float DIST,
                   const std::string& S);  // one line, scaled by SIZE; leaves lighting on
void DRAWCHAR(float X, float Y, char C);   // glyph of C centred at (X, Y); codes 0..32, 127..255 draw nothing
void FINDCHARACTER(float X, float Y, float PX, float PY, float SX, float SY, int32_t ROWS,
                   int32_t COLUMNS);  // cell (PX, PY) of a ROWS-across, COLUMNS-down grid as a quad at (X, Y)

}  // namespace corvala
