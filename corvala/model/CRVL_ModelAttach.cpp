// What a model carries besides its own file: other models at its tags, and skin images on its surfaces.

#include <cctype>
#include <cstring>
#include <map>

#include "model/CRVL_Model.h"
#include "platform/gl/gl.h"
#include "platform/host/host.h"
#include "platform/win32.h"
#include "texture/CRVL_TGA.h"

namespace corvala {

namespace {

// File names in the format are fixed-size character fields, not always terminated.
std::string field(const char* chars, size_t size) {
    const void* end = std::memchr(chars, 0, size);
    return std::string(chars, end ? size_t(static_cast<const char*>(end) - chars) : size);
}

bool same_name(const std::string& a, const std::string& b) { return host::EqualIgnoringCase(a.c_str(), b.c_str()); }

std::string trimmed(const std::string& s) {
    const size_t first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return std::string();
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

std::string folder_of(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

bool TGLMD3MODEL::LINKMODEL(const std::string& TAGNAME, TGLMD3MODEL& MODEL) {
    // Tags are named alike in every frame; frame 0's names decide. A rejected load can leave NUMTAGS
    // describing another file than the arrays, so both arrays bound the search.
    for (size_t I = 0; I < size_t(HEADER.NUMTAGS > 0 ? HEADER.NUMTAGS : 0) && I < LINKS.size() && I < TAGS.size();
         ++I) {
        if (!same_name(field(TAGS[I].NAME, sizeof TAGS[I].NAME), TAGNAME)) continue;
        LINKS[I] = &MODEL;
        return true;
    }
    return false;
}

std::vector<SkinEntry> parse_skin(const std::string& text) {
    std::vector<SkinEntry> entries;
    for (const std::string& line : split_lines(text)) {
        const size_t comma = line.find(',');
        if (comma == std::string::npos) continue;
        SkinEntry entry{trimmed(line.substr(0, comma)), trimmed(line.substr(comma + 1)), std::string()};
        entry.path = entry.image;
        const size_t slash = entry.image.find_last_of("/\\");
        if (slash != std::string::npos) entry.image.erase(0, slash + 1);
        if (entry.surface.empty() || entry.image.empty()) continue;
        entries.push_back(std::move(entry));
    }
    return entries;
}

int32_t TGLMD3MODEL::LOADSKIN(const std::string& FILENAME) {
    if (!host::FileExists(FILENAME.c_str())) return 0;
    std::vector<uint8_t> BYTES;  // an unreadable file reads as an empty skin
    host::ReadWholeFile(FILENAME.c_str(), BYTES);
    const std::string FILETEXT(BYTES.begin(), BYTES.end());

    // Images are looked up by file name beside the .skin file, whatever folder the line names: skins
    // are written for the game's folder tree, not for where the model lies now. One image shared by
    // several surfaces is uploaded once. The skin decides every surface's look: a surface it names
    // no readable image for binds texture 0 and is drawn untextured, not in a neighbour's image.
    const std::string FOLDER = folder_of(FILENAME);
    const std::vector<SkinEntry> ENTRIES = parse_skin(FILETEXT);
    std::map<std::string, uint32_t> UPLOADED;
    int32_t TEXTURED = 0;
    for (TMESH& MESH : MESHES) {
        MESH.TEXTURE = 0;
        MESH.SETTEXTURE = true;
        const std::string SURFACE = field(MESH.MESHHEADER.NAME, sizeof MESH.MESHHEADER.NAME);
        for (const SkinEntry& ENTRY : ENTRIES) {
            if (!same_name(SURFACE, ENTRY.surface)) continue;
            // Names that differ only in letter case find the same file, so they share one upload.
            std::string KEY = ENTRY.image;
            for (char& C : KEY) C = char(std::tolower(static_cast<unsigned char>(C)));
            auto FOUND = UPLOADED.find(KEY);
            if (FOUND == UPLOADED.end()) {
                const std::string IMAGE = FOLDER + ENTRY.image;
                TGATEXTURE T{};
                if (host::FileExists(IMAGE.c_str()) && LOADTGA(T, IMAGE.c_str())) upload_tga_texture(T);
                FOUND = UPLOADED.emplace(KEY, T.TEXID).first;
            }
            MESH.TEXTURE = FOUND->second;
            break;  // the first line naming a surface decides
        }
        if (MESH.TEXTURE != 0) ++TEXTURED;
    }
    return TEXTURED;
}

}  // namespace corvala
