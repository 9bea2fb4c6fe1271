// Where the built data set lives and small readers for checking it.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace assettest {

inline std::string run_path(const std::string& relative) { return std::string(WOBBLEFIN_RUN_DIR) + "/" + relative; }

inline std::vector<uint8_t> read_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline uint32_t le16(const std::vector<uint8_t>& b, size_t at) { return b.at(at) | (b.at(at + 1) << 8); }
inline uint32_t le32(const std::vector<uint8_t>& b, size_t at) { return le16(b, at) | (le16(b, at + 2) << 16); }

// Every file the program reads, relative to its working directory.
inline const std::vector<std::string>& all_asset_files() {
    static const std::vector<std::string> files = {
        "Wobblefin.ico",           "modelli/PesceRosso.md3",  "modelli/animation.cfg",  "modelli/PesceRosso.tga",
        "immagini/scarica01.tga",  "immagini/scarica02.tga",  "immagini/scarica03.tga", "immagini/vortice.tga",
        "immagini/comprimi01.tga", "immagini/comprimi02.tga", "immagini/calore.tga",    "immagini/freddo.tga",
        "immagini/info.tga",       "immagini/vetro.tga",      "immagini/water4.bmp",    "immagini/font.tga"};
    return files;
}

}  // namespace assettest
