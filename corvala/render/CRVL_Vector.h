/// @file
/// Vector helpers and the vertex path every piece of geometry goes through.
#pragma once
#include <cstdint>

#include "../model/CRVL_MD3File.h"  // TGLVECTOR, a record of the files too

namespace corvala {

constexpr double kPi = 3.14159265358979323846;  ///< the one pi of the framework, the program and its tools

/// What the vertex path records: three slot tables of GLVERT3F_SLOTS vertices.
struct TGLVERTEX3F {
    TGLVECTOR GLVERT3F[10000];        ///< recorded vertices after displacement; slot n is element n - 1
    TGLVECTOR GLVERT3FTMP[10000];     ///< displacement added to the vertex recorded in the same slot
    TGLVECTOR GLVERT3FOFFSET[10000];  ///< vertices as the caller gave them
    int32_t GLVERT3FCOUNT;            ///< slot of the last recorded vertex (0 before the first)
    int32_t GLVERT3FMAX;              ///< highest slot recording may advance to; set by every GLBEGIN
    int32_t GLVERT3FSETNUM;           ///< what GLBEGIN copies into GLVERT3FMAX
};

constexpr int32_t GLVERT3F_SLOTS = 10000;  ///< slots in each table of TGLVERTEX3F

extern double FNORMAL[4];           ///< [1..3] hold x, y, z of the last FINDNORMAL ([0] unused)
extern TGLVERTEX3F GLBASEVERTEX3F;  ///< the vertex path's record, when GLVERT3FENABLEEDIT is true

TGLVECTOR GLVECTOR(double X, double Y, double Z);  ///< narrowed to 32-bit floats
void FINDNORMAL(double V1X, double V1Y, double V1Z, double V2X, double V2Y, double V2Z, double V3X, double V3Y,
                double V3Z);                         ///< unit normal into FNORMAL[1..3]
void REDUCETOUNIT(double& X, double& Y, double& Z);  ///< scales to length 1 (0 stays 0)
void GLBEGIN(uint32_t MODE);                         ///< glBegin unless suppressed
void GLVERTEX3F(float X, float Y, float Z);          ///< glVertex3f, recorded when on
void GLEND();                                        ///< glEnd unless suppressed

}  // namespace corvala
