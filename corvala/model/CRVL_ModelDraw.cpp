#include "model/CRVL_Model.h"
#include "platform/gl/gl.h"
#include "render/CRVL_Vector.h"

namespace corvala {

namespace {

// The chain of models being drawn above the current one, so that a model attached (directly or
// further down) to itself is not drawn into an endless recursion.
struct Ancestors {
    const TGLMD3MODEL* MODEL;
    const Ancestors* UP;
    bool contains(const TGLMD3MODEL* m) const {
        for (const Ancestors* a = this; a; a = a->UP)
            if (a->MODEL == m) return true;
        return false;
    }
};

void draw_skeleton(TGLMD3MODEL& MDL, const Ancestors* UP) {
    MDL.PUTMODEL();
    const Ancestors HERE{&MDL, UP};
    const int64_t T = MDL.HEADER.NUMTAGS;
    // After a rejected load NUMTAGS describes the rejected file, not LINKS and TAGS: both are bounded
    // by what the arrays really hold, and a link whose tag is missing is not drawn.
    for (int64_t I = 0; I < T && I < int64_t(MDL.LINKS.size()); ++I) {
        TGLMD3MODEL* C = MDL.LINKS[size_t(I)];
        if (!C || HERE.contains(C)) continue;
        const int64_t ENTRY = int64_t(MDL.FRAME) * T + I;
        if (MDL.FRAME < 0 || ENTRY >= int64_t(MDL.TAGS.size())) continue;
        const TGLTAG& TAG = MDL.TAGS[size_t(ENTRY)];
        float M[16];
        TagMatrix(TAG, M);
        glPushMatrix();
        glMultMatrixf(M);
        draw_skeleton(*C, &HERE);
        glPopMatrix();
    }
}

// A triangle is drawn only when all three corners name a vertex that both frames and the texture
// coordinates really have; anything else in the file is skipped rather than read past the arrays.
bool corners_valid(const TGLMD3TRIANGLE& TRI, int64_t V, const TMESH& MESH) {
    for (int32_t v : TRI.VERTEX)
        if (v < 0 || v >= V || size_t(v) >= MESH.TEXCOORD.size()) return false;
    return true;
}

}  // namespace

void TGLMD3MODEL::PUTMODEL() {
    glCullFace(GL_FRONT);
    PUTMODELINT(FRAME, NEXTFRAME, double(POLL));
    glCullFace(GL_BACK);
}

void TGLMD3MODEL::PUTMODELINT(int32_t CURRENTFRAME, int32_t NEXFRAME, double POL) {
    for (const TMESH& MESH : MESHES) {
        const int64_t V = MESH.MESHHEADER.NUMVERTEXES;
        // A frame the surface does not store draws nothing of that surface.
        const int64_t STORED = V > 0 ? int64_t(MESH.VERTEX.size()) / V : 0;
        if (CURRENTFRAME < 0 || CURRENTFRAME >= STORED || NEXFRAME < 0 || NEXFRAME >= STORED) continue;
        const TVERTEX* FA = MESH.VERTEX.data() + CURRENTFRAME * V;
        const TVERTEX* FB = MESH.VERTEX.data() + NEXFRAME * V;

        if (MESH.SETTEXTURE) glBindTexture(GL_TEXTURE_2D, MESH.TEXTURE);
        for (const TGLMD3TRIANGLE& TRI : MESH.TRIANGLE) {
            if (!corners_valid(TRI, V, MESH)) continue;
            GLBEGIN(GL_TRIANGLES);
            for (int32_t v : TRI.VERTEX) {
                const TVERTEX& A = FA[v];
                const TVERTEX& B = FB[v];
                const double* NA = MD3NORMAL[A.NORMAL[0]][A.NORMAL[1]];
                const double* NB = MD3NORMAL[B.NORMAL[0]][B.NORMAL[1]];
                float N[3], P[3];
                for (int k = 0; k < 3; ++k) {
                    // Single-precision inputs, blended in double so that POL = 1 lands exactly on B.
                    const double na = float(NA[k]), nb = float(NB[k]);
                    const double pa = float(A.VERTEX[k] * kMd3XyzScale), pb = float(B.VERTEX[k] * kMd3XyzScale);
                    N[k] = float(na + (nb - na) * POL);
                    P[k] = float(pa + (pb - pa) * POL);
                }
                const TGLMD3TEXCOORD& TC = MESH.TEXCOORD[size_t(v)];
                glTexCoord2f(TC.COORD[0], 1 - TC.COORD[1]);
                glNormal3f(N[0], N[1], N[2]);
                GLVERTEX3F(P[0], P[1], P[2]);
            }
            GLEND();
        }
    }
}

void TGLMD3MODEL::DRAWSKELETON(TGLMD3MODEL& MDL) { draw_skeleton(MDL, nullptr); }

void TGLMD3MODEL::UPDATEFRAME(float TIME) {
    // No frame rate, no frame length: the model stands at FRAME. The elapsed time is also the blend
    // factor, so it is held at 0 rather than left to push the shape past NEXTFRAME without end; a rate
    // selected later counts from now.
    if (FPS <= 0) {
        POLL = 0;
        LASTUPDATE = TIME;
        return;
    }
    POLL = TIME - LASTUPDATE;
    // The frame length is taken in single precision like the clock, so an elapsed time equal to one
    // frame's length as the clock can hold it does not step.
    const float FRAMETIME = 1.0f / float(FPS);
    if (POLL > FRAMETIME) {
        FRAME = NEXTFRAME;
        // Same wrap as "add one, then past ENDFRAME back to STARTFRAME", without overflowing at the top.
        NEXTFRAME = (NEXTFRAME >= ENDFRAME) ? STARTFRAME : NEXTFRAME + 1;
        LASTUPDATE = TIME;
    }
}

}  // namespace corvala
