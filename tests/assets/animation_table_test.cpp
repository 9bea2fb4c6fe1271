// animation.cfg as the character loader reads it: which lines count, and the ranges they give.
#include <gtest/gtest.h>

#include <sstream>

#include "tests/assets/asset_files.h"

using namespace assettest;

namespace {

struct Entry {
    int first = 0, count = 0, looping = 0, fps = 0;
};

bool is_data_line(const std::string& s) {
    if (s.find("sex") != std::string::npos || s.find("headoffset") != std::string::npos ||
        s.find("footsteps") != std::string::npos || s.empty())
        return false;
    const size_t comment = s.find("//");
    return comment != std::string::npos && comment >= 5;
}

// The reading rules of the character loader: four TAB-terminated integers per data line, then the legs lines
// moved back by the torso block and every positive count made a last-frame offset.
std::vector<Entry> read_table(const std::string& text, int* data_lines) {
    std::vector<Entry> e(26);
    std::istringstream in(text);
    std::string line;
    int i = 0;
    while (std::getline(in, line)) {
        if (!is_data_line(line)) continue;
        int v[4];
        size_t at = 0;
        for (int k = 0; k < 4; ++k) {
            const size_t tab = line.find('\t', at);
            EXPECT_NE(tab, std::string::npos) << line;
            v[k] = std::stoi(line.substr(at, tab - at));
            at = tab + 1;
        }
        if (i < 26) e[i] = {v[0], v[1], v[2], v[3]};
        ++i;
    }
    *data_lines = i;
    const int skip = e[13].first - e[6].first;
    for (int k = 13; k <= 25; ++k) e[k].first -= skip;
    for (Entry& x : e)
        if (x.count > 0) --x.count;
    return e;
}

std::string cfg_text() {
    const std::vector<uint8_t> b = read_bytes(run_path("modelli/animation.cfg"));
    return std::string(b.begin(), b.end());
}

}  // namespace

TEST(AnimationTable, FileCarriesTheUsualNonDataLinesAndTwentyFiveDataLines) {
    const std::string text = cfg_text();
    EXPECT_NE(text.find("\nsex\t"), std::string::npos);
    EXPECT_NE(text.find("\nheadoffset\t"), std::string::npos);
    EXPECT_NE(text.find("\nfootsteps\t"), std::string::npos);
    EXPECT_NE(text.find("\n\n"), std::string::npos);
    EXPECT_NE(text.find("\t\t// LEGS_WALK\n"), std::string::npos);
    int lines = 0;
    read_table(text, &lines);
    EXPECT_EQ(lines, 25);
}

TEST(AnimationTable, TheAnimationsTheProgramSelectsGetTheirIntendedRanges) {
    int lines = 0;
    const std::vector<Entry> e = read_table(cfg_text(), &lines);
    struct Want {
        int anim, first, last;
    };
    const Want want[] = {
        {0, 0, 23},      // squashed: struggling loop
        {14, 54, 101},   // rest: swimming loop
        {15, 102, 125},  // fast swim
        {21, 126, 149},  // startled
        {22, 150, 169},  // eye poked, -y eye shut
        {23, 170, 189},  // eye poked, +y eye shut
        {24, 190, 209},  // nose poked
    };
    for (const Want& w : want) {
        EXPECT_EQ(e[w.anim].first, w.first) << w.anim;
        EXPECT_EQ(e[w.anim].first + e[w.anim].count, w.last) << w.anim;
        EXPECT_EQ(e[w.anim].fps, 70) << w.anim;
    }
}

TEST(AnimationTable, EveryLineStaysInsideTheModelsFramesAndPlaysForward) {
    int lines = 0;
    const std::vector<Entry> e = read_table(cfg_text(), &lines);
    for (int i = 0; i <= 24; ++i) {
        EXPECT_GE(e[i].first, 0) << i;
        EXPECT_GT(e[i].count, 0) << i;
        EXPECT_LE(e[i].first + e[i].count, 209) << i;
        EXPECT_GT(e[i].fps, 0) << i;
    }
    // The both-group lines come before every legs frame, so selecting one falls into it at the next step.
    for (int i = 0; i <= 5; ++i) EXPECT_LT(e[i].first + e[i].count, e[14].first) << i;
}
