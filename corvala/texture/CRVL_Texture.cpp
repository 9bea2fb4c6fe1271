#include "texture/CRVL_Texture.h"

#include <atomic>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "platform/gl/gl.h"
#include "platform/host/host.h"
#include "platform/win32.h"
#include "render/CRVL_Render.h"

namespace corvala {

using namespace win32;

uint32_t TEXTUREID2[TEXTUREID2_LAST + 1];

namespace {
std::string g_load_error;      // like SDL_GetError: kept until the next failure
std::mutex g_load_error_lock;  // the fish loads on a thread of its own while the images load
std::atomic<bool> g_report_load_failures{false};
}  // namespace

void ReportLoadFailures(bool on) { g_report_load_failures = on; }

const char* LastLoadError() {
    thread_local std::string copy;  // what the caller holds stays whole while another load fails
    std::lock_guard<std::mutex> lock(g_load_error_lock);
    copy = g_load_error;
    return copy.c_str();
}

void note_load_failure(const std::string& file, const std::string& why) {
    std::string text = file + ": " + why;
    // One call writes the whole line, so lines from two loading threads do not interleave.
    if (g_report_load_failures) std::fprintf(stderr, "corvala: %s\n", text.c_str());
    std::lock_guard<std::mutex> lock(g_load_error_lock);
    g_load_error.swap(text);
}

void note_if_no_context(const std::string& file) {
    // GL then makes no texture name: the slot stays 0 and nothing else would say why.
    if (!win32::wglGetCurrentContext())
        note_load_failure(file, "no OpenGL context: textures load after CREATEOGLWINDOW has made the window");
}

void slot_range_error(const char* table, int32_t num, int32_t last) {
    const std::string text =
        std::string(table) + " texture slot " + std::to_string(num) + " is outside 0.." + std::to_string(last);
    host::FatalError("Error", text.c_str());
}

static void check_slot(int32_t NUM) {
    if (NUM < 0 || NUM > TEXTUREID2_LAST) slot_range_error("BMP", NUM, TEXTUREID2_LAST);
}

bool is_mipmap_filter(int32_t filter) {
    return filter == GL_NEAREST_MIPMAP_NEAREST || filter == GL_LINEAR_MIPMAP_NEAREST ||
           filter == GL_NEAREST_MIPMAP_LINEAR || filter == GL_LINEAR_MIPMAP_LINEAR;
}

int32_t bmp_depth_from_memory(const uint8_t* data, size_t size) {
    win32::BITMAPFILEHEADER fh;
    win32::BITMAPINFOHEADER ih;
    if (!data || size < sizeof fh + sizeof ih) return 0;
    std::memcpy(&fh, data, sizeof fh);
    if (fh.bfType != win32::BMP_SIGNATURE) return 0;
    std::memcpy(&ih, data + sizeof fh, sizeof ih);
    if (ih.biSize == 12) return 0;
    return ih.biBitCount;
}

int32_t GETBMPDEPTH(const char* BMPFILE) {
    std::vector<uint8_t> bytes;  // a file that cannot be read is as unusable as a missing one
    return host::ReadWholeFile(BMPFILE, bytes) ? bmp_depth_from_memory(bytes.data(), bytes.size()) : 0;
}

void SWAPRGB(void* DATA, int32_t SIZE) {
    auto* p = static_cast<uint8_t*>(DATA);
    for (int32_t i = 0; i < SIZE; ++i, p += 3) {
        const uint8_t t = p[0];
        p[0] = p[2];
        p[2] = t;
    }
}

void ADDMIPMAPSTEXTURE(int32_t FORMAT, int32_t WIDTH, int32_t HEIGHT, const uint8_t* BITS) {
    if (FORMAT == 24) gluBuild2DMipmaps(GL_TEXTURE_2D, 3, WIDTH, HEIGHT, GL_RGB, GL_UNSIGNED_BYTE, BITS);
    if (FORMAT == 32) gluBuild2DMipmaps(GL_TEXTURE_2D, 4, WIDTH, HEIGHT, GL_BGRA, GL_UNSIGNED_BYTE, BITS);
}

void TEXTURELOADID(const char* BMPFILE, int32_t NUM) {
    check_slot(NUM);
    // GETBMPDEPTH and LoadImageA, over the one read of the file.
    std::vector<uint8_t> bytes;
    bool no_file = false;
    const bool read = host::ReadWholeFile(BMPFILE, bytes, &no_file);
    int32_t FORMAT = bmp_depth_from_memory(bytes.data(), bytes.size());
    const std::string file = BMPFILE ? BMPFILE : "";
    if (!read) note_load_failure(file, no_file ? "no such file" : "the file could not be read");
    else if (FORMAT == 0) note_load_failure(file, "not a BMP file with a Windows info header");
    else if (FORMAT != 24 && FORMAT != 32)
        note_load_failure(file, std::to_string(FORMAT) + " bits per pixel: only 24 and 32 are loaded");
    win32::HANDLE bitmap = nullptr;
    win32::BITMAP bm{};
    if (FORMAT == 24 || FORMAT == 32) {
        bitmap = win32::LoadBitmapFromMemory(bytes.data(), bytes.size());
        std::vector<uint8_t>().swap(bytes);  // the bitmap holds its own copy: not two pictures at once
        // A bitmap that does not hold what the probe promised would be read past its end.
        if (!bitmap || win32::GetObjectA(bitmap, sizeof bm, &bm) != int(sizeof bm) || !bm.bmBits ||
            bm.bmBitsPixel != FORMAT) {
            note_load_failure(file, "the BMP file is damaged or of a kind that cannot be decoded");
            FORMAT = 0;
        }
    }
    if (FORMAT == 24 || FORMAT == 32) note_if_no_context(file);
    auto* P = static_cast<uint8_t*>(bm.bmBits);
    if (FORMAT == 24) {
        // Row by row: rows of a width that is not a multiple of 4 end in padding.
        for (int32_t row = 0; row < bm.bmHeight; ++row) SWAPRGB(P + size_t(row) * size_t(bm.bmWidthBytes), bm.bmWidth);
    }
    glEnable(GL_TEXTURE_2D);
    glGenTextures(1, &TEXTUREID2[NUM]);
    glBindTexture(GL_TEXTURE_2D, TEXTUREID2[NUM]);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_MIN_FILTER);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_MAG_FILTER);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    if (FORMAT == 24) glTexImage2D(GL_TEXTURE_2D, 0, 3, bm.bmWidth, bm.bmHeight, 0, GL_RGB, GL_UNSIGNED_BYTE, P);
    if (FORMAT == 32) glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, bm.bmWidth, bm.bmHeight, 0, GL_BGRA, GL_UNSIGNED_BYTE, P);
    if (is_mipmap_filter(GL_MIN_FILTER)) ADDMIPMAPSTEXTURE(FORMAT, bm.bmWidth, bm.bmHeight, P);
    if (bitmap) win32::DeleteObject(bitmap);
}

void TEXTURESELECTID(int32_t NUM) {
    check_slot(NUM);
    glBindTexture(GL_TEXTURE_2D, TEXTUREID2[NUM]);
}

void TEXTUREON() { glEnable(GL_TEXTURE_2D); }
void TEXTUREOFF() { glDisable(GL_TEXTURE_2D); }

}  // namespace corvala
