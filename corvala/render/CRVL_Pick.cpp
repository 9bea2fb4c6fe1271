#include "render/CRVL_Pick.h"

#include <cstdint>

#include "platform/gl/gl.h"

namespace corvala {

using namespace win32;
void PROCNULL() {}

void TMENU3D::ADDSELECTON(TGLVECTOR AT, int32_t ID) {
    if (CNTSEL < 0 || CNTSEL >= MENU3D_CAPACITY) return;  // a full menu keeps its 51 elements
    CNTSEL = CNTSEL + 1;
    BUTTONID[CNTSEL - 1] = ID;
    POS[CNTSEL - 1] = AT;
}

void TMENU3D::SETSELECTON(CRVLPROCEDURE ELEMENT) {
    MAXNUMSEL = CNTSEL;
    EVENTSELECTION = glGenLists(1);
    glNewList(EVENTSELECTION, GL_COMPILE);
    for (int32_t I = 0; I < MAXNUMSEL; ++I) {
        OVER[I] = false;
        CLICK[I] = false;
        ADDNAMETOOBJ(BUTTONID[I]);
        glPushMatrix();
        glTranslatef(POS[I].X, POS[I].Y, POS[I].Z);
        ELEMENT();
        glPopMatrix();
    }
    glEndList();
}

void TMENU3D::ELEMENTSELECTON() {
    const int32_t OBJOVER = SELECTOBJID(SETOMX, SETOMY, int32_t(EVENTSELECTION));
    for (int32_t I = 0; I < MAXNUMSEL; ++I) OVER[I] = BUTTONID[I] == OBJOVER;
    const int32_t OBJCLICK = SELECTOBJID(SETMX, SETMY, int32_t(EVENTSELECTION));
    for (int32_t I = 0; I < MAXNUMSEL; ++I) CLICK[I] = BUTTONID[I] == OBJCLICK;
}

void TMENU3D::DRAWMENUID(CRVLPROCEDURE EVENTOVER, CRVLPROCEDURE EVENTNOTOVER, CRVLPROCEDURE EVENTCLICK,
                         CRVLPROCEDURE EVENTNOTCLICK, int32_t NUM) {
    if (NUM < 0 || NUM >= MENU3D_CAPACITY) return;  // no such element
    glPushMatrix();
    glTranslatef(POS[NUM].X, POS[NUM].Y, POS[NUM].Z);
    if (OVER[NUM]) EVENTOVER();
    else EVENTNOTOVER();
    if (CLICK[NUM]) EVENTCLICK();
    else EVENTNOTCLICK();
    glPopMatrix();
}

void ADDNAMETOOBJ(int32_t NAME) { glLoadName(GLuint(NAME)); }

int32_t SelectionHits(int32_t X, int32_t Y, int32_t OBJNAME, uint32_t* BUFFER, int32_t WORDS) {
    GLint VIEWPORTCOORDS[4] = {};
    glSelectBuffer(WORDS, BUFFER);
    glGetIntegerv(GL_VIEWPORT, VIEWPORTCOORDS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glRenderMode(GL_SELECT);
    glLoadIdentity();
    // The viewport is the window's outer size anchored at the client's bottom-left; a framed window's
    // client area is shorter by the caption and two frames, which turns a client y into a viewport y.
    // The window has a caption and cannot be resized, so its frame is the fixed one: SM_CYFRAME is the
    // sizing border, a pixel or more wider on Windows.
    const int32_t F =
        FULLSCREEN ? 0 : win32::GetSystemMetrics(SM_CYCAPTION) + 2 * win32::GetSystemMetrics(SM_CYFIXEDFRAME);
    gluPickMatrix(double(X), double(VIEWPORTCOORDS[3] - Y - F), 2.0, 2.0, VIEWPORTCOORDS);
    gluPerspective(45.0, double(VIEWPORTCOORDS[2]) / double(VIEWPORTCOORDS[3]), 0.5, 150.0);
    glMatrixMode(GL_MODELVIEW);
    glInitNames();
    glPushName(0);
    glCallList(GLuint(OBJNAME));
    glPopName();
    const GLint OBJSFOUND = glRenderMode(GL_RENDER);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    return OBJSFOUND;
}

int32_t SELECTOBJID(int32_t X, int32_t Y, int32_t OBJNAME) {
    constexpr GLsizei WORDS = 32;
    GLuint SELECTBUFFER[WORDS] = {};
    const GLint OBJSFOUND = SelectionHits(X, Y, OBJNAME, SELECTBUFFER, WORDS);
    if (OBJSFOUND <= 0) return 0;  // nothing hit, or -1 when the buffer overflowed

    // A record is its name count, the minimum and maximum depth, then the names. Ours carry one name
    // (four words), but a pick list that pops or pushes names itself makes shorter or longer records,
    // so the walk follows the counts and stops at the end of the buffer rather than trusting 4 * n.
    GLuint LOWESTDEPTH = 0, SELECTEDOBJECT = 0;
    GLint p = 0;
    for (GLint I = 0; I < OBJSFOUND; ++I) {
        if (p + 3 > WORDS) break;
        const GLuint names = SELECTBUFFER[p];
        if (names > GLuint(WORDS - p - 3)) break;
        const GLuint depth = SELECTBUFFER[p + 1];
        const GLuint name = names > 0 ? SELECTBUFFER[p + 3] : 0;
        if (I == 0 || depth < LOWESTDEPTH) {  // strictly less: ties keep the earlier record
            LOWESTDEPTH = depth;
            SELECTEDOBJECT = name;
        }
        p += 3 + GLint(names);
    }
    return int32_t(SELECTEDOBJECT);
}

}  // namespace corvala
