/// @file
/// Object picking and pickable 3D menus.
#pragma once
#include <cstdint>

#include "../CRVL_TextParse.h"  // EXTRACTVALUEFROMSTRING and EConvertError: programs have found them here
#include "../window/CRVL_Window.h"
#include "CRVL_Vector.h"

namespace corvala {

constexpr int32_t MENU3D_CAPACITY = 51;  ///< elements 0..50

/// A pickable 3D menu: elements with a position and a selection name, picked every frame.
/// Plain data used from zero-filled storage; no constructor, so CNTSEL starts at 0 there.
struct TMENU3D {
    uint32_t EVENTSELECTION;            ///< display list compiled by SETSELECTON
    bool OVER[MENU3D_CAPACITY];         ///< element under the hover position at the last pick
    bool CLICK[MENU3D_CAPACITY];        ///< element under the press position: true while the left button is held
                                        ///< on it ("pressed", every frame), not once per click
    int32_t BUTTONID[MENU3D_CAPACITY];  ///< selection name of each element (0 is what a miss returns)
    TGLVECTOR POS[MENU3D_CAPACITY];     ///< where each element is drawn
    int32_t MAXNUMSEL;                  ///< elements compiled into EVENTSELECTION
    int32_t CNTSEL;                     ///< elements added

    void ADDSELECTON(TGLVECTOR AT,
                     int32_t ID);  ///< appends an element at AT, selection name ID (not 0); ignored when full
    void SETSELECTON(CRVLPROCEDURE ELEMENT);  ///< compiles ELEMENT (draws one shape at the origin) at every POS
    void ELEMENTSELECTON();                   ///< picks at the hover and click positions, sets OVER and CLICK
    void DRAWMENUID(CRVLPROCEDURE EVENTOVER, CRVLPROCEDURE EVENTNOTOVER, CRVLPROCEDURE EVENTCLICK,
                    CRVLPROCEDURE EVENTNOTCLICK, int32_t NUM);  ///< element NUM: OVER or NOTOVER, CLICK or NOTCLICK,
                                                                ///< called translated to POS[NUM]
};

void PROCNULL();                  ///< does nothing
void ADDNAMETOOBJ(int32_t NAME);  ///< selection name of the geometry that follows
/// Renders display list OBJNAME in selection mode under client pixel (X, Y) (origin top left); the nearest
/// selection name hit there, or 0.
int32_t SELECTOBJID(int32_t X, int32_t Y, int32_t OBJNAME);
/// SELECTOBJID's selection pass alone, into the caller's BUFFER of WORDS words: the hit count glRenderMode
/// returns (-1 when the records overflowed BUFFER), the records as GL wrote them.
int32_t SelectionHits(int32_t X, int32_t Y, int32_t OBJNAME, uint32_t* BUFFER, int32_t WORDS);

}  // namespace corvala
