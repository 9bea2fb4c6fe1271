// corvala-md3view PATH [--frames N]: shows a Quake III player folder or one MD3 model.
// corvala-md3view ARCHIVE.pk3... [PLAYER]: lists the players in the archives, or shows one of them.
//   On its web page, a .pk3 or .md3 file chosen or dropped there is shown instead.
//   Up/Down torso animations, Left/Right legs animations, B both halves, +/- or PageUp/PageDown zoom,
//   F fits the model to the window, dragging with the left button turns the model, Escape ends.
//   --frames N ends after N frames.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <corvala/Corvala.h>
#ifdef __EMSCRIPTEN__
#include "upload_web.h"
#endif

#include "platform/host/host.h"
#include "viewer.h"

using namespace corvala;

namespace {

int usage(const char* problem) {
    if (problem) std::fprintf(stderr, "corvala-md3view: %s\n", problem);
    std::fprintf(stderr,
                 "usage: corvala-md3view PATH [--frames N]\n"
                 "       corvala-md3view ARCHIVE.pk3... [PLAYER] [--frames N]\n"
                 "  PATH is a player folder (lower.md3, upper.md3, head.md3, animation.cfg) or one .md3 file;\n"
                 "  archives alone list their players, PLAYER (models/players/NAME or NAME) shows one\n");
    return 2;
}

// The font image of the text routines: installed beside the viewer's prefix, or the build's own.
std::string font_file() {
    const std::string exe_folder = host::ExecutableFolder();
    if (!exe_folder.empty()) {
        const std::string installed = exe_folder + "/../share/corvala/font.tga";
        if (host::FileExists(installed.c_str())) return installed;
    }
#ifdef MD3VIEW_BUILD_FONT
    if (host::FileExists(MD3VIEW_BUILD_FONT)) return MD3VIEW_BUILD_FONT;
#endif
    return std::string();
}

// Keys act once per press, not on every frame they are held.
bool pressed(int vk) {
    static bool down[501];
    const bool now = SETKEY[vk] != 0;
    const bool edge = now && !down[vk];
    down[vk] = now;
    return edge;
}

constexpr int32_t kFontSlot = 0;

bool is_archive(const std::string& arg) {
    return arg.size() > 4 && md3view::lower(arg.substr(arg.size() - 4)) == ".pk3";
}

void draw_overlay(const md3view::Scene& scene, bool have_font) {
    if (!have_font) return;
    OPENGL_I2D(0, 0.1, 0.12, 0.16);
    TEXTUREON();
    TEXTURETGASELECTID(kFontSlot);
    LIGHTINGOFF();
    glColor3f(0.9f, 0.9f, 0.8f);
    float y = 130;
    for (const std::string& line : md3view::overlay_lines(scene)) {
        ADDFONTSTRING(-192, y, 0.01f, 1, line);
        y -= 10;
    }
    TEXTUREOFF();
    LIGHTINGON();
}

#ifdef __EMSCRIPTEN__
// The first .md3 file by name in FOLDER, else in its folders in turn ("" for none).
std::string first_model(const md3view::Files& files, const std::string& folder) {
    const std::vector<md3view::Entry> entries = files.list(folder);
    for (const md3view::Entry& e : entries) {
        if (!e.folder && e.name.size() > 4 && md3view::lower(e.name.substr(e.name.size() - 4)) == ".md3")
            return folder + e.name;
    }
    for (const md3view::Entry& e : entries) {
        const std::string found = e.folder ? first_model(files, folder + e.name + "/") : std::string();
        if (!found.empty()) return found;
    }
    return std::string();
}

// The skins' textures of a scene about to go (several surfaces may share one).
void delete_textures(md3view::Scene& scene) {
    std::vector<GLuint> ids;
    for (const TGLMD3MODEL* model : {&scene.lower.MODEL, &scene.upper.MODEL, &scene.head})
        for (const TMESH& mesh : model->MESHES)
            if (mesh.TEXTURE != 0 && std::find(ids.begin(), ids.end(), mesh.TEXTURE) == ids.end())
                ids.push_back(mesh.TEXTURE);
    if (!ids.empty()) glDeleteTextures(GLsizei(ids.size()), ids.data());
}

// An archive shows its first player, or without one its first model (a weapon, say); anything else is
// read as a player folder or a model.
bool open_upload(md3view::Scene& scene, const std::string& path, std::string& error) {
    if (!is_archive(path)) return md3view::load_scene(scene, path, error);
    if (!scene.files.add_archive(path, error)) return false;
    const std::vector<std::string> players = md3view::list_players(scene.files);
    const std::string shown = players.empty() ? first_model(scene.files, "") : players.front();
    if (shown.empty()) {
        error = path + ": no MD3 model inside";
        return false;
    }
    return md3view::load_scene_from(scene, shown, error);
}
#endif

}  // namespace

int main(int argc, char** argv) {
    std::string path;
    std::vector<std::string> archives;
    long frame_limit = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-h" || arg == "--help") {
            usage(nullptr);
            return 0;
        }
        if (arg == "--frames") {
            char* end = nullptr;
            frame_limit = i + 1 < argc ? std::strtol(argv[++i], &end, 10) : 0;
            if (frame_limit <= 0 || !end || *end) return usage("--frames takes a positive number");
        } else if (!arg.empty() && arg[0] == '-') {
            return usage(("unknown option " + arg).c_str());
        } else if (is_archive(arg) && path.empty()) {
            archives.push_back(arg);
        } else if (path.empty()) {
            path = arg;
        } else {
            return usage("one PATH only");
        }
    }
    if (path.empty() && archives.empty()) return usage("no PATH given");
    ReportLoadFailures(true);  // a font or skin image that does not load says why on standard error

    md3view::Scene scene;
    std::string error;
    for (const std::string& a : archives) {
        if (!scene.files.add_archive(a, error)) {
            std::fprintf(stderr, "corvala-md3view: %s\n", error.c_str());
            return 1;
        }
    }
    if (!archives.empty() && path.empty()) {
        for (const std::string& p : md3view::list_players(scene.files)) std::printf("%s\n", p.c_str());
        return 0;
    }
    // Inside archives a bare name is a player's: the format keeps them all in models/players/.
    if (!archives.empty() && path.find_first_of("/\\") == std::string::npos) path = "models/players/" + path;
    const bool loaded =
        archives.empty() ? md3view::load_scene(scene, path, error) : md3view::load_scene_from(scene, path, error);
    if (!loaded) {
        std::fprintf(stderr, "corvala-md3view: %s\n", error.c_str());
        return 1;
    }
    for (const std::string& w : scene.warnings) std::fprintf(stderr, "corvala-md3view: %s\n", w.c_str());

    OGLWINDOWSETTING(ARROW, "", GENERIC, "");
    const std::string title = "corvala-md3view - " + scene.name;
    CREATEOGLWINDOW(title.c_str(), 800, 600, 32, false);
    MSPEED = 1;
    float far_plane = scene.radius * 120 + 100;
    OPENGL_INIT(far_plane, 0, 0.1, 0.12, 0.16);
    SETGLREFRACTIVE();
    SETGLLIGHT(GL_LIGHT0, 0, 0, 0, 0.1f);

    const std::string font = font_file();
    if (!font.empty()) TEXTURELOADTGAID(font.c_str(), kFontSlot);
    const bool have_font = !font.empty() && TEXTURETGA2[kFontSlot].TEXID != 0;
    if (!have_font) std::fprintf(stderr, "corvala-md3view: no font image found, drawing without text\n");
    md3view::load_skins(scene);

    uint32_t last = win32::GetTickCount();
    long frames = 0;
    do {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        SETGLMSG();
        if (pressed(VK_UP)) md3view::step_torso(scene, +1);
        if (pressed(VK_DOWN)) md3view::step_torso(scene, -1);
        if (pressed(VK_RIGHT)) md3view::step_legs(scene, +1);
        if (pressed(VK_LEFT)) md3view::step_legs(scene, -1);
        if (pressed('B')) md3view::step_both(scene, +1);
        if (pressed(VK_ADD) || pressed(VK_OEM_PLUS) || pressed(VK_PRIOR)) md3view::zoom(scene, 0.8f);
        if (pressed(VK_SUBTRACT) || pressed(VK_OEM_MINUS) || pressed(VK_NEXT)) md3view::zoom(scene, 1.25f);
        if (pressed('F')) md3view::fit(scene);
#ifdef __EMSCRIPTEN__
        std::string upload;
        if (md3view::TakeUpload(upload)) {
            md3view::Scene trial;
            if (open_upload(trial, upload, error)) {
                // Its parts point at each other, so a scene is read again in place rather than moved.
                delete_textures(scene);
                scene = md3view::Scene();
                open_upload(scene, upload, error);
                md3view::load_skins(scene);
                for (const std::string& w : scene.warnings) std::fprintf(stderr, "corvala-md3view: %s\n", w.c_str());
                far_plane = scene.radius * 120 + 100;
                md3view::SayOpened(scene.name, false);
            } else {
                md3view::SayOpened(error, true);
            }
        }
#endif

        draw_overlay(scene, have_font);
        OPENGL_INIT(far_plane, 0, 0.1, 0.12, 0.16);
        // The clock runs in the framework's units: 10000 a second makes an animation's fps real frames a second.
        const uint32_t now = win32::GetTickCount();
        md3view::draw_scene(scene, float(now - last) * 10.0f);
        last = now;
        win32::SwapBuffers(DCWINDOW);
        PaceFrame();
        if (frame_limit && ++frames >= frame_limit) break;
    } while (ACTIVE);
    DELETEOGLWINDOW();
    return 0;
}
