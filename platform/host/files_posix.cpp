// Files on POSIX: program paths are Windows-style and relative ("immagini\vetro.tga"); the host is
// case-sensitive.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/host/host.h"
#include "platform/host/posix.h"

namespace host {
namespace {

bool exists(const std::string& p) {
    struct stat st;
    return ::stat(p.c_str(), &st) == 0;
}

// The entry of dir whose name equals want ignoring case, or "" when there is none.
std::string find_entry(const std::string& dir, const std::string& want) {
    DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
    if (!d) return "";
    std::string found;
    while (dirent* e = ::readdir(d)) {
        if (EqualIgnoringCase(e->d_name, want.c_str())) {
            found = e->d_name;
            break;
        }
    }
    ::closedir(d);
    return found;
}

}  // namespace

std::string MapPath(const char* path) {
    if (!path) return std::string();
    std::string p(path);
    for (char& c : p)
        if (c == '\\') c = '/';
    if (p.empty() || exists(p)) return p;

    // Walk the components, matching each one without regard to case.
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= p.size()) {
        size_t slash = p.find('/', start);
        if (slash == std::string::npos) slash = p.size();
        parts.push_back(p.substr(start, slash - start));
        start = slash + 1;
    }
    std::string built = (p[0] == '/') ? "/" : "";
    for (size_t i = 0; i < parts.size(); ++i) {
        const std::string& part = parts[i];
        if (part.empty()) continue;
        std::string candidate = built + part;
        if (part != "." && part != ".." && !exists(candidate)) {
            std::string match = find_entry(built.empty() ? "." : built, part);
            if (match.empty()) return p;
            candidate = built + match;
        }
        built = candidate;
        if (i + 1 < parts.size()) built += "/";
    }
    return built;
}

bool FileExists(const char* path) {
    if (!path || !*path) return false;
    struct stat st;
    return ::stat(MapPath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string ExecutableFolder() {
    const std::string exe = ExecutablePath();
    const size_t slash = exe.rfind('/');
    return slash == std::string::npos ? "" : exe.substr(0, slash == 0 ? 1 : slash);
}

std::string ExecutableName() {
    const std::string exe = ExecutablePath();
    const size_t slash = exe.rfind('/');
    return slash == std::string::npos ? "" : exe.substr(slash + 1);
}

bool EnterFolder(const std::string& folder) { return ::chdir(folder.c_str()) == 0; }

}  // namespace host

namespace host {

namespace {

// read(2) once more after an interruption; the bytes read, 0 at the end, -1 on an error.
ssize_t read_some(int fd, uint8_t* to, size_t n) {
    ssize_t got;
    do got = ::read(fd, to, n);
    while (got < 0 && errno == EINTR);
    return got;
}

}  // namespace

bool ReadWholeFile(const char* path, std::vector<uint8_t>& out, bool* no_file) {
    out.clear();
    if (no_file) *no_file = true;
    if (!path || !*path) return false;
    // Non-blocking, so that opening a FIFO never waits for a writer; a regular file reads as usual.
    const std::string mapped = MapPath(path);
    const int fd = ::open(mapped.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        struct stat st;  // only on failure: as FileExists would have answered
        if (no_file) *no_file = ::stat(mapped.c_str(), &st) != 0 || !S_ISREG(st.st_mode);
        return false;
    }
    struct stat st;
    const bool have_stat = ::fstat(fd, &st) == 0;
    if (no_file) *no_file = have_stat && !S_ISREG(st.st_mode);
    bool ok = have_stat && S_ISREG(st.st_mode) && uint64_t(st.st_size) <= kMaxFileBytes;
    if (ok) {
        // The size found is where to start; a file that changes meanwhile is read to its end, within the limit.
        // Through a chunk on the stack: the buffer is never filled with zeros first.
        out.reserve(size_t(st.st_size));
        uint8_t chunk[65536];
        ssize_t got;
        while ((got = read_some(fd, chunk, sizeof chunk)) > 0 && out.size() + size_t(got) <= kMaxFileBytes)
            out.insert(out.end(), chunk, chunk + got);
        ok = got == 0;
    }
    ::close(fd);
    if (!ok) {
        out.clear();
        out.shrink_to_fit();
    }
    return ok;
}

}  // namespace host
