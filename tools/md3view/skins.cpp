#include "skins.h"

#include <cstdlib>
#include <cstring>
#include <map>

#include "jpeg.h"
#include "viewer.h"

namespace md3view {

using namespace corvala;

namespace {

std::string join(const std::string& folder, const std::string& name) {
    return folder.empty() ? name : folder + "/" + name;
}

// "x.tga" -> "x.jpg" and back; "" for any other extension.
std::string other_extension(const std::string& path) {
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || path.find('/', dot) != std::string::npos) return std::string();
    const std::string ext = lower(path.substr(dot));
    if (ext == ".tga") return path.substr(0, dot) + ".jpg";
    if (ext == ".jpg" || ext == ".jpeg") return path.substr(0, dot) + ".tga";
    return std::string();
}

bool is_tga(const std::vector<uint8_t>& b) {
    return b.size() >= sizeof UTGACOMPARE.HEADER &&
           (std::memcmp(b.data(), UTGACOMPARE.HEADER, 12) == 0 || std::memcmp(b.data(), CTGACOMPARE.HEADER, 12) == 0);
}

std::string field(const char* chars, size_t size) { return std::string(chars, strnlen(chars, size)); }

}  // namespace

std::string find_skin(const Files& files, const std::string& folder, const std::string& part) {
    const std::string preferred = lower(part + "_default.skin");
    std::string first;
    for (const Entry& e : files.list(folder)) {  // sorted by name
        const std::string n = lower(e.name);
        if (e.folder || n.size() <= part.size() + 6 || n.compare(0, part.size() + 1, lower(part) + "_") != 0 ||
            n.compare(n.size() - 5, 5, ".skin") != 0)
            continue;
        if (n == preferred) return join(folder, e.name);
        if (first.empty()) first = join(folder, e.name);
    }
    return first;
}

std::string find_image(const Files& files, const std::string& folder, const std::string& named,
                       std::vector<uint8_t>& bytes) {
    const std::string path = normal_path(named);
    const size_t slash = path.rfind('/');
    const std::string beside = join(folder, slash == std::string::npos ? path : path.substr(slash + 1));
    for (const std::string& candidate : {path, other_extension(path), beside, other_extension(beside)})
        if (!candidate.empty() && files.read(candidate, bytes)) return candidate;
    bytes.clear();
    return std::string();
}

bool decode_image(const std::vector<uint8_t>& bytes, TGATEXTURE& t) {
    t = TGATEXTURE{};
    if (is_jpeg(bytes.data(), bytes.size())) {
        RgbImage image;
        if (!decode_jpeg(bytes.data(), bytes.size(), image)) return false;
        t.IMAGEDATA = static_cast<uint8_t*>(std::malloc(image.rgb.size()));
        if (!t.IMAGEDATA) return false;
        std::memcpy(t.IMAGEDATA, image.rgb.data(), image.rgb.size());
        t.BPP = 24;
        t.WIDTH = image.width;
        t.HEIGHT = image.height;
        t.TYP = GL_RGB;
        return true;
    }
    // Only what starts like a TGA goes to its loader: it answers anything else with a message box.
    return is_tga(bytes) && load_tga_from_memory(t, bytes.data(), bytes.size());
}

int32_t apply_skin(TGLMD3MODEL& model, const Files& files, const std::string& folder, const std::string& skin,
                   std::vector<std::string>& missing) {
    std::vector<uint8_t> text_bytes;
    if (!files.read(skin, text_bytes)) return 0;
    const std::vector<SkinEntry> entries = parse_skin(std::string(text_bytes.begin(), text_bytes.end()));
    std::map<std::string, uint32_t> uploaded;  // by the path found, in lower case: one upload per image
    std::map<std::string, bool> named;         // images reported missing once
    int32_t textured = 0;
    for (TMESH& mesh : model.MESHES) {
        mesh.TEXTURE = 0;
        mesh.SETTEXTURE = true;  // the skin decides: a surface it gives no image is drawn untextured
        const std::string surface = lower(field(mesh.MESHHEADER.NAME, sizeof mesh.MESHHEADER.NAME));
        for (const SkinEntry& entry : entries) {
            if (lower(entry.surface) != surface) continue;
            std::vector<uint8_t> bytes;
            const std::string found = find_image(files, folder, entry.path, bytes);
            if (found.empty()) {
                if (!named[lower(entry.path)]) missing.push_back(entry.path);
                named[lower(entry.path)] = true;
                break;
            }
            auto it = uploaded.find(lower(found));
            if (it == uploaded.end()) {
                TGATEXTURE t{};
                if (decode_image(bytes, t)) upload_tga_texture(t);
                it = uploaded.emplace(lower(found), t.TEXID).first;
            }
            mesh.TEXTURE = it->second;
            break;  // the first line naming a surface decides
        }
        if (mesh.TEXTURE != 0) ++textured;
    }
    return textured;
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
        std::vector<std::string> missing;
        const size_t slash = part.skin.rfind('/');
        const std::string file = slash == std::string::npos ? part.skin : part.skin.substr(slash + 1);
        if (apply_skin(part.model, s.files, s.folder, part.skin, missing) > 0) s.textured = true;
        else s.warnings.push_back(file + ": no image for any surface");
        for (const std::string& m : missing) s.warnings.push_back(file + ": no image " + m);
    }
}

}  // namespace md3view
