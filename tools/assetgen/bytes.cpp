#include "tools/assetgen/bytes.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace assetgen {

void Bytes::f32(float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    u32(bits);
}

void Bytes::text(const std::string& s, size_t size) {
    for (size_t i = 0; i < size; ++i) u8(i < s.size() ? static_cast<uint8_t>(s[i]) : 0);
}

void Bytes::patch_u32(size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) data.at(at + i) = static_cast<uint8_t>(v >> (8 * i));
}

void write_file(const std::string& root, const std::string& relative, const Bytes& bytes) {
    const std::filesystem::path path = std::filesystem::path(root) / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data.data()), static_cast<std::streamsize>(bytes.data.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace assetgen
