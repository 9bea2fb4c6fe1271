// Little-endian byte buffers and the one place that puts files on disk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

struct Bytes {
    std::vector<uint8_t> data;

    void u8(uint32_t v) { data.push_back(static_cast<uint8_t>(v)); }
    void u16(uint32_t v) {
        u8(v & 0xFF);
        u8((v >> 8) & 0xFF);
    }
    void u32(uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
    void i16(int32_t v) { u16(static_cast<uint16_t>(static_cast<int16_t>(v))); }
    void i32(int32_t v) { u32(static_cast<uint32_t>(v)); }
    void f32(float v);
    // A fixed-size character field, zero-padded (and cut when too long).
    void text(const std::string& s, size_t size);
    void append(const Bytes& other) { data.insert(data.end(), other.data.begin(), other.data.end()); }
    size_t size() const { return data.size(); }
    // Overwrites a 32-bit value written earlier (offsets known only later).
    void patch_u32(size_t at, uint32_t v);
};

// Writes the bytes to root/relative, creating folders as needed; throws on failure.
void write_file(const std::string& root, const std::string& relative, const Bytes& bytes);

}  // namespace assetgen
