// corvala-md3view's scene: a Quake III player (lower, upper and head parts joined at their tags) or
// one MD3 model, its animations, and what the overlay says about them. Built on Corvala's installed
// interface only.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include <corvala/Corvala.h>

namespace md3view {

struct Scene {
    std::string name;     // the folder's or the file's name, for the overlay
    bool player = false;  // a player folder rather than one model
    bool has_lower = false, has_upper = false, has_head = false;
    bool upper_attached = false, head_attached = false;
    bool has_cfg = false;            // animation ranges came from an animation.cfg
    corvala::QUAKE3ANIMATION lower;  // the one model when PATH is a file
    corvala::QUAKE3ANIMATION upper;
    corvala::TGLMD3MODEL head;
    std::string lower_skin, upper_skin, head_skin;  // .skin files found for the parts, if any
    bool textured = false;                          // some surface has a skin image
    int32_t torso_anim = corvala::Q3_TORSO_STAND;
    int32_t legs_anim = corvala::Q3_LEGS_IDLE;
    float center[3] = {0, 0, 0};        // of the assembled model's first frame
    float radius = 1;                   // of a sphere round it
    float distance = 3;                 // camera distance, changed by zooming
    std::vector<std::string> warnings;  // what could not be shown, one line each
};

// Reads PATH, a player folder or one .md3 file, without touching OpenGL. False with one line in
// ERROR when nothing in PATH is an MD3 model that can be read.
bool load_scene(Scene& scene, const std::string& path, std::string& error);

// Uploads the skins' images; needs the window's OpenGL context.
void load_skins(Scene& scene);

// Animation steps: the torso group on the upper part, the legs group on the lower part, the
// both-halves group on both. DIRECTION is +1 or -1; a single model takes every group.
void step_torso(Scene& scene, int direction);
void step_legs(Scene& scene, int direction);
void step_both(Scene& scene, int direction);
void zoom(Scene& scene, float factor);

// Advances the parts' clocks by TIME (the framework's PUTMODEL units) and draws the model turned by
// the framework's drag accumulators, in the current perspective set-up.
void draw_scene(Scene& scene, float time);

// The overlay's lines: model, animations, frames, frame rates, keys.
std::vector<std::string> overlay_lines(const Scene& scene);

const char* animation_name(int32_t anim);  // "Q3_TORSO_STAND"; "?" outside 0..24

}  // namespace md3view
