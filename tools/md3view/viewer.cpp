#include "viewer.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>

#include "platform/host/host.h"
#include "skins.h"

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
// The framework's perspective: 45 degrees of field of view from top to bottom.
constexpr float kHalfFovRadians = float(22.5 * kPi / 180);
constexpr float kFitMargin = 1.15f;  // room round the model, and for the overlay above it
constexpr int kMaxTagDepth = 4;      // parts hang at most this deep; a loop of tags ends there

bool ends_with(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && lower(s.substr(s.size() - tail.size())) == tail;
}

std::string join(const std::string& folder, const std::string& name) {
    return folder.empty() ? name : folder + "/" + name;
}

enum class Load { ok, unreadable, not_md3 };

Load load_md3(TGLMD3MODEL& model, const Files& files, const std::string& path) {
    std::vector<uint8_t> bytes;
    if (!files.read(path, bytes)) return Load::unreadable;
    if (!load_md3_from_memory(model, bytes.data(), bytes.size())) return Load::not_md3;
    model.MD3NAME = path;
    return Load::ok;
}

std::string load_problem(Load r) { return r == Load::unreadable ? ": cannot be read" : ": not an MD3 model"; }

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

// Real parts rarely hold every frame animation.cfg names (a head has one, a part may have fewer than
// the ranges reach): a frame is drawn as the nearest one the part has, as the format's engines do.
int32_t held(const TGLMD3MODEL& m, int32_t frame) { return std::clamp(frame, 0, std::max(m.HEADER.NUMBONEFRAMES, 0)); }

bool animated_head(const Scene& s) { return s.has_head && s.head.HEADER.NUMBONEFRAMES > 0; }

// A tag's matrix with its axes at unit length, as the format's engines take them (they blend tags
// between frames and stretch the axes back). Some exporters store longer axes: taken as they are,
// every part down the chain would be drawn that many times larger than its parent, the last one
// filling the view and the others shrunk out of sight.
void tag_matrix(const TGLTAG& tag, float m[16]) {
    TagMatrix(tag, m);
    for (int axis = 0; axis < 3; ++axis) {
        float* a = m + 4 * axis;
        const float length = std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]);
        if (length > 0 && std::isfinite(length))
            for (int k = 0; k < 3; ++k) a[k] /= length;
    }
}

struct Box {
    float lo[3] = {1e30f, 1e30f, 1e30f}, hi[3] = {-1e30f, -1e30f, -1e30f};
    bool empty() const { return lo[0] > hi[0]; }
    void add(const float p[3]) {
        for (int k = 0; k < 3; ++k) lo[k] = std::min(lo[k], p[k]), hi[k] = std::max(hi[k], p[k]);
    }
};

// The frames a model runs through in its current animation, as it draws them.
void range_of(const Scene& s, const TGLMD3MODEL& m, int32_t& first, int32_t& last) {
    const TGLMD3MODEL& clock = (&m == &s.head && animated_head(s) && s.has_upper) ? s.upper.MODEL : m;
    first = held(m, clock.STARTFRAME);
    last = held(m, clock.ENDFRAME);
    if (&m == &s.head && !animated_head(s)) first = last = 0;
    if (first > last) std::swap(first, last);
}

Box bounds(const Scene& s, const TGLMD3MODEL& m, int depth) {
    Box box;
    int32_t first, last;
    range_of(s, m, first, last);
    for (const TMESH& mesh : m.MESHES) {
        const size_t v = size_t(std::max(mesh.MESHHEADER.NUMVERTEXES, 0));
        for (int32_t f = first; f <= last; ++f)
            for (size_t i = size_t(f) * v; i < size_t(f + 1) * v && i < mesh.VERTEX.size(); ++i) {
                const float p[3] = {float(mesh.VERTEX[i].VERTEX[0] * kMd3XyzScale),
                                    float(mesh.VERTEX[i].VERTEX[1] * kMd3XyzScale),
                                    float(mesh.VERTEX[i].VERTEX[2] * kMd3XyzScale)};
                box.add(p);
            }
    }
    if (depth >= kMaxTagDepth) return box;
    const size_t tags = size_t(std::max(m.HEADER.NUMTAGS, 0));
    for (size_t t = 0; t < tags && t < m.LINKS.size(); ++t) {
        if (!m.LINKS[t] || m.LINKS[t] == &m) continue;
        const Box child = bounds(s, *m.LINKS[t], depth + 1);
        if (child.empty()) continue;
        // The child's box at every tag position of this model's frames, corner by corner.
        for (int32_t f = first; f <= last; ++f) {
            const size_t at = size_t(f) * tags + t;
            if (at >= m.TAGS.size()) continue;
            float mt[16];
            tag_matrix(m.TAGS[at], mt);
            for (int c = 0; c < 8; ++c) {
                const float q[3] = {(c & 1) ? child.hi[0] : child.lo[0], (c & 2) ? child.hi[1] : child.lo[1],
                                    (c & 4) ? child.hi[2] : child.lo[2]};
                float p[3];
                for (int k = 0; k < 3; ++k) p[k] = mt[12 + k] + q[0] * mt[k] + q[1] * mt[4 + k] + q[2] * mt[8 + k];
                box.add(p);
            }
        }
    }
    return box;
}

// The turn draw_scene gives the model, as a 3 x 3 row-major matrix: a little from above and from the
// side until the user drags, and the format's characters (standing on z, looking along x) stood up.
constexpr float kTiltDegrees = 15, kSideDegrees = -30;

void rotation(float degrees, int axis, float out[9]) {
    const float a = degrees * float(kPi) / 180, c = std::cos(a), sn = std::sin(a);
    const int i = (axis + 1) % 3, j = (axis + 2) % 3;
    for (int k = 0; k < 9; ++k) out[k] = (k % 4 == 0) ? 1.0f : 0.0f;
    out[i * 3 + i] = c, out[i * 3 + j] = -sn, out[j * 3 + i] = sn, out[j * 3 + j] = c;
}

void multiply(const float a[9], const float b[9], float out[9]) {
    float t[9];
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) t[r * 3 + c] = a[r * 3] * b[c] + a[r * 3 + 1] * b[3 + c] + a[r * 3 + 2] * b[6 + c];
    std::copy(t, t + 9, out);
}

void view_turn(float out[9]) {
    float r[9];
    rotation(XROT + kTiltDegrees, 0, out);
    rotation(YROT + kSideDegrees, 1, r);
    multiply(out, r, out);
    rotation(-90, 0, r);
    multiply(out, r, out);
    rotation(-90, 2, r);
    multiply(out, r, out);
}

// Like the framework's DRAWSKELETON, with every part's frames held to the frames it has and its tags'
// axes at unit length.
void draw_part(TGLMD3MODEL& m, int depth) {
    glCullFace(GL_FRONT);
    m.PUTMODELINT(held(m, m.FRAME), held(m, m.NEXTFRAME), double(m.POLL));
    glCullFace(GL_BACK);
    if (depth >= kMaxTagDepth) return;
    const size_t tags = size_t(std::max(m.HEADER.NUMTAGS, 0));
    for (size_t t = 0; t < tags && t < m.LINKS.size(); ++t) {
        TGLMD3MODEL* child = m.LINKS[t];
        const size_t at = size_t(held(m, m.FRAME)) * tags + t;
        if (!child || child == &m || at >= m.TAGS.size()) continue;
        float matrix[16];
        tag_matrix(m.TAGS[at], matrix);
        glPushMatrix();
        glMultMatrixf(matrix);
        draw_part(*child, depth + 1);
        glPopMatrix();
    }
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

// The data folder of a model on disk: the nearest folder at or above FOLDER that holds models/.
fs::path data_folder(const fs::path& folder) {
    std::error_code ec;
    for (fs::path p = folder; !p.empty(); p = p.parent_path()) {
        if (fs::is_directory(host::MapPath((p / "models").string().c_str()), ec)) return p;
        if (p == p.root_path()) break;
    }
    return folder;
}

bool load_player(Scene& s, const std::string& folder, const std::string& shown, std::string& error) {
    s.player = true;
    struct Part {
        const char* name;
        TGLMD3MODEL* model;
        bool* present;
    } parts[] = {{"lower", &s.lower.MODEL, &s.has_lower},
                 {"upper", &s.upper.MODEL, &s.has_upper},
                 {"head", &s.head, &s.has_head}};
    for (const Part& part : parts) {
        const std::string file = join(folder, std::string(part.name) + ".md3");
        if (!s.files.exists(file)) {
            s.warnings.push_back(std::string("no ") + part.name + ".md3");
            continue;
        }
        const Load r = load_md3(*part.model, s.files, file);
        if (r == Load::ok) *part.present = true;
        else s.warnings.push_back(std::string(part.name) + ".md3" + load_problem(r));
    }
    if (!s.has_lower && !s.has_upper && !s.has_head) {
        error = shown + ": no lower.md3, upper.md3 or head.md3 that is an MD3 model";
        return false;
    }
    return true;
}

void finish(Scene& s);

}  // namespace

const char* animation_name(int32_t anim) { return anim >= 0 && anim <= Q3_LEGS_TURN ? kNames[anim] : "?"; }

bool load_scene(Scene& s, const std::string& path, std::string& error) {
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (!fs::exists(st)) {
        error = path + ": " + std::strerror(ENOENT);
        return false;
    }
    if (!fs::is_directory(st) && !fs::is_regular_file(st)) {
        error = path + ": neither a folder nor a file";  // a pipe or a device: reading it might never end
        return false;
    }
    fs::path whole = fs::absolute(path, ec).lexically_normal();
    if (whole.filename().empty()) whole = whole.parent_path();  // "folder/" names the folder
    const fs::path folder = fs::is_directory(st) ? whole : whole.parent_path();
    const fs::path root = data_folder(folder);
    s.files = Files();
    s.files.add_folder(root.string());
    std::string inside = whole.lexically_relative(root).generic_string();
    if (inside == ".") inside.clear();
    s.name = whole.filename().string();
    if (fs::is_directory(st)) {
        s.folder = inside;
        if (!load_player(s, inside, path, error)) return false;
        finish(s);
        return true;
    }
    s.folder = folder.lexically_relative(root).generic_string();
    if (s.folder == ".") s.folder.clear();
    const Load r = load_md3(s.lower.MODEL, s.files, inside);
    if (r != Load::ok) {
        error = path + (r == Load::unreadable ? ": " + std::string(std::strerror(EACCES)) : ": not an MD3 model");
        return false;
    }
    s.has_lower = true;
    finish(s);
    return true;
}

bool load_scene_from(Scene& s, const std::string& path, std::string& error) {
    const std::string p = normal_path(path);
    const size_t slash = p.rfind('/');
    s.name = p.substr(slash == std::string::npos ? 0 : slash + 1);
    if (ends_with(p, ".md3")) {
        const Load r = load_md3(s.lower.MODEL, s.files, p);
        if (r != Load::ok) {
            error = path + (s.files.exists(p) ? load_problem(r) : ": " + std::string(std::strerror(ENOENT)));
            return false;
        }
        s.has_lower = true;
        s.folder = slash == std::string::npos ? std::string() : p.substr(0, slash);
    } else {
        if (!s.files.folder_exists(p)) {
            error = path + ": " + std::strerror(ENOENT);
            return false;
        }
        s.folder = p;
        if (!load_player(s, p, path, error)) return false;
    }
    finish(s);
    return true;
}

namespace {

// What a player folder and a single model share once their parts are read: skins, animations, tags, framing.
void finish(Scene& s) {
    if (s.player) {
        s.lower_skin = find_skin(s.files, s.folder, "lower");
        s.upper_skin = find_skin(s.files, s.folder, "upper");
        s.head_skin = find_skin(s.files, s.folder, "head");
    } else {
        const std::string stem = s.name.substr(0, s.name.size() - std::min<size_t>(s.name.size(), 4));
        s.lower_skin = find_skin(s.files, s.folder, ends_with(s.name, ".md3") ? stem : s.name);
        const std::string n = lower(s.name);
        s.role = n.rfind("lower", 0) == 0 ? Role::legs : n.rfind("upper", 0) == 0 ? Role::torso : Role::any;
    }

    std::vector<uint8_t> cfg;
    s.has_cfg = s.files.read(join(s.folder, "animation.cfg"), cfg);
    if (s.has_cfg) {
        const std::string text(cfg.begin(), cfg.end());
        load_anim_from_text(s.lower, text);
        load_anim_from_text(s.upper, text);
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
        start(s.lower, s.has_cfg, s.role == Role::legs ? s.legs_anim : s.torso_anim);
    }
    fit(s);
}

}  // namespace

std::vector<std::string> list_players(const Files& files) {
    std::vector<std::string> out;
    for (const Entry& e : files.list("models/players")) {
        if (!e.folder) continue;
        const std::string folder = "models/players/" + e.name;
        if (files.exists(folder + "/lower.md3") || files.exists(folder + "/upper.md3") ||
            files.exists(folder + "/head.md3"))
            out.push_back(folder);
    }
    return out;
}

void step_torso(Scene& s, int direction) {
    if (!s.has_cfg || (!s.player && s.role == Role::legs)) return;
    s.torso_anim = cycle(s.torso_anim, direction, Q3_TORSO_GESTURE, Q3_TORSO_STAND2);
    (s.player ? s.upper : s.lower).SELECTMODELANIM(s.torso_anim);
}

void step_legs(Scene& s, int direction) {
    if (!s.has_cfg || (!s.player && s.role == Role::torso)) return;
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

void fit(Scene& s) {
    Box box;
    const TGLMD3MODEL* roots[] = {s.has_lower ? &s.lower.MODEL : nullptr,
                                  s.has_upper && !s.upper_attached ? &s.upper.MODEL : nullptr,
                                  s.has_head && !s.head_attached ? &s.head : nullptr};
    for (const TGLMD3MODEL* m : roots) {
        if (!m) continue;
        const Box b = bounds(s, *m, 0);
        if (!b.empty()) box.add(b.lo), box.add(b.hi);
    }
    if (box.empty()) return;  // nothing to draw: keep what there is
    float r2 = 0;
    for (int k = 0; k < 3; ++k) {
        s.center[k] = (box.lo[k] + box.hi[k]) / 2;
        r2 += (box.hi[k] - box.lo[k]) * (box.hi[k] - box.lo[k]) / 4;
    }
    s.radius = std::max(std::sqrt(r2), 0.01f);
    // The box's corners as the camera sees them turned (view_turn), and the nearest camera distance
    // at which every one lies inside the field of view, up and down as well as across.
    float turn[9];
    view_turn(turn);
    const float aspect = WIDTH > 0 && HEIGHT > 0 ? float(WIDTH) / float(HEIGHT) : 4.0f / 3.0f;
    const float tan_v = std::tan(kHalfFovRadians), tan_h = tan_v * aspect;
    float distance = 0;
    for (int c = 0; c < 8; ++c) {
        const float p[3] = {((c & 1) ? box.hi[0] : box.lo[0]) - s.center[0],
                            ((c & 2) ? box.hi[1] : box.lo[1]) - s.center[1],
                            ((c & 4) ? box.hi[2] : box.lo[2]) - s.center[2]};
        float q[3];
        for (int r = 0; r < 3; ++r) q[r] = turn[r * 3] * p[0] + turn[r * 3 + 1] * p[1] + turn[r * 3 + 2] * p[2];
        distance = std::max({distance, q[2] + std::fabs(q[1]) / tan_v, q[2] + std::fabs(q[0]) / tan_h});
    }
    s.distance = std::max(distance * kFitMargin, s.radius * 0.5f);
}

void draw_scene(Scene& s, float time) {
    glLoadIdentity();
    SETGLLIGHT(GL_LIGHT0, 0, 0, 0, 0.1f);
    glTranslatef(0, 0, -s.distance);
    glRotatef(XROT + kTiltDegrees, 1, 0, 0);  // view_turn's turns, in the same order
    glRotatef(YROT + kSideDegrees, 0, 1, 0);
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
    QUAKE3ANIMATION* clocks[] = {s.has_lower ? &s.lower : nullptr, s.has_upper ? &s.upper : nullptr};
    for (QUAKE3ANIMATION* part : clocks) {
        if (!part) continue;
        part->TIMER = float(part->TIMER + time / 10000.0);
        part->MODEL.UPDATEFRAME(part->TIMER);
    }
    if (animated_head(s) && s.has_upper) {
        s.head.FRAME = s.upper.MODEL.FRAME;
        s.head.NEXTFRAME = s.upper.MODEL.NEXTFRAME;
        s.head.POLL = s.upper.MODEL.POLL;
    }
    if (s.has_lower) draw_part(s.lower.MODEL, 0);
    if (s.has_upper && !s.upper_attached) draw_part(s.upper.MODEL, 0);
    if (s.has_head && !s.head_attached) draw_part(s.head, 0);
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
    lines.push_back("+/- zoom  F fits  drag turns  Esc ends");
    return lines;
}

}  // namespace md3view
