#include "model/CRVL_ModelAnimate.h"

#include <cmath>
#include <string>
#include <vector>

#include "CRVL_TextParse.h"
#include "platform/host/host.h"
#include "platform/win32.h"
#include "texture/CRVL_Texture.h"

namespace corvala {

namespace {

// Frame arithmetic on numbers straight from a text file wraps like the 32-bit registers it was
// designed for, instead of overflowing.
int32_t wrapping_add(int32_t a, int32_t b) { return int32_t(uint32_t(a) + uint32_t(b)); }
int32_t wrapping_sub(int32_t a, int32_t b) { return int32_t(uint32_t(a) - uint32_t(b)); }

bool is_data_line(const std::string& S) {
    if (S.find("sex") != std::string::npos || S.find("headoffset") != std::string::npos ||
        S.find("footsteps") != std::string::npos)
        return false;
    if (S.empty()) return false;
    const size_t COMMENT = S.find("//");  // 0-based: the sixth character is index 5
    return COMMENT != std::string::npos && COMMENT >= 5;
}

// A data line always takes its entry, so that a damaged line cannot shift the animations after it
// onto the wrong numbers. Its fields are read in order up to the first that is not an integer
// followed by a TAB; that field and the ones after it become 0 (an FPS of 0 keeps the animation
// standing still).
void read_data_line(std::string S, TQ3ANIMINFO& INFO) {
    int32_t* const FIELDS[4] = {&INFO.FIRSTFRAME, &INFO.NUMFRAMES, &INFO.LOOPFRAMES, &INFO.FPS};
    size_t READ = 0;
    try {
        for (; READ < 4; ++READ) *FIELDS[READ] = EXTRACTVALUEFROMSTRING("\t", S);
    } catch (const EConvertError&) {
        for (; READ < 4; ++READ) *FIELDS[READ] = 0;
    }
}

}  // namespace

std::vector<std::string> split_lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 1;
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++pos;
    }
    return lines;
}

void load_anim_from_text(QUAKE3ANIMATION& CHARACTER, const std::string& FILETEXT) {
    TQ3ANIMINFO* const ANIM = CHARACTER.ANIM;
    int32_t I = 0;
    for (const std::string& S : split_lines(FILETEXT)) {
        if (!is_data_line(S)) continue;
        // Lines beyond the table's last entry are ignored.
        if (I > Q3_MAX_ANIMATIONS) continue;
        read_data_line(S, ANIM[I]);
        I = I + 1;
    }

    const int32_t SKIP = wrapping_sub(ANIM[Q3_LEGS_WALKCR].FIRSTFRAME, ANIM[Q3_TORSO_GESTURE].FIRSTFRAME);
    for (int32_t K = Q3_LEGS_WALKCR; K <= Q3_MAX_ANIMATIONS; ++K)
        ANIM[K].FIRSTFRAME = wrapping_sub(ANIM[K].FIRSTFRAME, SKIP);
    for (int32_t K = 0; K <= Q3_MAX_ANIMATIONS; ++K)
        if (ANIM[K].NUMFRAMES > 0) ANIM[K].NUMFRAMES = ANIM[K].NUMFRAMES - 1;
}

void QUAKE3ANIMATION::LOADANIM(const std::string& FILENAME) {
    // An unreadable file reads as an empty table.
    std::vector<uint8_t> BYTES;
    bool no_file = false;
    if (!host::ReadWholeFile(FILENAME.c_str(), BYTES, &no_file)) {
        note_load_failure(FILENAME, no_file ? "no such file" : "the file could not be read");
        if (no_file) return;
    }
    const std::string FILETEXT(BYTES.begin(), BYTES.end());
    load_anim_from_text(*this, FILETEXT);
}

void QUAKE3ANIMATION::LOADMODEL(const std::string& PATH, const std::string& NAME, int32_t STARTANIM) {
    MODEL.LOADMODEL(PATH + NAME + ".md3");
    LOADANIM(PATH + "animation.cfg");
    MODEL.STARTFRAME = 0;
    MODEL.ENDFRAME = 0;
    ANIMMODEL = STARTANIM;
    SETANIM(ANIMMODEL);
}

void QUAKE3ANIMATION::SETANIM(int32_t NUM) {
    if (NUM < Q3_BOTH_DEATH1 || NUM > Q3_LEGS_TURN) return;
    const TQ3ANIMINFO& INFO = ANIM[NUM];
    MODEL.FPS = INFO.FPS;
    MODEL.STARTFRAME = INFO.FIRSTFRAME;
    MODEL.ENDFRAME = wrapping_add(INFO.FIRSTFRAME, INFO.NUMFRAMES);
    ANIMMODEL = NUM;
    // Torso and legs start from their first frame; the both group runs on into its new range.
    if (NUM >= Q3_TORSO_GESTURE) MODEL.NEXTFRAME = INFO.FIRSTFRAME;
}

void QUAKE3ANIMATION::SELECTMODELANIM(int32_t NEWANIM) {
    ANIMMODEL = NEWANIM;
    SETANIM(ANIMMODEL);
}

void QUAKE3ANIMATION::PUTMODEL(float TIME) {
    // A 32-bit clock that only grows stops moving once the step falls below half a unit in its last place
    // (0.0075 at 131072, after some days of drawing): the animation would freeze. The clock and the last
    // frame change move back together by a power of two, exactly, so the elapsed time and the stepping
    // stay as they were and the steps never lose more than a few per cent.
    constexpr float kRebase = 1024.0f;
    if (TIMER >= 2 * kRebase && std::isfinite(TIMER)) {
        const float back = std::floor(TIMER / kRebase) * kRebase - kRebase;
        TIMER -= back;
        MODEL.LASTUPDATE -= back;
    }
    TIMER = float(TIMER + TIME / 10000.0);
    MODEL.UPDATEFRAME(TIMER);
    MODEL.DRAWSKELETON(MODEL);
}

}  // namespace corvala
