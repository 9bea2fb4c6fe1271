#include "files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>

#include "platform/host/host.h"
#include "zip_archive.h"

namespace md3view {

namespace fs = std::filesystem;

std::string lower(std::string s) {
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string normal_path(const std::string& path) {
    std::string out;
    for (char c : path) {
        if (c == '\\') c = '/';
        if (c == '/' && (out.empty() || out.back() == '/')) continue;
        out += c;
    }
    while (!out.empty() && out.back() == '/') out.pop_back();
    return out;
}

namespace {
// A skin line naming "../../x" must not reach outside the data folder, as the engines refuse it too.
bool leaves_root(const std::string& p) {
    return p == ".." || p.rfind("../", 0) == 0 || p.find("/../") != std::string::npos ||
           (p.size() >= 3 && p.compare(p.size() - 3, 3, "/..") == 0);
}
}  // namespace

struct Files::Source {
    std::string folder;                   // a folder on disk, or
    std::unique_ptr<ZipArchive> zip;      // an archive
    std::map<std::string, size_t> files;  // lower-case path -> entry; folders are implied by paths

    void index() {
        const std::vector<ZipArchive::Entry>& entries = zip->entries();
        for (size_t i = 0; i < entries.size(); ++i) {
            const std::string& name = entries[i].name;
            const std::string path = normal_path(name);
            if (path.empty() || name.back() == '/') continue;  // a folder's own entry
            files[lower(path)] = i;
        }
    }

    // The spelling the archive uses for each of a file's folders is not kept: names are compared
    // in lower case and shown as the entry has them.
    void list(const std::string& inside, std::map<std::string, Entry>& out) const {
        const std::string prefix = inside.empty() ? std::string() : lower(inside) + "/";
        for (auto it = files.lower_bound(prefix); it != files.end() && it->first.compare(0, prefix.size(), prefix) == 0;
             ++it) {
            const std::string full = normal_path(zip->entries()[it->second].name);
            const std::string rest = full.substr(std::min(prefix.size(), full.size()));
            const size_t slash = rest.find('/');
            Entry e{rest.substr(0, slash), slash != std::string::npos};
            out[lower(e.name)] = e;
        }
    }

    bool read(const std::string& path, std::vector<uint8_t>& out) const {
        const auto it = files.find(lower(path));
        return it != files.end() && zip->read(it->second, kMaxEntryBytes, out);
    }
};

Files::Files() = default;
Files::~Files() = default;
Files::Files(Files&&) noexcept = default;
Files& Files::operator=(Files&&) noexcept = default;

void Files::add_folder(const std::string& folder) {
    auto s = std::make_unique<Source>();
    s->folder = folder.empty() ? std::string(".") : folder;
    sources_.push_back(std::move(s));
}

bool Files::add_archive(const std::string& file, std::string& error) {
    // A pipe or a device under that name would be read without end.
    if (!host::FileExists(file.c_str())) {
        error = file + ": no such archive";
        return false;
    }
    auto s = std::make_unique<Source>();
    s->zip = std::make_unique<ZipArchive>();
    std::string why;
    if (!s->zip->open_file(host::MapPath(file.c_str()), why)) {
        error = file + ": " + why;
        return false;
    }
    s->index();
    sources_.push_back(std::move(s));
    return true;
}

bool Files::add_archive_bytes(std::vector<uint8_t> bytes, const std::string& name, std::string& error) {
    auto s = std::make_unique<Source>();
    s->zip = std::make_unique<ZipArchive>();
    std::string why;
    if (!s->zip->open_bytes(std::move(bytes), why)) {
        error = name + ": " + why;
        return false;
    }
    s->index();
    sources_.push_back(std::move(s));
    return true;
}

bool Files::empty() const { return sources_.empty(); }

bool Files::has_archive() const {
    return std::any_of(sources_.begin(), sources_.end(), [](const auto& s) { return s->zip != nullptr; });
}

bool Files::read(const std::string& path, std::vector<uint8_t>& out) const {
    out.clear();
    const std::string p = normal_path(path);
    if (p.empty() || leaves_root(p)) return false;
    for (auto it = sources_.rbegin(); it != sources_.rend(); ++it) {
        const Source& s = **it;
        if (s.zip) {
            if (s.read(p, out)) return true;
        } else {
            const std::string file = s.folder + "/" + p;
            if (host::FileExists(file.c_str()) && host::ReadWholeFile(file.c_str(), out)) return true;
        }
    }
    out.clear();
    return false;
}

bool Files::exists(const std::string& path) const {
    const std::string p = normal_path(path);
    if (p.empty() || leaves_root(p)) return false;
    for (const auto& s : sources_) {
        if (s->zip ? s->files.count(lower(p)) != 0 : host::FileExists((s->folder + "/" + p).c_str())) return true;
    }
    return false;
}

bool Files::folder_exists(const std::string& path) const {
    const std::string p = normal_path(path);
    for (const auto& s : sources_) {
        if (s->zip) {
            const auto it = s->files.lower_bound(lower(p) + "/");
            if (p.empty() ? !s->files.empty() : (it != s->files.end() && it->first.rfind(lower(p) + "/", 0) == 0))
                return true;
        } else {
            std::error_code ec;
            if (fs::is_directory(host::MapPath((s->folder + "/" + p).c_str()), ec)) return true;
        }
    }
    return false;
}

std::vector<Entry> Files::list(const std::string& folder) const {
    const std::string p = normal_path(folder);
    std::map<std::string, Entry> found;
    for (const auto& s : sources_) {
        if (s->zip) {
            s->list(p, found);
            continue;
        }
        std::error_code ec;
        const fs::path dir = host::MapPath((s->folder + "/" + p).c_str());
        for (const fs::directory_entry& e : fs::directory_iterator(dir, ec)) {
            const bool is_folder = e.is_directory(ec);
            if (!is_folder && !e.is_regular_file(ec)) continue;  // pipes and devices are never read
            const std::string name = e.path().filename().string();
            found[lower(name)] = Entry{name, is_folder};
        }
    }
    std::vector<Entry> out;
    for (auto& kv : found) out.push_back(kv.second);
    return out;
}

}  // namespace md3view
