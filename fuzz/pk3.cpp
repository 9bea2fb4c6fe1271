// Fuzzes the viewer's archive reader: any bytes as a .pk3, every entry listed and read, and the
// player lookup over them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/md3view/files.h"
#include "tools/md3view/viewer.h"

namespace {

void walk(const md3view::Files& files, const std::string& folder, int depth) {
    for (const md3view::Entry& e : files.list(folder)) {
        const std::string path = folder.empty() ? e.name : folder + "/" + e.name;
        if (e.folder) {
            if (depth < 8) walk(files, path, depth + 1);
            continue;
        }
        std::vector<uint8_t> bytes;
        if (files.read(path, bytes) && bytes.size() > md3view::kMaxEntryBytes) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    md3view::Files files;
    std::string error;
    if (!files.add_archive_bytes(std::vector<uint8_t>(data, data + size), "fuzz.pk3", error)) return 0;
    walk(files, "", 0);
    md3view::list_players(files);
    return 0;
}
