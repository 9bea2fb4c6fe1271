#include "render/CRVL_Vector.h"

#include <cmath>

#include "platform/gl/gl.h"
#include "window/CRVL_Window.h"  // GLVERT3FREMOVE, GLVERT3FENABLEEDIT

namespace corvala {

double FNORMAL[4];
TGLVERTEX3F GLBASEVERTEX3F;

TGLVECTOR GLVECTOR(double X, double Y, double Z) { return TGLVECTOR{float(X), float(Y), float(Z)}; }

void REDUCETOUNIT(double& X, double& Y, double& Z) {
    double LENGTH = float(std::sqrt(X * X + Y * Y + Z * Z));
    if (LENGTH == 0) LENGTH = 1;  // a degenerate triangle gives the zero vector
    X /= LENGTH;
    Y /= LENGTH;
    Z /= LENGTH;
}

void FINDNORMAL(double V1X, double V1Y, double V1Z, double V2X, double V2Y, double V2Z, double V3X, double V3Y,
                double V3Z) {
    const double ax = V1X - V2X, ay = V1Y - V2Y, az = V1Z - V2Z;
    const double bx = V2X - V3X, by = V2Y - V3Y, bz = V2Z - V3Z;
    FNORMAL[1] = ay * bz - az * by;
    FNORMAL[2] = az * bx - ax * bz;
    FNORMAL[3] = ax * by - ay * bx;
    REDUCETOUNIT(FNORMAL[1], FNORMAL[2], FNORMAL[3]);
}

void GLBEGIN(uint32_t MODE) {
    if (!GLVERT3FREMOVE) glBegin(MODE);
    GLBASEVERTEX3F.GLVERT3FMAX = GLBASEVERTEX3F.GLVERT3FSETNUM;
}

void GLVERTEX3F(float X, float Y, float Z) {
    if (!GLVERT3FENABLEEDIT) {
        if (!GLVERT3FREMOVE) glVertex3f(X, Y, Z);
        return;
    }
    TGLVERTEX3F& t = GLBASEVERTEX3F;
    // The table has slots 1..10000 only: a maximum or a counter outside that range is held inside it
    // rather than trusted, so recording can never write past the arrays.
    int32_t limit = t.GLVERT3FMAX;
    if (limit > GLVERT3F_SLOTS) limit = GLVERT3F_SLOTS;
    if (t.GLVERT3FCOUNT < 0) t.GLVERT3FCOUNT = 0;
    if (t.GLVERT3FCOUNT > GLVERT3F_SLOTS) t.GLVERT3FCOUNT = GLVERT3F_SLOTS;
    if (t.GLVERT3FCOUNT < limit) t.GLVERT3FCOUNT = t.GLVERT3FCOUNT + 1;
    if (t.GLVERT3FCOUNT < 1) {
        // No valid slot to record into (maximum below 1 before the first vertex): draw it undisplaced.
        if (!GLVERT3FREMOVE) glVertex3f(X, Y, Z);
        return;
    }
    const int32_t i = t.GLVERT3FCOUNT - 1;
    t.GLVERT3FOFFSET[i] = TGLVECTOR{X, Y, Z};
    t.GLVERT3F[i] = TGLVECTOR{X + t.GLVERT3FTMP[i].X, Y + t.GLVERT3FTMP[i].Y, Z + t.GLVERT3FTMP[i].Z};
    if (!GLVERT3FREMOVE) glVertex3f(t.GLVERT3F[i].X, t.GLVERT3F[i].Y, t.GLVERT3F[i].Z);
}

void GLEND() {
    if (!GLVERT3FREMOVE) glEnd();
}

}  // namespace corvala
