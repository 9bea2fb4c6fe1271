// Files on Windows: the system reads the program's paths as they are, in any letter case.
#include <windows.h>

#include <cstring>  // _stricmp

#include "platform/host/host.h"

namespace host {

std::string MapPath(const char* path) { return path ? std::string(path) : std::string(); }

bool FileExists(const char* path) {
    if (!path || !*path) return false;
    const DWORD a = GetFileAttributesA(path);
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool ReadWholeFile(const char* path, std::vector<uint8_t>& out, bool* no_file) {
    out.clear();
    if (no_file) *no_file = true;
    if (!path || !*path) return false;
    const HANDLE f =
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) {
        if (no_file) *no_file = !FileExists(path);
        return false;
    }
    if (no_file) *no_file = GetFileType(f) != FILE_TYPE_DISK;
    LARGE_INTEGER size{};
    bool ok = GetFileType(f) == FILE_TYPE_DISK && GetFileSizeEx(f, &size) && uint64_t(size.QuadPart) <= kMaxFileBytes;
    if (ok) {
        out.reserve(size_t(size.QuadPart));
        uint8_t chunk[65536];
        DWORD got = 0;
        while ((ok = ReadFile(f, chunk, sizeof chunk, &got, nullptr) != 0) && got > 0 &&
               out.size() + got <= kMaxFileBytes)
            out.insert(out.end(), chunk, chunk + got);
        ok = ok && got == 0;
    }
    CloseHandle(f);
    if (!ok) {
        out.clear();
        out.shrink_to_fit();
    }
    return ok;
}

namespace {
std::string executable_path() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return n == 0 || n >= MAX_PATH ? std::string() : std::string(path, n);
}
}  // namespace

std::string ExecutableFolder() {
    const std::string exe = executable_path();
    const size_t slash = exe.find_last_of("\\/");
    return slash == std::string::npos ? "" : exe.substr(0, slash);
}

std::string ExecutableName() {
    const std::string exe = executable_path();
    const size_t slash = exe.find_last_of("\\/");
    if (slash == std::string::npos) return "";
    std::string name = exe.substr(slash + 1);
    // The extension in any letter case: Explorer and cmd do not care about it.
    if (name.size() > 4 && _stricmp(name.c_str() + name.size() - 4, ".exe") == 0) name.resize(name.size() - 4);
    return name;
}

bool EnterFolder(const std::string& folder) { return SetCurrentDirectoryA(folder.c_str()) != 0; }

}  // namespace host
