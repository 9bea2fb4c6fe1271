#include "render/CRVL_Render.h"

#include "platform/gl/gl.h"
#include "render/CRVL_Vector.h"
#include "window/CRVL_Window.h"

namespace corvala {

float AMBIENTLIGHT[4] = {0.5f, 0.5f, 0.5f, 1.0f};
float DIFFUSELIGHT[4] = {1.0f, 1.0f, 1.0f, 1.0f};
float SPECULARLIGHT[4] = {1.0f, 1.0f, 1.0f, 1.0f};
float LIGHTPOSITION[4] = {0.0f, 0.0f, 0.0f, 0.0f};
int32_t GL_MIN_FILTER = GL_LINEAR;
int32_t GL_MAG_FILTER = GL_LINEAR;

void OPENGL_INIT(double ZFAR, double A, double R, double G, double B) {
    glClearColor(GLfloat(R), GLfloat(G), GLfloat(B), GLfloat(A));
    glViewport(0, 0, WIDTH, HEIGHT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, double(WIDTH) / double(HEIGHT), 0.1, ZFAR);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearDepth(ZFAR);  // GL clamps it to [0, 1]
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glColor4f(1.0f, 1.0f, 1.0f, 0.5f);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);  // blending itself is left to TRANSPARENTON
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 1);
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glEnable(GL_AUTO_NORMAL);
    glEnable(GL_NORMALIZE);
}

void OPENGL_I2D(double A, double R, double G, double B) {
    glClearColor(GLfloat(R), GLfloat(G), GLfloat(B), GLfloat(A));
    glViewport(0, 0, WIDTH, HEIGHT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double top = double(2 * HEIGHT) / double(WIDTH);  // keeps the window's aspect
    glOrtho(-2.0, 2.0, -top, top, -2.0, 2.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_NORMALIZE);
}

void TWOSIDEON() { glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1); }
void TWOSIDEOFF() { glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0); }
void LIGHTINGON() { glEnable(GL_LIGHTING); }
void LIGHTINGOFF() { glDisable(GL_LIGHTING); }

void SETGLREFRACTIVE() {
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glFrontFace(GL_CCW);
}

void TRANSPARENTON() { glEnable(GL_BLEND); }
void TRANSPARENTOFF() { glDisable(GL_BLEND); }

void SETGLSPRITE(bool LIGHT) {
    if (LIGHT) glBlendFunc(GL_ONE, GL_ONE);  // otherwise the current blend function stays
    glEnable(GL_BLEND);
    glDepthMask(GL_FALSE);
}

void SETGLSPRITE() {
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.4f);
}

void SETGLSPRITEOFF() {
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
}

void SETGLFILL() {
    glPolygonMode(GL_BACK, GL_FILL);
    glPolygonMode(GL_FRONT, GL_FILL);
}

void SETGLLINE(float SIZE) {
    glLineWidth(SIZE);
    glPolygonMode(GL_BACK, GL_LINE);
    glPolygonMode(GL_FRONT, GL_LINE);
}

void PUTGLPOINTLIGHT(uint32_t NLIGHT, float SIZE, float LX, float LY, float LZ, float LVAL) {
    LIGHTPOSITION[0] = LX;
    LIGHTPOSITION[1] = LY;
    LIGHTPOSITION[2] = LZ;
    LIGHTPOSITION[3] = LVAL;
    glLightfv(NLIGHT, GL_POSITION, LIGHTPOSITION);
    if (SIZE != 0.0f) {
        // The marker goes through the vertex path so that its switches apply to it as well.
        glPointSize(SIZE);
        GLBEGIN(GL_POINTS);
        glNormal3f(0.0f, 0.0f, 1.0f);
        GLVERTEX3F(LX, LY, LZ);
        GLEND();
    }
}

void SETGLLIGHT(uint32_t NLIGHT, float L0, float L1, float L2, float L3) {
    glEnable(GL_LIGHTING);
    glLightfv(NLIGHT, GL_AMBIENT, AMBIENTLIGHT);
    glLightfv(NLIGHT, GL_DIFFUSE, DIFFUSELIGHT);
    glLightfv(NLIGHT, GL_SPECULAR, SPECULARLIGHT);
    glEnable(NLIGHT);
    LIGHTPOSITION[0] = L0;
    LIGHTPOSITION[1] = L1;
    LIGHTPOSITION[2] = L2;
    LIGHTPOSITION[3] = L3;
    glLightfv(NLIGHT, GL_POSITION, LIGHTPOSITION);
}

}  // namespace corvala
