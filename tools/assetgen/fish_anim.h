// The fish's animations: the pose of every model frame and the animation.cfg that names the ranges.
#pragma once

#include <string>
#include <vector>

#include "tools/assetgen/fish_geometry.h"

namespace assetgen {

struct AnimLine {
    const char* name;  // Quake III animation name, for the comment
    int first;         // first model frame
    int count;         // number of frames
    int looping;       // looping frames (kept for the format; the program does not use it)
    int fps;           // frames per clock unit
};

// Model frames in order: the both-group frames, then the legs frames.
std::vector<Pose> animation_poses();
// The 25 lines in the standard order, with model frame numbers.
std::vector<AnimLine> animation_lines();
// The file text: legs lines numbered after the torso block, as the format expects.
std::string animation_cfg();

}  // namespace assetgen
