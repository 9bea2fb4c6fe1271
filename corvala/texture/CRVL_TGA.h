/// @file
/// TGA images and the TGA slot table.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace corvala {

/// One TGA slot: the decoded picture until it is uploaded, and its texture.
struct TGATEXTURE {
    uint8_t* IMAGEDATA;  ///< decoded R, G, B (, A) rows in file order; std::malloc'd, freed after the upload
    uint32_t BPP;        ///< 24 or 32
    uint32_t WIDTH;      ///< in pixels
    uint32_t HEIGHT;     ///< in pixels
    uint32_t TEXID;      ///< GL texture name, 0 while never loaded
    uint32_t TYP;        ///< GL_RGB or GL_RGBA
};

/// The first 12 bytes of a TGA file, which tell its type.
struct TTGAHEADER {
    uint8_t HEADER[12];  ///< as in the file
};

/// The picture being decoded: what the file's header says and what follows from it.
struct TTGA {
    uint8_t HEADER[6];       ///< file bytes 12..17: width, height, bits per pixel, descriptor
    uint32_t BYTESPERPIXEL;  ///< BPP / 8
    uint64_t IMAGESIZE;      ///< 64 bits: 4 x 65535 x 65535 does not fit in 32
    uint32_t TYP;            ///< not consulted
    uint32_t HEIGH;          ///< height in pixels
    uint32_t WIDTH;          ///< width in pixels
    uint32_t BPP;            ///< bits per pixel: 24 or 32
};

/// What FTGA stands for: the bytes of the open TGA file, read from the front.
struct TgaReader {
    const uint8_t* data = nullptr;    ///< the bytes, the file's or attached ones
    size_t size = 0;                  ///< how many
    size_t pos = 0;                   ///< the next one to read
    bool open = false;                ///< between open_file or attach and close
    std::vector<uint8_t> file_bytes;  ///< holds the file when one was opened

    bool open_file(const char* path, bool* no_file = nullptr);  ///< no_file: as host::ReadWholeFile
    void attach(const uint8_t* bytes, size_t n);     ///< reads N bytes at BYTES (not copied) instead of a file
    size_t read(void* dst, size_t n);                ///< bytes delivered, fewer at the end
    size_t remaining() const { return size - pos; }  ///< bytes not read yet
    void close();                                    ///< forgets the bytes, freeing the file's
};

constexpr int32_t TEXTURETGA2_LAST = 200;             ///< last slot of the TGA slot table
extern TGATEXTURE TEXTURETGA2[TEXTURETGA2_LAST + 1];  ///< the TGA slot table
extern TTGAHEADER TGAHEADER;                          ///< the type bytes of the file being loaded
extern TTGA TGA;                                      ///< the picture being loaded
extern TgaReader FTGA;                                ///< the file being loaded
extern const TTGAHEADER UTGACOMPARE;                  ///< type 2, uncompressed true-colour
extern const TTGAHEADER CTGACOMPARE;                  ///< type 10, run-length-encoded true-colour

/// TGA file TGAFILE into slot NUM (0..200), left bound. The rows go up in the order the file stores them (its
/// origin bit is ignored): t = 0 is the first stored row, the bottom one in the usual bottom-left files (upright
/// like a BMP), the top one in top-left files, which therefore need t flipped (1 - t) to stand upright.
void TEXTURELOADTGAID(const char* TGAFILE, int32_t NUM);
void TEXTURETGASELECTID(int32_t NUM);                                 ///< binds TGA slot NUM
bool LOADTGA(TGATEXTURE& TEXTURE, const char* FILENAME);              ///< opens, checks, decodes; false after a message
bool LOADUNCOMPRESSEDTGA(TGATEXTURE& TEXTURE, const char* FILENAME);  ///< type 2 body from FTGA
bool LOADCOMPRESSEDTGA(TGATEXTURE& TEXTURE, const char* FILENAME);    ///< type 10 body from FTGA

/// Uploads a decoded image into a new texture name (left bound) with the loaders' filters and repeat
/// wrap, then frees its pixel buffer. TEXTURELOADTGAID's second half.
void upload_tga_texture(TGATEXTURE& TEXTURE);

/// LOADTGA over a file's bytes in memory, with the same messages.
bool load_tga_from_memory(TGATEXTURE& TEXTURE, const uint8_t* data, size_t size);

}  // namespace corvala
