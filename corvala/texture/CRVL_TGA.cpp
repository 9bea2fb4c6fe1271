#include "texture/CRVL_TGA.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/gl/gl.h"
#include "platform/host/host.h"
#include "platform/win32.h"
#include "render/CRVL_Render.h"
#include "texture/CRVL_TGAFile.h"
#include "texture/CRVL_Texture.h"

namespace corvala {

using namespace win32;

TGATEXTURE TEXTURETGA2[TEXTURETGA2_LAST + 1];
TTGAHEADER TGAHEADER;
TTGA TGA;
TgaReader FTGA;

bool TgaReader::open_file(const char* path, bool* no_file) {
    close();
    // A file that cannot be read whole (a folder, an I/O error, too large) counts as one that would not open.
    if (!host::ReadWholeFile(path, file_bytes, no_file)) {
        close();
        return false;
    }
    attach(file_bytes.data(), file_bytes.size());
    return true;
}

void TgaReader::attach(const uint8_t* bytes, size_t n) {
    data = bytes;
    size = bytes ? n : 0;
    pos = 0;
    open = true;
}

size_t TgaReader::read(void* dst, size_t n) {
    const size_t got = n < remaining() ? n : remaining();
    if (got) std::memcpy(dst, data + pos, got);
    pos += got;
    return got;
}

void TgaReader::close() {
    data = nullptr;
    size = pos = 0;
    open = false;
    file_bytes.clear();
    file_bytes.shrink_to_fit();
}

namespace {

constexpr size_t kSpecBytes = sizeof(TTGA::HEADER);

void check_slot(int32_t NUM) {
    if (NUM < 0 || NUM > TEXTURETGA2_LAST) slot_range_error("TGA", NUM, TEXTURETGA2_LAST);
}

// What the user sees of a failed load: one box, whose text LastLoadError also tells with the file.
void message(const char* file, const char* text, const char* caption = "ERROR") {
    note_load_failure(file, text);
    win32::MessageBoxA(nullptr, text, caption, MB_OK);
}

void message(TgaFault fault, const char* file) {
    message(file, TgaFaultText(fault), fault == TgaFault::WrongType ? "Invalid Image" : "ERROR");
}

// The body steps: the reader over FTGA's bytes from where it stands; the picture's description in
// TEXTURE and TGA as far as the reader got, then the picture, or its box.
bool load_body(TGATEXTURE& TEXTURE, const char* FILENAME, bool run_length) {
    TEXTURE.IMAGEDATA = nullptr;
    const uint8_t* body = FTGA.data + FTGA.pos;
    const TgaRead r = ReadTgaBody(body, FTGA.remaining(), run_length, FILENAME);
    if (FTGA.remaining()) std::memcpy(TGA.HEADER, body, std::min(FTGA.remaining(), kSpecBytes));
    if (r.fault != TgaFault::InfoHeader) {
        TEXTURE.WIDTH = TGA.WIDTH = r.width;
        TEXTURE.HEIGHT = TGA.HEIGH = r.height;
        TEXTURE.BPP = TGA.BPP = r.bpp;
    }
    if (r.fault != TgaFault::InfoHeader && r.fault != TgaFault::BadSpec) {
        TEXTURE.TYP = r.bpp == 24 ? GL_RGB : GL_RGBA;
        TGA.BYTESPERPIXEL = r.bpp / 8;
        TGA.IMAGESIZE = uint64_t(TGA.BYTESPERPIXEL) * TGA.WIDTH * TGA.HEIGH;
    }
    if (r.fault != TgaFault::None) {
        message(r.fault, r.file);
        return false;
    }
    TEXTURE.IMAGEDATA = r.pixels;
    FTGA.close();
    return true;
}

// Steps 2 to 4 of LOADTGA, on whatever FTGA holds.
bool load_opened(TGATEXTURE& TEXTURE, const char* FILENAME) {
    if (FTGA.read(TGAHEADER.HEADER, sizeof TGAHEADER.HEADER) < sizeof TGAHEADER.HEADER) {
        message(TgaFault::FileHeader, FILENAME);
        FTGA.close();
        return false;
    }
    bool ok;
    if (std::memcmp(TGAHEADER.HEADER, UTGACOMPARE.HEADER, sizeof TGAHEADER.HEADER) == 0) {
        ok = LOADUNCOMPRESSEDTGA(TEXTURE, FILENAME);
    } else if (std::memcmp(TGAHEADER.HEADER, CTGACOMPARE.HEADER, sizeof TGAHEADER.HEADER) == 0) {
        ok = LOADCOMPRESSEDTGA(TEXTURE, FILENAME);
    } else {
        message(TgaFault::WrongType, FILENAME);
        FTGA.close();
        return false;
    }
    if (!ok) FTGA.close();
    return ok;
}

}  // namespace

bool LOADUNCOMPRESSEDTGA(TGATEXTURE& TEXTURE, const char* FILENAME) { return load_body(TEXTURE, FILENAME, false); }

bool LOADCOMPRESSEDTGA(TGATEXTURE& TEXTURE, const char* FILENAME) { return load_body(TEXTURE, FILENAME, true); }

bool LOADTGA(TGATEXTURE& TEXTURE, const char* FILENAME) {
    const char* name = FILENAME ? FILENAME : "";
    if (!FTGA.open_file(FILENAME)) {
        message(name, "Could not open texture file");
        return false;
    }
    return load_opened(TEXTURE, name);
}

bool load_tga_from_memory(TGATEXTURE& TEXTURE, const uint8_t* data, size_t size) {
    FTGA.close();
    FTGA.attach(data, size);
    return load_opened(TEXTURE, "(bytes in memory)");
}

void upload_tga_texture(TGATEXTURE& T) {
    glEnable(GL_TEXTURE_2D);
    glGenTextures(1, &T.TEXID);
    glBindTexture(GL_TEXTURE_2D, T.TEXID);
    // The decoded rows are tightly packed; GL's default alignment of 4 would read past the end
    // of the buffer when a row is not a multiple of 4 bytes long.
    const bool packed_rows = (T.WIDTH * (T.BPP / 8)) % 4 != 0;
    if (packed_rows) glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GLint(T.BPP / 8), GLsizei(T.WIDTH), GLsizei(T.HEIGHT), 0, T.TYP, GL_UNSIGNED_BYTE,
                 T.IMAGEDATA);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_MIN_FILTER);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_MAG_FILTER);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    // ADDMIPMAPSTEXTURE reads 32-bit pixels as B, G, R, A, the BMP loader's order; the levels are built
    // from the pixels in the order level 0 was given in instead of swapping them back.
    if (is_mipmap_filter(GL_MIN_FILTER))
        gluBuild2DMipmaps(GL_TEXTURE_2D, GLint(T.BPP / 8), GLsizei(T.WIDTH), GLsizei(T.HEIGHT), T.TYP, GL_UNSIGNED_BYTE,
                          T.IMAGEDATA);
    if (packed_rows) glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    std::free(T.IMAGEDATA);
    T.IMAGEDATA = nullptr;
}

void TEXTURELOADTGAID(const char* TGAFILE, int32_t NUM) {
    check_slot(NUM);
    // LOADTGA's steps, with the existence check made by the one read of the file.
    TGATEXTURE& T = TEXTURETGA2[NUM];
    const char* name = TGAFILE ? TGAFILE : "";
    bool no_file = false;
    if (!FTGA.open_file(TGAFILE, &no_file)) {
        if (no_file) note_load_failure(name, "no such file");
        else message(name, "Could not open texture file");
        return;
    }
    if (!load_opened(T, name)) return;
    note_if_no_context(name);
    upload_tga_texture(T);
}

void TEXTURETGASELECTID(int32_t NUM) {
    check_slot(NUM);
    glBindTexture(GL_TEXTURE_2D, TEXTURETGA2[NUM].TEXID);
}

}  // namespace corvala
