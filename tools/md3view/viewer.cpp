#include "viewer.h"

#include <GL/gl.h>
#include <strings.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace md3view {

using namespace corvala;
namespace fs = std::filesystem;

namespace {

const char* const kNames[Q3_LEGS_TURN + 1] = {
    "Q3_BOTH_DEATH1", "Q3_BOTH_DEAD1",    "Q3_BOTH_DEATH2",  "Q3_BOTH_DEAD2",    "Q3_BOTH_DEATH3",
    "Q3_BOTH_DEAD3",  "Q3_TORSO_GESTURE", "Q3_TORSO_ATTACK", "Q3_TORSO_ATTACK2", "Q3_TORSO_DROP",
    "Q3_TORSO_RAISE", "Q3_TORSO_STAND",   "Q3_TORSO_STAND2", "Q3_LEGS_WALKCR",   "Q3_LEGS_WALK",
    "Q3_LEGS_RUN",    "Q3_LEGS_BACK",     "Q3_LEGS_SWIM",    "Q3_LEGS_JUMP",     "Q3_LEGS_LAND",
    "Q3_LEGS_JUMPB",  "Q3_LEGS_LANDB",    "Q3_LEGS_IDLE",    "Q3_LEGS_IDLECR",   "Q3_LEGS_TURN",
};

// Frames per clock unit when there is no animation.cfg to say.
constexpr int32_t kDefaultFps = 10;

// Player files come from case-insensitive file systems: "Lower.MD3" is lower.md3. Only regular files
// count: a pipe or a device under that name would never end.
fs::path find_in(const fs::path& folder, const std::string& name) {
    std::error_code ec;
    for (const fs::directory_entry& e : fs::directory_iterator(folder, ec))
        if (strcasecmp(e.path().filename().c_str(), name.c_str()) == 0 && e.is_regular_file(ec)) return e.path();
    return {};
}

// The skin for a part: PART_default.skin when there is one, else the first PART_*.skin by name.
fs::path find_skin(const fs::path& folder, const std::string& part) {
    const fs::path preferred = find_in(folder, part + "_default.skin");
    if (!preferred.empty()) return preferred;
    std::vector<fs::path> found;
    std::error_code ec;
    for (const fs::directory_entry& e : fs::directory_iterator(folder, ec)) {
        const std::string file = e.path().filename().string();
        if (e.is_regular_file(ec) && file.size() > part.size() + 6 &&
            strncasecmp(file.c_str(), (part + "_").c_str(), part.size() + 1) == 0 &&
            strcasecmp(file.c_str() + file.size() - 5, ".skin") == 0)
            found.push_back(e.path());
    }
    std::sort(found.begin(), found.end());
    return found.empty() ? fs::path() : found.front();
}

enum class Load { ok, unreadable, not_md3 };

Load load_md3(TGLMD3MODEL& model, const fs::path& file, std::string& why) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        why = std::strerror(errno);
        return Load::unreadable;
    }
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        why = "read error";
        return Load::unreadable;
    }
    if (!load_md3_from_memory(model, bytes.data(), bytes.size())) return Load::not_md3;
    model.MD3NAME = file.string();
    return Load::ok;
}

// Ranges as the framework's character loader leaves them, from the cfg or, without one, every frame.
void start(QUAKE3ANIMATION& part, bool has_cfg, int32_t anim) {
    if (has_cfg) {
        part.MODEL.STARTFRAME = 0;
        part.MODEL.ENDFRAME = 0;
        part.SELECTMODELANIM(anim);
        return;
    }
    part.MODEL.STARTFRAME = 0;
    part.MODEL.ENDFRAME = std::max(part.MODEL.HEADER.NUMBONEFRAMES, 0);
    part.MODEL.FPS = kDefaultFps;
    part.MODEL.NEXTFRAME = std::min(1, part.MODEL.ENDFRAME);
}

// The bounds of a model's first frame and, through its tags, of the models attached to it.
void grow_bounds(const TGLMD3MODEL& model, const float m[12], float lo[3], float hi[3], int depth) {
    for (const TMESH& mesh : model.MESHES) {
        const size_t v = size_t(std::max(mesh.MESHHEADER.NUMVERTEXES, 0));
        for (size_t i = 0; i < v && i < mesh.VERTEX.size(); ++i) {
            const float p[3] = {float(mesh.VERTEX[i].VERTEX[0] * kMd3XyzScale),
                                float(mesh.VERTEX[i].VERTEX[1] * kMd3XyzScale),
                                float(mesh.VERTEX[i].VERTEX[2] * kMd3XyzScale)};
            for (int k = 0; k < 3; ++k) {
                const float w = m[k] * p[0] + m[3 + k] * p[1] + m[6 + k] * p[2] + m[9 + k];
                lo[k] = std::min(lo[k], w);
                hi[k] = std::max(hi[k], w);
            }
        }
    }
    if (depth > 4) return;
    const size_t tags = size_t(std::max(model.HEADER.NUMTAGS, 0));
    for (size_t t = 0; t < tags && t < model.LINKS.size() && t < model.TAGS.size(); ++t) {
        if (!model.LINKS[t] || model.LINKS[t] == &model) continue;
        const TGLTAG& tag = model.TAGS[t];
        float c[12];
        for (int col = 0; col < 3; ++col)
            for (int k = 0; k < 3; ++k)
                c[col * 3 + k] =
                    m[k] * tag.ROTATION[col][0] + m[3 + k] * tag.ROTATION[col][1] + m[6 + k] * tag.ROTATION[col][2];
        for (int k = 0; k < 3; ++k)
            c[9 + k] = m[k] * tag.POSITION.X + m[3 + k] * tag.POSITION.Y + m[6 + k] * tag.POSITION.Z + m[9 + k];
        grow_bounds(*model.LINKS[t], c, lo, hi, depth + 1);
    }
}

void frame_camera(Scene& s) {
    float lo[3] = {1e30f, 1e30f, 1e30f}, hi[3] = {-1e30f, -1e30f, -1e30f};
    const float identity[12] = {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0};
    if (s.has_lower) grow_bounds(s.lower.MODEL, identity, lo, hi, 0);
    if (s.has_upper && !s.upper_attached) grow_bounds(s.upper.MODEL, identity, lo, hi, 0);
    if (s.has_head && !s.head_attached) grow_bounds(s.head, identity, lo, hi, 0);
    if (lo[0] > hi[0]) return;  // nothing to draw: keep the defaults
    float r = 0;
    for (int k = 0; k < 3; ++k) {
        s.center[k] = (lo[k] + hi[k]) / 2;
        r = std::max(r, (hi[k] - lo[k]) / 2);
    }
    s.radius = std::max(r * std::sqrt(3.0f), 0.01f);
    s.distance = s.radius * 3.4f;
}

std::string frames_of(const TGLMD3MODEL& m) {
    return "frame " + std::to_string(m.FRAME) + " (" + std::to_string(m.STARTFRAME) + "-" + std::to_string(m.ENDFRAME) +
           "), " + std::to_string(m.FPS) + " fps";
}

int32_t cycle(int32_t anim, int direction, int32_t first, int32_t last) {
    if (anim < first || anim > last) return direction > 0 ? first : last;
    const int32_t n = last - first + 1;
    return first + ((anim - first + direction) % n + n) % n;
}

}  // namespace

const char* animation_name(int32_t anim) { return anim >= 0 && anim <= Q3_LEGS_TURN ? kNames[anim] : "?"; }

bool load_scene(Scene& s, const std::string& path, std::string& error) {
    std::error_code ec;
    const fs::path p(path);
    const fs::file_status st = fs::status(p, ec);
    if (!fs::exists(st)) {
        error = path + ": " + std::strerror(ENOENT);
        return false;
    }
    fs::path folder;
    if (fs::is_directory(st)) {
        s.player = true;
        folder = p;
        fs::path whole = fs::absolute(p).lexically_normal();
        if (whole.filename().empty()) whole = whole.parent_path();  // "folder/" names the folder
        s.name = whole.filename().string();
        struct Part {
            const char* name;
            TGLMD3MODEL* model;
            bool* present;
        } parts[] = {{"lower", &s.lower.MODEL, &s.has_lower},
                     {"upper", &s.upper.MODEL, &s.has_upper},
                     {"head", &s.head, &s.has_head}};
        for (const Part& part : parts) {
            const fs::path file = find_in(folder, std::string(part.name) + ".md3");
            if (file.empty()) {
                s.warnings.push_back(std::string("no ") + part.name + ".md3");
                continue;
            }
            std::string why;
            const Load r = load_md3(*part.model, file, why);
            if (r == Load::ok) *part.present = true;
            else
                s.warnings.push_back(file.filename().string() +
                                     (r == Load::unreadable ? ": " + why : ": not an MD3 model"));
        }
        if (!s.has_lower && !s.has_upper && !s.has_head) {
            error = path + ": no lower.md3, upper.md3 or head.md3 that is an MD3 model";
            return false;
        }
        s.lower_skin = find_skin(folder, "lower").string();
        s.upper_skin = find_skin(folder, "upper").string();
        s.head_skin = find_skin(folder, "head").string();
    } else if (!fs::is_regular_file(st)) {
        error = path + ": neither a folder nor a file";  // a pipe or a device: reading it might never end
        return false;
    } else {
        folder = p.parent_path().empty() ? fs::path(".") : p.parent_path();
        s.name = p.filename().string();
        std::string why;
        const Load r = load_md3(s.lower.MODEL, p, why);
        if (r != Load::ok) {
            error = path + (r == Load::unreadable ? ": " + why : ": not an MD3 model");
            return false;
        }
        s.has_lower = true;
        s.lower_skin = find_skin(folder, p.stem().string()).string();
    }

    const fs::path cfg = find_in(folder, "animation.cfg");
    s.has_cfg = !cfg.empty();
    if (s.has_cfg) {
        s.lower.LOADANIM(cfg.string());
        s.upper.LOADANIM(cfg.string());
    }
    if (s.player) {
        start(s.lower, s.has_cfg, s.legs_anim);
        start(s.upper, s.has_cfg, s.torso_anim);
        if (s.has_lower && s.has_upper) {
            s.upper_attached = s.lower.MODEL.LINKMODEL("tag_torso", s.upper.MODEL);
            if (!s.upper_attached) s.warnings.push_back("lower.md3 has no tag_torso");
        }
        if (s.has_upper && s.has_head) {
            s.head_attached = s.upper.MODEL.LINKMODEL("tag_head", s.head);
            if (!s.head_attached) s.warnings.push_back("upper.md3 has no tag_head");
        }
    } else {
        start(s.lower, s.has_cfg, s.torso_anim);
    }
    frame_camera(s);
    return true;
}

void load_skins(Scene& s) {
    struct Part {
        bool present;
        TGLMD3MODEL& model;
        const std::string& skin;
    } parts[] = {{s.has_lower, s.lower.MODEL, s.lower_skin},
                 {s.has_upper, s.upper.MODEL, s.upper_skin},
                 {s.has_head, s.head, s.head_skin}};
    for (const Part& part : parts) {
        if (!part.present || part.skin.empty()) continue;
        if (part.model.LOADSKIN(part.skin) > 0) s.textured = true;
        else s.warnings.push_back(fs::path(part.skin).filename().string() + ": no image for any surface");
    }
}

void step_torso(Scene& s, int direction) {
    if (!s.has_cfg) return;
    s.torso_anim = cycle(s.torso_anim, direction, Q3_TORSO_GESTURE, Q3_TORSO_STAND2);
    (s.player ? s.upper : s.lower).SELECTMODELANIM(s.torso_anim);
}

void step_legs(Scene& s, int direction) {
    if (!s.has_cfg) return;
    s.legs_anim = cycle(s.legs_anim, direction, Q3_LEGS_WALKCR, Q3_LEGS_TURN);
    s.lower.SELECTMODELANIM(s.legs_anim);
}

void step_both(Scene& s, int direction) {
    if (!s.has_cfg) return;
    const int32_t current = s.torso_anim <= Q3_BOTH_DEAD3 ? s.torso_anim : -1;
    s.torso_anim = s.legs_anim = cycle(current, direction, Q3_BOTH_DEATH1, Q3_BOTH_DEAD3);
    s.lower.SELECTMODELANIM(s.torso_anim);
    if (s.player) s.upper.SELECTMODELANIM(s.torso_anim);
}

void zoom(Scene& s, float factor) { s.distance = std::clamp(s.distance * factor, s.radius * 0.5f, s.radius * 50.0f); }

void draw_scene(Scene& s, float time) {
    glLoadIdentity();
    SETGLLIGHT(GL_LIGHT0, 0, 0, 0, 0.1f);
    glTranslatef(0, 0, -s.distance);
    glRotatef(XROT + 15, 1, 0, 0);  // a little from above and from the side, until the user turns it
    glRotatef(YROT - 30, 0, 1, 0);
    // The format's characters stand on z and look along x: stand them up, facing the viewer.
    glRotatef(-90, 1, 0, 0);
    glRotatef(-90, 0, 0, 1);
    glTranslatef(-s.center[0], -s.center[1], -s.center[2]);
    if (s.textured) {
        TEXTUREON();
        glBindTexture(GL_TEXTURE_2D, 0);  // surfaces without an image stay untextured
    } else {
        TEXTUREOFF();
    }
    glColor4f(1, 1, 1, 1);
    // An attached upper part is drawn through the lower part's tag, so only its clock is run here.
    if (s.has_upper && s.upper_attached) {
        s.upper.TIMER = float(s.upper.TIMER + time / 10000.0);
        s.upper.MODEL.UPDATEFRAME(s.upper.TIMER);
    }
    if (s.has_lower) s.lower.PUTMODEL(time);
    if (s.has_upper && !s.upper_attached) s.upper.PUTMODEL(time);
    if (s.has_head && !s.head_attached) s.head.DRAWSKELETON(s.head);
    TEXTUREOFF();
}

std::vector<std::string> overlay_lines(const Scene& s) {
    std::vector<std::string> lines;
    lines.push_back(std::string(s.player ? "Player " : "Model ") + s.name);
    if (!s.has_cfg) {
        lines.push_back("No animation.cfg: every frame in turn");
        if (s.has_lower) lines.push_back("Legs  " + frames_of(s.lower.MODEL));
        if (s.has_upper) lines.push_back("Torso " + frames_of(s.upper.MODEL));
    } else if (s.player) {
        lines.push_back(std::string("Torso ") + animation_name(s.upper.ANIMMODEL));
        if (s.has_upper) lines.push_back("      " + frames_of(s.upper.MODEL));
        lines.push_back(std::string("Legs  ") + animation_name(s.lower.ANIMMODEL));
        if (s.has_lower) lines.push_back("      " + frames_of(s.lower.MODEL));
    } else {
        lines.push_back(std::string("Animation ") + animation_name(s.lower.ANIMMODEL));
        lines.push_back("      " + frames_of(s.lower.MODEL));
    }
    for (const std::string& w : s.warnings) lines.push_back("! " + w);
    lines.push_back("Up/Down torso  Left/Right legs  B both");
    lines.push_back("+/- zoom  drag turns  Esc ends");
    return lines;
}

}  // namespace md3view
