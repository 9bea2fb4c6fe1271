#include "render/CRVL_Primitives.h"

#include <cmath>

#include "platform/gl/gl.h"
#include "render/CRVL_Vector.h"

namespace corvala {

void LINEFREE(float TX1, float TY1, float TX2, float TY2, float X1, float Y1, float Z1, float X2, float Y2, float Z2,
              bool TEXTURE) {
    if (TEXTURE) glTexCoord2f(TX1, TY1);
    GLVERTEX3F(X1, Y1, Z1);
    if (TEXTURE) glTexCoord2f(TX2, TY2);
    GLVERTEX3F(X2, Y2, Z2);
}

namespace {

struct Corner {
    float x, y, z, s, t;
};

// One face: the normal of its first three corners, then the four corners as two LINEFREE pairs.
void cubo_face(const Corner& a, const Corner& b, const Corner& c, const Corner& d) {
    FINDNORMAL(a.x, a.y, a.z, b.x, b.y, b.z, c.x, c.y, c.z);
    glNormal3f(GLfloat(FNORMAL[1]), GLfloat(FNORMAL[2]), GLfloat(FNORMAL[3]));
    LINEFREE(a.s, a.t, b.s, b.t, a.x, a.y, a.z, b.x, b.y, b.z, true);
    LINEFREE(c.s, c.t, d.s, d.t, c.x, c.y, c.z, d.x, d.y, d.z, true);
}

}  // namespace

void CUBO(float X, float Y, float Z, float X1, float Y1, float Z1, float X2, float Y2, float Z2, float TSIZE) {
    const float T = TSIZE;
    glPushMatrix();
    glTranslatef(X, Y, Z);
    GLBEGIN(GL_QUADS);
    cubo_face({X1, Y1, Z2, 0, 0}, {X2, Y1, Z2, T, 0}, {X2, Y2, Z2, T, T}, {X1, Y2, Z2, 0, T});  // z = Z2
    cubo_face({X1, Y1, Z1, T, 0}, {X1, Y2, Z1, T, T}, {X2, Y2, Z1, 0, T}, {X2, Y1, Z1, 0, 0});  // z = Z1
    cubo_face({X1, Y2, Z1, 0, T}, {X1, Y2, Z2, 0, 0}, {X2, Y2, Z2, T, 0}, {X2, Y2, Z1, T, T});  // y = Y2
    cubo_face({X1, Y1, Z1, T, T}, {X2, Y1, Z1, 0, T}, {X2, Y1, Z2, 0, 0}, {X1, Y1, Z2, T, 0});  // y = Y1
    cubo_face({X2, Y1, Z1, T, 0}, {X2, Y2, Z1, T, T}, {X2, Y2, Z2, 0, T}, {X2, Y1, Z2, 0, 0});  // x = X2
    cubo_face({X1, Y1, Z1, 0, 0}, {X1, Y1, Z2, T, 0}, {X1, Y2, Z2, T, T}, {X1, Y2, Z1, 0, T});  // x = X1
    GLEND();
    glPopMatrix();
}

void SFERA(float PX, float PY, float PZ, float RADIUS, int32_t NUMCIRCLE, int32_t NUMLINE, float TSIZE) {
    const float PI = float(kPi);
    const float MAJORSTEP = PI / float(NUMLINE);
    const float MINORSTEP = 2.0f * PI / float(NUMCIRCLE);
    for (int32_t I = 0; I < NUMLINE; ++I) {
        const float A = float(I) * MAJORSTEP;
        const float B = A + MAJORSTEP;
        const float R0 = RADIUS * std::sin(A), R1 = RADIUS * std::sin(B);
        const float Z0 = RADIUS * std::cos(A), Z1 = RADIUS * std::cos(B);
        const double T0 = double(I) / NUMLINE / TSIZE, T1 = double(I + 1) / NUMLINE / TSIZE;
        GLBEGIN(GL_TRIANGLE_STRIP);
        for (int32_t J = 0; J <= NUMCIRCLE; ++J) {  // the last column repeats the first and closes the band
            const float C = float(J) * MINORSTEP;
            const float X = std::cos(C), Y = std::sin(C);
            const double S = double(-J) / NUMCIRCLE / TSIZE;
            glNormal3f(X * R0 / RADIUS, Y * R0 / RADIUS, Z0 / RADIUS);
            glTexCoord2f(GLfloat(S), GLfloat(T0));
            GLVERTEX3F(X * R0 + PX, Y * R0 + PY, Z0 + PZ);
            glNormal3f(X * R1 / RADIUS, Y * R1 / RADIUS, Z1 / RADIUS);
            glTexCoord2f(GLfloat(S), GLfloat(T1));
            GLVERTEX3F(X * R1 + PX, Y * R1 + PY, Z1 + PZ);
        }
        GLEND();
    }
}

}  // namespace corvala
