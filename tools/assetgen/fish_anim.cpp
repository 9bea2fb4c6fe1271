#include "tools/assetgen/fish_anim.h"

#include <functional>
#include <sstream>

namespace assetgen {

namespace {

// The clock advances 0.0075 a drawn frame and a key lasts 1 / fps, so at 70 a key holds for two drawn frames
// and the blend between keys barely starts: short key steps keep the motion smooth.
constexpr int kSmoothFps = 70;

struct Clip {
    const char* name;
    int count;
    int fps;
    std::function<Pose(double phase, int index)> pose;  // phase = 2pi * index / count
};

Pose rest_pose(double p, double strength) {
    Pose q;
    q.swim_phase = p;
    q.swim_amp = strength;
    q.fin_phase = 2 * p;
    q.fin_flutter = strength;
    q.mouth = 0.10 + 0.22 * (0.5 + 0.5 * std::sin(p));
    return q;
}

// Both group (0-5): played on from wherever the counter is, so they come first in the model.
const std::vector<Clip>& both_clips() {
    static const std::vector<Clip> clips = {
        {"struggle", 24, kSmoothFps,
         [](double p, int) {
             Pose q;
             q.curl = 0.014 * std::sin(2 * p);
             q.swim_phase = 2 * p;
             q.swim_amp = 0.7;
             q.mouth = 0.5 - 0.5 * std::cos(2 * p);  // two gasps a loop
             q.fin_phase = 4 * p;
             q.fin_flutter = 1.7;
             q.fin_flare = 0.5;
             return q;
         }},
        {"drift", 30, 35, [](double p, int) { return rest_pose(p, 0.55); }},
    };
    return clips;
}

// Legs group (13-24), each entered at its first frame.
const std::vector<Clip>& legs_clips() {
    static const std::vector<Clip> clips = {
        {"swim", 48, kSmoothFps, [](double p, int) { return rest_pose(p, 0.7); }},
        {"dash", 24, kSmoothFps,
         [](double p, int) {
             Pose q = rest_pose(p, 1.5);
             q.fin_flare = -0.6;  // paired fins folded back
             q.fin_flutter = 1.2;
             return q;
         }},
        {"startle", 24, kSmoothFps,
         [](double p, int) {
             // First frame: the full startle, curled with fins spread and mouth agape; then it quivers.
             Pose q;
             q.curl = 0.046 + 0.009 * std::cos(3 * p);
             q.swim_phase = 3 * p;
             q.swim_amp = 0.25 * std::sin(3 * p / 2) * std::sin(3 * p / 2);
             q.fin_flare = 0.85 + 0.15 * std::cos(3 * p);
             q.fin_phase = 3 * p;
             q.fin_flutter = 1.4;
             q.mouth = 0.8 + 0.2 * std::cos(3 * p);
             return q;
         }},
        {"wince_neg", 20, kSmoothFps,
         [](double p, int) {
             Pose q = rest_pose(p, 0.5);
             q.lid_neg = 1.0;
             q.curl = 0.012 + 0.004 * std::cos(p);  // head turns away from the poked eye
             q.fin_flare = 0.5 + 0.2 * std::cos(2 * p);
             q.mouth = 0.35 + 0.1 * std::cos(p);
             return q;
         }},
        {"wince_pos", 20, kSmoothFps,
         [](double p, int) {
             Pose q = rest_pose(p, 0.5);
             q.lid_pos = 1.0;
             q.curl = -0.012 - 0.004 * std::cos(p);
             q.fin_flare = 0.5 + 0.2 * std::cos(2 * p);
             q.mouth = 0.35 + 0.1 * std::cos(p);
             return q;
         }},
        {"recoil", 20, kSmoothFps,
         [](double p, int) {
             Pose q = rest_pose(p, 0.4);
             q.recoil = 1.3 + 0.3 * std::cos(p);
             q.arch = 0.055 + 0.01 * std::cos(p);
             q.mouth = 0.8 + 0.2 * std::cos(2 * p);
             q.fin_flare = 0.8;
             q.fin_phase = 3 * p;
             q.fin_flutter = 1.3;
             return q;
         }},
    };
    return clips;
}

int both_frames() {
    int n = 0;
    for (const Clip& c : both_clips()) n += c.count;
    return n;
}

struct Range {
    int first, count, fps;
};

Range clip_range(const std::vector<Clip>& clips, const char* name, int base) {
    int at = base;
    for (const Clip& c : clips) {
        if (std::string(c.name) == name) return {at, c.count, c.fps};
        at += c.count;
    }
    return {base, 1, 1};
}

}  // namespace

std::vector<Pose> animation_poses() {
    std::vector<Pose> out;
    for (const auto* clips : {&both_clips(), &legs_clips()})
        for (const Clip& c : *clips)
            for (int i = 0; i < c.count; ++i) out.push_back(c.pose(2 * kPi * i / c.count, i));
    return out;
}

std::vector<AnimLine> animation_lines() {
    const int legs = both_frames();
    auto both = [&](const char* n) { return clip_range(both_clips(), n, 0); };
    auto leg = [&](const char* n) { return clip_range(legs_clips(), n, legs); };
    auto line = [](const char* name, Range r, bool loops) {
        return AnimLine{name, r.first, r.count, loops ? r.count : 0, r.fps};
    };
    const Range swim = leg("swim"), drift = both("drift");
    return {
        line("BOTH_DEATH1", both("struggle"), true),
        line("BOTH_DEAD1", drift, true),
        line("BOTH_DEATH2", drift, true),
        line("BOTH_DEAD2", drift, true),
        line("BOTH_DEATH3", drift, true),
        line("BOTH_DEAD3", drift, true),
        // Torso animations share the legs' frames in a one-model character: they play the swim.
        line("TORSO_GESTURE", swim, true),
        line("TORSO_ATTACK", swim, true),
        line("TORSO_ATTACK2", swim, true),
        line("TORSO_DROP", swim, true),
        line("TORSO_RAISE", swim, true),
        line("TORSO_STAND", swim, true),
        line("TORSO_STAND2", swim, true),
        line("LEGS_WALKCR", swim, true),
        line("LEGS_WALK", swim, true),
        line("LEGS_RUN", leg("dash"), true),
        line("LEGS_BACK", swim, true),
        line("LEGS_SWIM", swim, true),
        line("LEGS_JUMP", leg("dash"), true),
        line("LEGS_LAND", swim, true),
        line("LEGS_JUMPB", swim, true),
        line("LEGS_LANDB", leg("startle"), true),
        line("LEGS_IDLE", leg("wince_neg"), true),
        line("LEGS_IDLECR", leg("wince_pos"), true),
        line("LEGS_TURN", leg("recoil"), true),
    };
}

std::string animation_cfg() {
    const std::vector<AnimLine> lines = animation_lines();
    // The reader subtracts (first of LEGS_WALKCR) - (first of TORSO_GESTURE) from every legs line, so the
    // legs lines are written after a torso block as long as the torso lines reach.
    const int torso_first = lines[6].first;
    int torso_end = torso_first;
    for (int i = 6; i <= 12; ++i) torso_end = std::max(torso_end, lines[i].first + lines[i].count);
    const int shift = torso_end - lines[13].first;
    std::ostringstream out;
    out << "// animation config file\n\n";
    out << "sex\tn\n\n";
    out << "headoffset\t0 0 0\n";
    out << "footsteps\tnormal\n\n";
    out << "// first frame, num frames, looping frames, frames per second\n\n";
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i == 6) out << "\n";
        if (i == 13) out << "\n";
        const AnimLine& l = lines[i];
        const int first = i >= 13 ? l.first + shift : l.first;
        out << first << '\t' << l.count << '\t' << l.looping << '\t' << l.fps << "\t\t// " << l.name << '\n';
    }
    return out.str();
}

}  // namespace assetgen
