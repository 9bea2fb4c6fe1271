// corvala-md3view's scene: a Quake III player (lower, upper and head parts joined at their tags) or
// one MD3 model, its animations, and what the overlay says about them. Built on Corvala's installed
// interface only.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include <corvala/Corvala.h>

#include "files.h"

namespace md3view {

// Which animations a single model plays: a lower part the legs group, an upper part the torso group,
// anything else every group.
enum class Role { any, legs, torso };

struct Scene {
    std::string name;     // the folder's or the file's name, for the overlay
    bool player = false;  // a player folder rather than one model
    Role role = Role::any;
    bool has_lower = false, has_upper = false, has_head = false;
    bool upper_attached = false, head_attached = false;
    bool has_cfg = false;            // animation ranges came from an animation.cfg
    corvala::QUAKE3ANIMATION lower;  // the one model when PATH is a file
    corvala::QUAKE3ANIMATION upper;
    corvala::TGLMD3MODEL head;                      // with more than one frame it plays the upper part's frames
    Files files;                                    // where the model and its skins and images are read from
    std::string folder;                             // the model's folder inside FILES
    std::string lower_skin, upper_skin, head_skin;  // .skin files found for the parts, if any (inside FILES)
    bool textured = false;                          // some surface has a skin image
    int32_t torso_anim = corvala::Q3_TORSO_STAND;
    int32_t legs_anim = corvala::Q3_LEGS_IDLE;
    float center[3] = {0, 0, 0};        // of the model's bounds over its current animations
    float radius = 1;                   // of a sphere round them
    float distance = 3;                 // camera distance, changed by zooming
    std::vector<std::string> warnings;  // what could not be shown, one line each
};

// Reads PATH on disk, a player folder or one .md3 file, without touching OpenGL. Skins and images are
// then looked up from the data folder, the nearest folder above PATH that holds models/. False with
// one line in ERROR when nothing in PATH is an MD3 model that can be read.
bool load_scene(Scene& scene, const std::string& path, std::string& error);
// The same for a model inside SCENE.files (archives, say): PATH is a player folder ("models/players/x")
// or an .md3 file there.
bool load_scene_from(Scene& scene, const std::string& path, std::string& error);
// The player folders under models/players/ of FILES that hold a lower, upper or head part.
std::vector<std::string> list_players(const Files& files);

// Uploads the skins' images; needs the window's OpenGL context.
void load_skins(Scene& scene);

// Animation steps: the torso group on the upper part, the legs group on the lower part, the
// both-halves group on both. DIRECTION is +1 or -1; a single model takes the groups its role plays.
void step_torso(Scene& scene, int direction);
void step_legs(Scene& scene, int direction);
void step_both(Scene& scene, int direction);
void zoom(Scene& scene, float factor);
// Puts the model's bounds over its current animations in the middle of the view and fills it with them.
void fit(Scene& scene);

// Advances the parts' clocks by TIME (the framework's PUTMODEL units) and draws the model turned by
// the framework's drag accumulators, in the current perspective set-up.
void draw_scene(Scene& scene, float time);

// The overlay's lines: model, animations, frames, frame rates, keys.
std::vector<std::string> overlay_lines(const Scene& scene);

const char* animation_name(int32_t anim);  // "Q3_TORSO_STAND"; "?" outside 0..24

}  // namespace md3view
