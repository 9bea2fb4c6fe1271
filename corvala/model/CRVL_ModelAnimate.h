/// @file
/// Animated characters: one MD3 model with the frame ranges of an animation.cfg, and a clock.
#pragma once
#include <cstdint>
#include <string>

#include "CRVL_Model.h"

namespace corvala {

/// Animation numbers of the Quake III player list: both body halves, torso, legs.
///@{
constexpr int32_t Q3_BOTH_DEATH1 = 0, Q3_BOTH_DEAD1 = 1, Q3_BOTH_DEATH2 = 2, Q3_BOTH_DEAD2 = 3, Q3_BOTH_DEATH3 = 4,
                  Q3_BOTH_DEAD3 = 5;
constexpr int32_t Q3_TORSO_GESTURE = 6, Q3_TORSO_ATTACK = 7, Q3_TORSO_ATTACK2 = 8, Q3_TORSO_DROP = 9,
                  Q3_TORSO_RAISE = 10, Q3_TORSO_STAND = 11, Q3_TORSO_STAND2 = 12;
constexpr int32_t Q3_LEGS_WALKCR = 13, Q3_LEGS_WALK = 14, Q3_LEGS_RUN = 15, Q3_LEGS_BACK = 16, Q3_LEGS_SWIM = 17,
                  Q3_LEGS_JUMP = 18, Q3_LEGS_LAND = 19, Q3_LEGS_JUMPB = 20, Q3_LEGS_LANDB = 21, Q3_LEGS_IDLE = 22,
                  Q3_LEGS_IDLECR = 23, Q3_LEGS_TURN = 24;
///@}
constexpr int32_t Q3_MAX_ANIMATIONS = 25;  ///< last index of ANIM; a 26th data line lands there, never selectable

/// One animation's frames, from one data line of animation.cfg.
struct TQ3ANIMINFO {
    int32_t FIRSTFRAME;  ///< first model frame (legs already moved down behind the both-halves frames)
    int32_t NUMFRAMES;   ///< last frame minus first frame once loaded; 0 or negative counts as in the file
    int32_t LOOPFRAMES;  ///< as in the file; not consulted
    int32_t FPS;         ///< frames per clock unit
};

/// An animated character: one model, the animations of its animation.cfg, and its clock.
struct QUAKE3ANIMATION {
    TGLMD3MODEL MODEL;                          ///< the model and its frame counter
    TQ3ANIMINFO ANIM[Q3_MAX_ANIMATIONS + 1]{};  ///< entry i from the i-th data line of animation.cfg
    int32_t ANIMMODEL = 0;                      ///< animation last selected
    float TIMER = 0;                            ///< the character's clock

    /// PATH: folder with its trailing separator; NAME: file name without ".md3"; STARTANIM: a Q3_ animation.
    void LOADMODEL(const std::string& PATH, const std::string& NAME, int32_t STARTANIM);
    void LOADANIM(const std::string& FILENAME);  ///< reads an animation.cfg into ANIM (silent when missing)
    void SETANIM(int32_t NUM);                   ///< puts animation NUM's range into MODEL; 0..24 only
    void SELECTMODELANIM(int32_t NEWANIM);       ///< ANIMMODEL = NEWANIM, then SETANIM
    void PUTMODEL(float TIME);  ///< TIME: the clock's advance in 1/10000 of a unit (FPS frames a unit); then step, draw
};

/// The text half of LOADANIM: reads animation.cfg lines from TEXT into CHARACTER.ANIM and applies the
/// legs and count fix-ups.
void load_anim_from_text(QUAKE3ANIMATION& CHARACTER, const std::string& TEXT);

}  // namespace corvala
