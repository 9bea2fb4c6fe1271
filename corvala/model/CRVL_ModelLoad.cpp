#include <cmath>
#include <cstring>
#include <vector>

#include "model/CRVL_Model.h"
#include "platform/host/host.h"
#include "platform/win32.h"
#include "render/CRVL_Vector.h"  // kPi
#include "texture/CRVL_Texture.h"

namespace corvala {

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "MD3 records are copied as they lie on disk");

double MD3NORMAL[256][256][3];

void INITNORMALS() {
    for (int A = 0; A < 256; ++A) {
        for (int B = 0; B < 256; ++B) {
            const double ALPHA = A * 2 * kPi / 255;  // 255, not 256: the format's own quirk
            const double BETA = B * 2 * kPi / 255;
            MD3NORMAL[A][B][0] = std::cos(BETA) * std::sin(ALPHA);
            MD3NORMAL[A][B][1] = std::sin(BETA) * std::sin(ALPHA);
            MD3NORMAL[A][B][2] = std::cos(ALPHA);
        }
    }
}

namespace {

// Every block is checked against the bytes actually present before anything is sized for it. On top
// of that, the blocks of one file together may not add up to more bytes than the file has: counts that
// each fit on their own but overlap (surfaces with MESHSIZE 0, say) would otherwise let a small file
// size arrays many times its own length.
class Reader {
public:
    Reader(const uint8_t* data, size_t size) : data_(data), size_(size), budget_(size) {}

    // Copies COUNT records of type T from OFFSET into OUT; false (OUT untouched) when a block with
    // records lies outside the file, COUNT is negative, or the budget is spent.
    template <typename T>
    bool block(int64_t offset, int64_t count, std::vector<T>& out) {
        if (!take(offset, count, sizeof(T))) return false;
        out.resize(size_t(count));
        if (count > 0) std::memcpy(out.data(), data_ + offset, size_t(count) * sizeof(T));
        return true;
    }

    template <typename T>
    bool record(int64_t offset, T& out) {
        if (!take(offset, 1, sizeof(T))) return false;
        std::memcpy(&out, data_ + offset, sizeof(T));
        return true;
    }

    // Whether COUNT records of RECORD bytes could fit in the unspent part of the file at all.
    bool could_hold(int64_t count, size_t record) const { return count >= 0 && uint64_t(count) <= budget_ / record; }

private:
    bool take(int64_t offset, int64_t count, size_t record) {
        if (count < 0) return false;
        if (count == 0) return true;  // nothing is read, so where the block would lie does not matter
        if (offset < 0 || uint64_t(offset) > size_) return false;
        if (uint64_t(count) > (size_ - uint64_t(offset)) / record) return false;
        const uint64_t bytes = uint64_t(count) * record;
        if (bytes > budget_) return false;
        budget_ -= bytes;
        return true;
    }

    const uint8_t* data_;
    uint64_t size_;
    uint64_t budget_;
};

bool is_idp3(const char (&ID)[4]) {
    for (int i = 0; i < 4; ++i) {
        char c = ID[i];
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
        if (c != kMd3Ident[i]) return false;
    }
    return true;
}

bool read_mesh(Reader& in, int64_t START, TMESH& MESH) {
    if (!in.record(START, MESH.MESHHEADER)) return false;
    const TGLMESHHEADER& H = MESH.MESHHEADER;
    return in.block(START + int64_t(sizeof(TGLMESHHEADER)), H.NUMSKINS, MESH.SKINS) &&
           in.block(START + H.TRISTART, H.NUMTRIANGLES, MESH.TRIANGLE) &&
           in.block(START + H.TEXVECTORSTART, H.NUMVERTEXES, MESH.TEXCOORD) && H.NUMMESHFRAMES >= 0 &&
           H.NUMVERTEXES >= 0 && in.block(START + H.VERTEXSTART, int64_t(H.NUMVERTEXES) * H.NUMMESHFRAMES, MESH.VERTEX);
}

}  // namespace

bool load_md3_from_memory(TGLMD3MODEL& MODEL, const uint8_t* data, size_t size) {
    // A model loaded from bytes is drawn with the same table; without it every normal would be zero.
    if (MD3NORMAL[0][0][2] != 1.0) INITNORMALS();
    Reader in(data, size);
    TGLMD3HEADER HEADER;
    if (!in.record(0, HEADER)) return false;
    MODEL.HEADER = HEADER;
    if (!is_idp3(HEADER.ID) || HEADER.VERSION != kMd3Version) return false;

    // Everything is read into fresh arrays first, so a file that turns out to be broken halfway
    // leaves the model exactly as a rejected identifier does.
    const int64_t F = HEADER.NUMBONEFRAMES, T = HEADER.NUMTAGS, S = HEADER.NUMMESHES;
    std::vector<TGLBONEFRAME> BONEFRAMES;
    std::vector<TGLTAG> TAGS;
    int64_t OFFSET = sizeof(TGLMD3HEADER);
    if (!in.block(OFFSET, F, BONEFRAMES)) return false;
    OFFSET += F * int64_t(sizeof(TGLBONEFRAME));
    if (T < 0 || !in.block(OFFSET, F * T, TAGS)) return false;
    OFFSET += F * T * int64_t(sizeof(TGLTAG));
    // With no frames the tag block is empty, yet LINKS still gets one entry per tag.
    if (uint64_t(T) > size / sizeof(TGLTAG)) return false;

    if (!in.could_hold(S, sizeof(TGLMESHHEADER))) return false;
    std::vector<TMESH> MESHES(static_cast<size_t>(S));
    for (TMESH& MESH : MESHES) {
        if (!read_mesh(in, OFFSET, MESH)) return false;
        OFFSET += MESH.MESHHEADER.MESHSIZE;
    }

    MODEL.BONEFRAMES.swap(BONEFRAMES);
    MODEL.TAGS.swap(TAGS);
    MODEL.MESHES.swap(MESHES);
    MODEL.LINKS.assign(size_t(T), nullptr);
    MODEL.HEADER.NUMBONEFRAMES = MODEL.HEADER.NUMBONEFRAMES - 1;  // from now on the last frame's index
    MODEL.STARTFRAME = 0;
    MODEL.ENDFRAME = MODEL.HEADER.NUMBONEFRAMES;
    return true;
}

void TGLMD3MODEL::LOADMODEL(const std::string& FILENAME) {
    if (MD3NORMAL[0][0][2] != 1.0) INITNORMALS();
    // An unreadable file yields no bytes and is then rejected like any file too short for a header.
    std::vector<uint8_t> BYTES;
    bool no_file = false;
    if (!host::ReadWholeFile(FILENAME.c_str(), BYTES, &no_file) && no_file) {
        note_load_failure(FILENAME, "no such file");
        return;
    }
    MD3NAME = FILENAME;
    if (!load_md3_from_memory(*this, BYTES.data(), BYTES.size()))
        note_load_failure(FILENAME, "not an MD3 model, or a damaged one");
}

}  // namespace corvala
