#include "render/CRVL_Text.h"

#include "platform/gl/gl.h"
#include "render/CRVL_Render.h"
#include "render/CRVL_Vector.h"

namespace corvala {

namespace {
// The font picture is a grid of 32 cells across and 4 down; row r holds the codes 32·r .. 32·r + 31.
constexpr int32_t kFontColumns = 32, kFontRows = 4;
// A glyph's quad, in text units before SIZE scales it: half a cell each way, and the step to the next.
constexpr float kGlyphHalfWidth = 4.0f, kGlyphHalfHeight = 8.0f;
constexpr double kGlyphAdvance = 8.0;

void draw_cell(float X, float Y, int k, float row) {
    FINDCHARACTER(X, Y, float(k), row, kGlyphHalfWidth, kGlyphHalfHeight, kFontColumns, kFontRows);
}
}  // namespace

void FINDCHARACTER(float X, float Y, float PX, float PY, float SX, float SY, int32_t ROWS, int32_t COLUMNS) {
    const double u = double(PX) / ROWS, v = double(PY) / COLUMNS;
    const double du = 1.0 / ROWS, dv = 1.0 / COLUMNS;
    const GLfloat s0 = GLfloat(u), s1 = GLfloat(u + du);
    const GLfloat t0 = GLfloat(1.0 - v - dv), t1 = GLfloat(1.0 - v);  // t = 1 is the top of the picture
    glPushMatrix();
    glTranslatef(X, Y, 0.0f);
    GLBEGIN(GL_QUADS);
    glTexCoord2f(s0, t0);
    GLVERTEX3F(-SX, -SY, 0.0f);
    glTexCoord2f(s1, t0);
    GLVERTEX3F(SX, -SY, 0.0f);
    glTexCoord2f(s1, t1);
    GLVERTEX3F(SX, SY, 0.0f);
    glTexCoord2f(s0, t1);
    GLVERTEX3F(-SX, SY, 0.0f);
    GLEND();
    glPopMatrix();
}

void DRAWCHAR(float X, float Y, char C) {
    const int k = static_cast<unsigned char>(C);
    // The full code goes in as the column: s beyond 1 wraps to column k mod 32 under GL_REPEAT.
    if (k >= 33 && k <= 63) draw_cell(X, Y, k, 1.0f);
    else if (k >= 64 && k <= 95) draw_cell(X, Y, k, 2.0f);
    else if (k >= 96 && k <= 126) draw_cell(X, Y, k, 3.0f);
}

void ADDFONTSTRING(float X, float Y, float SIZE, float DIST, const std::string& S) {
    glDisable(GL_LIGHTING);
    SETGLSPRITE();
    glPushMatrix();
    glScalef(SIZE, SIZE, SIZE);
    for (size_t i = 1; i <= S.size(); ++i)
        DRAWCHAR(float(double(X) - kGlyphAdvance + kGlyphAdvance * double(i) * double(DIST)), Y, S[i - 1]);
    glPopMatrix();
    SETGLSPRITEOFF();
    glEnable(GL_LIGHTING);
}

}  // namespace corvala
