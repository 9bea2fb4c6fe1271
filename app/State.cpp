#include "app/State.h"

#include <climits>
#include <future>

#include "platform/gl/gl.h"
#include "platform/host/host.h"

namespace wobblefin {

using namespace corvala;

QUAKE3ANIMATION PESCEMDL;
TMENU3D PESCE;
TMENU3D MENU;
TGLVECTOR POS;
int32_t TIMER[3];
bool CHECK[8];
int32_t I = 0;
int32_t L = 0;
bool SETINFO = false;
std::string INFOTXT[12] = {
    "Wobblefin v1.0",
    "Ispirato ai pesciolini rossi delle fiere.",
    "",
    "E possibile interagire anche cliccando",
    "il pesce sul naso, occhi e coda.",
    "",
    "Il prodotto non ha lo scopo di indurre",
    "il maltrattamento verso i pesci o altri",
    "animali, esso e solo uno svago per il",
    "tempo libero.",
    "",
    "Realizzato con il framework Corvala - 2026.",
};

int32_t NASO = 100, OCCHIO1 = 101, OCCHIO2 = 102, CODA1 = 103, CODA2 = 104, CODA3 = 105;
int32_t SCOSSA_0 = 200, SCOSSA_1 = 201, SCOSSA_2 = 202, VORTICE_ = 203, SCHIACCIA_0 = 204, SCHIACCIA_1 = 205,
        SCALDA = 206, RAFFREDDA = 207;
int32_t INFO = 300;

void count_up(int32_t& counter) {
    if (counter < INT32_MAX) ++counter;
}

void OPENGL_TEXTURE() {
    TEXTURELOADTGAID("modelli\\PesceRosso.tga", kSkinSlot);
    TEXTURELOADTGAID("immagini\\scarica01.tga", 1);
    TEXTURELOADTGAID("immagini\\scarica02.tga", 2);
    TEXTURELOADTGAID("immagini\\scarica03.tga", 3);
    TEXTURELOADTGAID("immagini\\vortice.tga", 4);
    TEXTURELOADTGAID("immagini\\comprimi01.tga", 5);
    TEXTURELOADTGAID("immagini\\comprimi02.tga", 6);
    TEXTURELOADTGAID("immagini\\calore.tga", 7);
    TEXTURELOADTGAID("immagini\\freddo.tga", 8);
    TEXTURELOADTGAID("immagini\\info.tga", 9);
    TEXTURELOADTGAID("immagini\\vetro.tga", kGlassSlot);
    TEXTURELOADID("immagini\\water4.bmp", kWaterSlot);
    TEXTURELOADTGAID("immagini\\font.tga", kFontSlot);
}

namespace {
std::future<void> g_fish;  // the fish's load when start-up began it early
}

void StartFishLoad() {
    if (!host::HaveThreads()) return;  // then OPENGL_CREATELIST loads it in line, with the same result
    g_fish = std::async(std::launch::async, [] { PESCEMDL.LOADMODEL("modelli\\", "PesceRosso", 14); });
}

void AREACLICK() { SFERA(0, 0, 0, 0.75f, 32, 32, 1); }

void AREAPULSANTE() { QUAD(-0.8f, -0.8f, 0, 0.8f, -0.8f, 0, -0.8f, 0.8f, 0, 0.8f, 0.8f, 0); }

void OPENGL_CREATELIST() {
    OPENGL_TEXTURE();
    // Begun while the window came up, it has shown nothing and touched nothing the images use.
    if (g_fish.valid()) g_fish.get();
    else PESCEMDL.LOADMODEL("modelli\\", "PesceRosso", 14);

    PESCE.ADDSELECTON(GLVECTOR(0, 0, 3.5), NASO);
    PESCE.ADDSELECTON(GLVECTOR(-0.8, 1, 2.8), OCCHIO1);
    PESCE.ADDSELECTON(GLVECTOR(0.8, 1, 2.8), OCCHIO2);
    PESCE.ADDSELECTON(GLVECTOR(0, 0, -4.5), CODA1);
    PESCE.ADDSELECTON(GLVECTOR(0, 1, -5.5), CODA2);
    PESCE.ADDSELECTON(GLVECTOR(0, -1, -5.5), CODA3);
    PESCE.SETSELECTON(AREACLICK);

    MENU.ADDSELECTON(GLVECTOR(12.75, 11, 0), SCOSSA_0);
    MENU.ADDSELECTON(GLVECTOR(15, 11, 0), SCOSSA_1);
    MENU.ADDSELECTON(GLVECTOR(12.75, 8.8, 0), SCOSSA_2);
    MENU.ADDSELECTON(GLVECTOR(15, 8.8, 0), VORTICE_);
    MENU.ADDSELECTON(GLVECTOR(12.75, 6.6, 0), SCHIACCIA_0);
    MENU.ADDSELECTON(GLVECTOR(15, 6.6, 0), SCHIACCIA_1);
    MENU.ADDSELECTON(GLVECTOR(12.75, 4.4, 0), SCALDA);
    MENU.ADDSELECTON(GLVECTOR(15, 4.4, 0), RAFFREDDA);
    MENU.ADDSELECTON(GLVECTOR(-15, 11, 0), INFO);
    MENU.SETSELECTON(AREAPULSANTE);

    TIMER[2] = kVortexTiltFrames;
}

void QUAD(float X1, float Y1, float Z1, float X2, float Y2, float Z2, float X3, float Y3, float Z3, float X4, float Y4,
          float Z4) {
    TWOSIDEON();
    glDisable(GL_CULL_FACE);
    GLBEGIN(GL_QUADS);
    FINDNORMAL(X2, Y2, Z2, X1, Y1, Z1, X3, Y3, Z3);
    glNormal3f(float(FNORMAL[1]), float(FNORMAL[2]), float(FNORMAL[3]));
    LINEFREE(1, 1, 0, 1, X2, Y2, Z2, X1, Y1, Z1, true);
    LINEFREE(0, 0, 1, 0, X3, Y3, Z3, X4, Y4, Z4, true);
    GLEND();
    glEnable(GL_CULL_FACE);
    TWOSIDEOFF();
}

void QUAD2(float X1, float Y1, float Z1, float X2, float Y2, float Z2, float X3, float Y3, float Z3, float X4, float Y4,
           float Z4, float TU, float TV) {
    TWOSIDEON();
    glDisable(GL_CULL_FACE);
    GLBEGIN(GL_QUADS);
    FINDNORMAL(X2, Y2, Z2, X1, Y1, Z1, X3, Y3, Z3);
    glNormal3f(float(FNORMAL[1]), float(FNORMAL[2]), float(FNORMAL[3]));
    LINEFREE(TU, -TV, 0, -TV, X2, Y2, Z2, X1, Y1, Z1, true);
    LINEFREE(0, 0, TU, 0, X3, Y3, Z3, X4, Y4, Z4, true);
    GLEND();
    glEnable(GL_CULL_FACE);
    TWOSIDEOFF();
}

}  // namespace wobblefin
