// A reader of zip archives (.pk3) as game data uses them: the central directory, stored and deflated
// entries, ZIP64 sizes; no encryption, no other methods, no archives split over disks. Every offset and
// size is checked against the archive's bytes, and each entry's CRC against what it inflates to.
#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace md3view {

class ZipArchive {
public:
    struct Entry {
        std::string name;  // as stored, up to any NUL
        uint64_t size = 0, compressed = 0, local_header = 0;
        uint32_t crc = 0;
        uint16_t method = 0, flags = 0;
    };

    // False with libzip's wording in ERROR ("Not a zip archive", "Zip archive inconsistent", ...), which
    // the viewer has always printed.
    bool open_bytes(std::vector<uint8_t> bytes, std::string& error);
    // Reads a file piece by piece: game archives run to hundreds of MB, of which a player is a few.
    bool open_file(const std::string& path, std::string& error);

    const std::vector<Entry>& entries() const { return entries_; }
    // False (OUT empty) for entries larger than LIMIT, of a method or flag not read, or broken.
    bool read(size_t index, uint64_t limit, std::vector<uint8_t>& out) const;

private:
    bool read_at(uint64_t offset, void* dst, size_t n) const;
    bool index(std::string& error);
    const char* directory(uint64_t end_at, const uint8_t* record);

    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::vector<uint8_t> bytes_;
    std::unique_ptr<std::FILE, Closer> file_;
    uint64_t size_ = 0;
    std::vector<Entry> entries_;
};

}  // namespace md3view
