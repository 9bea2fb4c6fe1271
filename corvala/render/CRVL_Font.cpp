// Finding the font image where a program has it, wherever the program was moved or installed.
#include <string>
#include <vector>

#include "platform/host/host.h"
#include "render/CRVL_Text.h"

namespace corvala {

std::vector<std::string> font_candidates(const std::string& exe_dir, const std::string& program,
                                         const char* installed) {
    std::vector<std::string> out;
    if (!exe_dir.empty()) {
        // The program's data folders as a program finds its own data set, the working directory left out:
        // a font.tga there may be anyone's.
        const std::vector<std::string> folders = host::DataFolderCandidates(".", exe_dir, program);
        for (size_t i = 1; i < folders.size(); ++i) out.push_back(folders[i] + "/font.tga");
    }
    if (installed && *installed) out.emplace_back(installed);
    return out;
}

const char* FindFont(const char* INSTALLED) {
    static std::string found;
    const std::vector<std::string> candidates =
        font_candidates(host::ExecutableFolder(), host::ExecutableName(), INSTALLED);
    for (const std::string& c : candidates) {
        if (host::FileExists(c.c_str())) return (found = c).c_str();
    }
    std::string where;
    for (const std::string& c : candidates) where += (where.empty() ? "" : ", ") + c;
    host::Notice("corvala: no font image (looked for " + where + "): text shows as blocks");
    found = INSTALLED ? INSTALLED : "";
    return found.c_str();
}

}  // namespace corvala
