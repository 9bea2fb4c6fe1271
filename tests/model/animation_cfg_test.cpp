// Reading animation.cfg: the numbers of a line, which lines are data lines, where they go, the two
// fix-ups, and what damaged or oversized files do.
#include <gtest/gtest.h>

#include <string>

#include "corvala/CRVL_TextParse.h"
#include "corvala/model/CRVL_ModelAnimate.h"
#include "tests/support/temp_dir.h"

using namespace corvala;

namespace {

// A character file as exporters write it: header lines, comments, blank lines, two TABs before each
// line's comment, and comments holding numbers and TABs of their own. Lines end in CR LF.
const char* const kRealWorld[] = {
    "// animation config file",
    "",
    "sex\tm",
    "",
    "headoffset 0 0 0",
    "footsteps\tnormal",
    "",
    "// first frame, num frames, looping frames, frames per second",
    "",
    "0\t30\t0\t25\t\t// BOTH_DEATH1",
    "29\t1\t0\t25\t\t// BOTH_DEAD1",
    "30\t30\t0\t25\t\t// BOTH_DEATH2",
    "59\t1\t0\t25\t\t// BOTH_DEAD2",
    "60\t30\t0\t25\t\t// BOTH_DEATH3",
    "89\t1\t0\t25\t\t// BOTH_DEAD3",
    "",
    "90\t40\t0\t20\t\t// TORSO_GESTURE",
    "130\t6\t0\t15\t\t// TORSO_ATTACK\t\t(6 frames at 15 -- keep in step with the hand)",
    "136\t6\t0\t15\t\t// TORSO_ATTACK2\t2\t3\t4",
    "142\t5\t0\t20\t\t// TORSO_DROP",
    "147\t4\t0\t20\t\t// TORSO_RAISE",
    "151\t1\t0\t15\t\t// TORSO_STAND",
    "152\t1\t0\t15\t\t// TORSO_STAND2",
    "",
    "153\t8\t8\t20\t\t// LEGS_WALKCR",
    "161\t12\t12\t20\t\t// LEGS_WALK",
    "173\t9\t9\t18\t\t// LEGS_RUN",
    "182\t10\t10\t20\t\t// LEGS_BACK",
    "192\t10\t10\t15\t\t// LEGS_SWIM",
    "202\t8\t0\t15\t\t// LEGS_JUMP",
    "210\t1\t0\t15\t\t// LEGS_LAND",
    "211\t8\t0\t15\t\t// LEGS_JUMPB",
    "219\t1\t0\t15\t\t// LEGS_LANDB",
    "220\t10\t10\t15\t\t// LEGS_IDLE",
    "230\t10\t10\t15\t\t// LEGS_IDLECR",
    "240\t7\t7\t15\t\t// LEGS_TURN",
};

std::string joined(const std::vector<std::string>& lines, const std::string& eol) {
    std::string s;
    for (const std::string& l : lines) s += l + eol;
    return s;
}

std::string real_world(const std::string& eol) {
    return joined(std::vector<std::string>(std::begin(kRealWorld), std::end(kRealWorld)), eol);
}

QUAKE3ANIMATION read(const std::string& text) {
    QUAKE3ANIMATION c{};
    load_anim_from_text(c, text);
    return c;
}

void expect_entry(const TQ3ANIMINFO& e, int32_t first, int32_t count, int32_t loop, int32_t fps) {
    EXPECT_EQ(first, e.FIRSTFRAME);
    EXPECT_EQ(count, e.NUMFRAMES);
    EXPECT_EQ(loop, e.LOOPFRAMES);
    EXPECT_EQ(fps, e.FPS);
}

bool same_table(const QUAKE3ANIMATION& a, const QUAKE3ANIMATION& b) {
    for (int i = 0; i <= Q3_MAX_ANIMATIONS; ++i) {
        const TQ3ANIMINFO &x = a.ANIM[i], &y = b.ANIM[i];
        if (x.FIRSTFRAME != y.FIRSTFRAME || x.NUMFRAMES != y.NUMFRAMES || x.LOOPFRAMES != y.LOOPFRAMES ||
            x.FPS != y.FPS)
            return false;
    }
    return true;
}

TEST(ExtractValue, TakesTheNumberBeforeATabAndOneCharacterAfterIt) {
    std::string s = "0\t31\t0";
    EXPECT_EQ(EXTRACTVALUEFROMSTRING("\t", s), 0);
    EXPECT_EQ(s, "31\t0");
    EXPECT_EQ(EXTRACTVALUEFROMSTRING("\t", s), 31);
    EXPECT_EQ(s, "0");
    std::string neg = "-12\t\t7";
    EXPECT_EQ(EXTRACTVALUEFROMSTRING("\t", neg), -12);
    EXPECT_EQ(neg, "\t7");
}

TEST(ExtractValue, RemovesOnlyOneCharacterWhateverTheDelimitersLength) {
    std::string s = "15, 20";
    EXPECT_EQ(EXTRACTVALUEFROMSTRING(", ", s), 15);
    EXPECT_EQ(s, " 20");
}

TEST(ExtractValue, FailsAndLeavesTheLineAloneWhenThereIsNoNumberBeforeTheDelimiter) {
    const char* bad[] = {"12", "", "\t5", "abc\t1", "1.5\t2", "99999999999\t1", "3x\t4"};
    for (const char* line : bad) {
        std::string s = line;
        EXPECT_THROW(EXTRACTVALUEFROMSTRING("\t", s), EConvertError) << line;
        EXPECT_EQ(s, line);
    }
}

TEST(ExtractValue, AcceptsTheWholeThirtyTwoBitRange) {
    std::string s = "-2147483648\t2147483647\t";
    EXPECT_EQ(EXTRACTVALUEFROMSTRING("\t", s), INT32_MIN);
    EXPECT_EQ(EXTRACTVALUEFROMSTRING("\t", s), INT32_MAX);
    EXPECT_EQ(s, "");
}

}  // namespace

TEST(AnimationCfg, RealWorldFileFillsTheTableInFileOrderWithBothFixUps) {
    testsupport::TempDir dir;
    QUAKE3ANIMATION c{};
    c.LOADANIM(dir.write("animation.cfg", real_world("\r\n")));
    expect_entry(c.ANIM[Q3_BOTH_DEATH1], 0, 29, 0, 25);
    expect_entry(c.ANIM[Q3_BOTH_DEAD1], 29, 0, 0, 25);
    expect_entry(c.ANIM[Q3_BOTH_DEAD3], 89, 0, 0, 25);
    expect_entry(c.ANIM[Q3_TORSO_GESTURE], 90, 39, 0, 20);
    expect_entry(c.ANIM[Q3_TORSO_ATTACK], 130, 5, 0, 15);
    expect_entry(c.ANIM[Q3_TORSO_ATTACK2], 136, 5, 0, 15);
    expect_entry(c.ANIM[Q3_TORSO_STAND2], 152, 0, 0, 15);
    // Legs frames follow the torso frames in the file but the both-halves frames in the model.
    expect_entry(c.ANIM[Q3_LEGS_WALKCR], 90, 7, 8, 20);
    expect_entry(c.ANIM[Q3_LEGS_WALK], 98, 11, 12, 20);
    expect_entry(c.ANIM[Q3_LEGS_TURN], 177, 6, 7, 15);
    // No 26th line: the last entry only takes the legs shift.
    expect_entry(c.ANIM[Q3_MAX_ANIMATIONS], -63, 0, 0, 0);
}

TEST(AnimationCfg, LineEndingsDoNotChangeTheTable) {
    const QUAKE3ANIMATION lf = read(real_world("\n"));
    EXPECT_TRUE(same_table(lf, read(real_world("\r\n"))));
    EXPECT_TRUE(same_table(lf, read(real_world("\r"))));
    std::string no_final_newline = real_world("\r\n");
    no_final_newline.resize(no_final_newline.size() - 2);
    EXPECT_TRUE(same_table(lf, read(no_final_newline)));
    EXPECT_EQ(6, lf.ANIM[Q3_LEGS_TURN].NUMFRAMES);
}

TEST(AnimationCfg, LinesThatAreNotDataFillNothing) {
    const std::string not_data[] = {
        "",
        "// 1\t2\t3\t4\t// comment first",
        "sex\tf\t\t\t\t// a header line with a late comment",
        "0\t10\t0\t10\t\t// unisex idle",  // the header words are searched anywhere, case-sensitively
        "headoffset\t0\t0\t0\t\t// head",
        "0\t10\t0\t10\t\t// footsteps\tboot",
        "1\t2\t3\t4\t",             // no comment at all
        "1\t2\t//3\t4\t5\t\t// x",  // the first "//" is the fifth character
        "//\t1\t2\t3\t4\t\t// x",
    };
    for (const std::string& line : not_data) {
        QUAKE3ANIMATION c = read(line + "\r\n7\t8\t9\t10\t\t// the data\r\n");
        expect_entry(c.ANIM[0], 7, 7, 9, 10);
        expect_entry(c.ANIM[1], 0, 0, 0, 0);
    }
    // Upper case is a different word.
    QUAKE3ANIMATION c = read("1\t2\t3\t4\t\t// SEX\n");
    expect_entry(c.ANIM[0], 1, 1, 3, 4);
}

TEST(AnimationCfg, DamagedDataLineKeepsItsEntryWithTheFieldsReadBeforeTheDamage) {
    QUAKE3ANIMATION c = read(
        "1\tx\t3\t4\t\t// count not a number\n"
        "1\t2\t3//\t4\t\t// first '//' is the sixth character: a data line, damaged\n"
        "5\t6\t7\t\t// only three TABs before the comment\n"
        "99999999999\t1\t1\t1\t\t// out of range\n"
        "-3\t+4\t 5 \t6\t// signs and blanks are numbers\n"
        "20\t3\t0\t15\t\t// intact\n");
    expect_entry(c.ANIM[0], 1, 0, 0, 0);
    expect_entry(c.ANIM[1], 1, 1, 0, 0);
    expect_entry(c.ANIM[2], 5, 5, 7, 0);
    expect_entry(c.ANIM[3], 0, 0, 0, 0);
    expect_entry(c.ANIM[4], -3, 3, 5, 6);
    expect_entry(c.ANIM[5], 20, 2, 0, 15);
}

TEST(AnimationCfg, DamagedLineOverwritesAnOldEntryRatherThanMixingWithIt) {
    QUAKE3ANIMATION c{};
    c.ANIM[0] = TQ3ANIMINFO{50, 60, 70, 80};
    load_anim_from_text(c, "4\tfour\t4\t4\t\t// x\n");
    expect_entry(c.ANIM[0], 4, 0, 0, 0);
}

TEST(AnimationCfg, LinesBeyondTheTableAreIgnored) {
    std::string text;
    for (int i = 0; i < 40; ++i) text += std::to_string(100 + i) + "\t2\t0\t10\t\t// line\r\n";
    QUAKE3ANIMATION c{};
    c.ANIMMODEL = 1234;
    c.TIMER = 5.5f;
    load_anim_from_text(c, text);
    // SKIP = 113 - 106 = 7 for entries 13 and up.
    expect_entry(c.ANIM[0], 100, 1, 0, 10);
    expect_entry(c.ANIM[12], 112, 1, 0, 10);
    expect_entry(c.ANIM[13], 106, 1, 0, 10);
    expect_entry(c.ANIM[Q3_MAX_ANIMATIONS], 118, 1, 0, 10);
    EXPECT_EQ(1234, c.ANIMMODEL);
    EXPECT_EQ(5.5f, c.TIMER);
}

TEST(AnimationCfg, CountFixUpLeavesZeroAndNegativeCounts) {
    QUAKE3ANIMATION c = read("0\t1\t0\t1\t\t// a\n0\t0\t0\t1\t\t// b\n0\t-4\t0\t1\t\t// c\n");
    EXPECT_EQ(0, c.ANIM[0].NUMFRAMES);
    EXPECT_EQ(0, c.ANIM[1].NUMFRAMES);
    EXPECT_EQ(-4, c.ANIM[2].NUMFRAMES);
}

TEST(AnimationCfg, LegsShiftOfExtremeFramesWrapsInsteadOfOverflowing) {
    std::string text;
    for (int i = 0; i < 14; ++i)
        text += (i == 6 ? "-2147483648" : i == 13 ? "2147483647" : "0") + std::string("\t1\t0\t1\t\t// x\n");
    QUAKE3ANIMATION c = read(text);
    EXPECT_EQ(INT32_MIN, c.ANIM[Q3_LEGS_WALKCR].FIRSTFRAME);  // the torso's first frame, as always
    EXPECT_EQ(1, c.ANIM[Q3_LEGS_WALK].FIRSTFRAME);
}

TEST(AnimationCfg, MissingFileChangesNothingNotEvenTheFixUps) {
    QUAKE3ANIMATION c{};
    c.ANIM[Q3_TORSO_GESTURE] = TQ3ANIMINFO{90, 5, 0, 10};
    c.ANIM[Q3_LEGS_WALKCR] = TQ3ANIMINFO{153, 5, 0, 10};
    const QUAKE3ANIMATION before = c;
    c.LOADANIM("modelli\\nowhere\\animation.cfg");
    EXPECT_TRUE(same_table(before, c));
}
