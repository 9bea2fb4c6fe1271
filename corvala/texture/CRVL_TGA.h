// TGA images and the TGA slot table.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace corvala {

struct TGATEXTURE {
    uint8_t* IMAGEDATA;  // decoded R, G, B (, A) rows in file order; std::malloc'd, freed after the upload
    uint32_t BPP;        // 24 or 32
    uint32_t WIDTH;
    uint32_t HEIGHT;
    uint32_t TEXID;  // GL texture name, 0 while never loaded
    uint32_t TYP;    // GL_RGB or GL_RGBA
};

struct TTGAHEADER {
    uint8_t HEADER[12];
};

struct TTGA {
    uint8_t HEADER[6];  // file bytes 12..17: width, height, bits per pixel, descriptor
    uint32_t BYTESPERPIXEL;
    uint64_t IMAGESIZE;  // 64 bits: 4 x 65535 x 65535 does not fit in 32
    uint32_t TYP;
    uint32_t HEIGH;
    uint32_t WIDTH;
    uint32_t BPP;
};

// What FTGA stands for: the bytes of the open TGA file, read from the front.
struct TgaReader {
    const uint8_t* data = nullptr;
    size_t size = 0;
    size_t pos = 0;
    bool open = false;
    std::vector<uint8_t> file_bytes;  // holds the file when one was opened

    bool open_file(const char* path, bool* no_file = nullptr);  // no_file: as host::ReadWholeFile
    void attach(const uint8_t* bytes, size_t n);
    size_t read(void* dst, size_t n);  // bytes delivered, fewer at the end
    size_t remaining() const { return size - pos; }
    void close();
};

constexpr int32_t TEXTURETGA2_LAST = 200;
extern TGATEXTURE TEXTURETGA2[TEXTURETGA2_LAST + 1];
extern TTGAHEADER TGAHEADER;
extern TTGA TGA;
extern TgaReader FTGA;
extern const TTGAHEADER UTGACOMPARE;  // type 2, uncompressed true-colour
extern const TTGAHEADER CTGACOMPARE;  // type 10, run-length-encoded true-colour

// TGA file TGAFILE into slot NUM (0..200), left bound. The rows go up in the order the file stores them (its
// origin bit is ignored): t = 0 is the first stored row, the bottom one in the usual bottom-left files (upright
// like a BMP), the top one in top-left files, which therefore need t flipped (1 - t) to stand upright.
void TEXTURELOADTGAID(const char* TGAFILE, int32_t NUM);
void TEXTURETGASELECTID(int32_t NUM);                                 // binds TGA slot NUM
bool LOADTGA(TGATEXTURE& TEXTURE, const char* FILENAME);              // opens, checks, decodes; false after a message
bool LOADUNCOMPRESSEDTGA(TGATEXTURE& TEXTURE, const char* FILENAME);  // type 2 body from FTGA
bool LOADCOMPRESSEDTGA(TGATEXTURE& TEXTURE, const char* FILENAME);    // type 10 body from FTGA

// Uploads a decoded image into a new texture name (left bound) with the loaders' filters and repeat
// wrap, then frees its pixel buffer. TEXTURELOADTGAID's second half.
void upload_tga_texture(TGATEXTURE& TEXTURE);

// LOADTGA over a file's bytes in memory, with the same messages.
bool load_tga_from_memory(TGATEXTURE& TEXTURE, const uint8_t* data, size_t size);

}  // namespace corvala
