// Finding a program's data set wherever the program was started from.
#include "platform/host/host.h"

namespace host {

std::vector<std::string> DataFolderCandidates(const std::string& working_dir, const std::string& exe_dir,
                                              const std::string& program) {
    std::vector<std::string> out{working_dir.empty() ? "." : working_dir};
    if (!exe_dir.empty()) {
        out.push_back(exe_dir);
        out.push_back(exe_dir + "/../share/" + program);
        out.push_back(exe_dir + "/../../share/" + program);
    }
    return out;
}

std::string EnterDataFolder(const std::vector<std::string>& candidates, const std::vector<const char*>& files) {
    for (size_t i = 0; i < candidates.size(); ++i) {
        bool holds = true;
        for (const char* f : files) holds = holds && FileExists((candidates[i] + "/" + f).c_str());
        if (!holds) continue;
        // The working directory is taken as it is; any other folder is entered once, before loading.
        if (i > 0 && !EnterFolder(candidates[i])) continue;
        return candidates[i];
    }
    std::string where;
    for (const std::string& c : candidates) where += (where.empty() ? "" : ", ") + c;
    Notice("data set not found (looked in " + where + "); carrying on without it");
    return "";
}

}  // namespace host
