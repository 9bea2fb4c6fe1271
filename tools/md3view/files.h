// The files a model is read from: folders on disk and .pk3 (zip) archives, layered as the format's
// engines layer them: a path names a file relative to the data folder (the one holding models/),
// letter case does not matter, and a later source overrides an earlier one.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace md3view {

// Entries beyond this are not read: the largest skin image (4096 x 4096 RGBA) is 64 MiB.
constexpr uint64_t kMaxEntryBytes = uint64_t(80) << 20;

struct Entry {
    std::string name;  // as the source spells it, no folder
    bool folder = false;
};

class Files {
public:
    Files();
    ~Files();
    Files(Files&&) noexcept;
    Files& operator=(Files&&) noexcept;

    void add_folder(const std::string& folder);
    // False with one line in ERROR when FILE is no zip archive that can be read.
    bool add_archive(const std::string& file, std::string& error);
    bool add_archive_bytes(std::vector<uint8_t> bytes, const std::string& name, std::string& error);
    bool empty() const;
    bool has_archive() const;

    // PATH uses '/' or '\'; false (OUT empty) when no source has it as a file or it cannot be read.
    bool read(const std::string& path, std::vector<uint8_t>& out) const;
    bool exists(const std::string& path) const;
    bool folder_exists(const std::string& path) const;
    // What lies directly in FOLDER over all sources, one entry per name in any letter case, sorted.
    std::vector<Entry> list(const std::string& folder) const;

private:
    struct Source;
    std::vector<std::unique_ptr<Source>> sources_;
};

// "a\\B//c/" -> "a/B/c": the form every lookup compares, letter case aside.
std::string normal_path(const std::string& path);
std::string lower(std::string s);

}  // namespace md3view
