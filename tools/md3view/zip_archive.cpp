#include "zip_archive.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "inflate.h"

namespace md3view {

namespace {

constexpr uint32_t kLocalSig = 0x04034b50, kCentralSig = 0x02014b50, kEndSig = 0x06054b50;
constexpr uint32_t kEnd64Sig = 0x06064b50, kLocator64Sig = 0x07064b50;
constexpr size_t kEndBytes = 22, kCentralBytes = 46, kLocalBytes = 30, kLocatorBytes = 20, kEnd64Bytes = 56;
constexpr size_t kMaxComment = 0xFFFF;
constexpr size_t kChunk = 64 * 1024;

const char* const kNoZip = "Not a zip archive";
const char* const kInconsistent = "Zip archive inconsistent";
const char* const kMultiDisk = "Multi-disk zip archives not supported";

uint16_t u16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t u32(const uint8_t* p) { return uint32_t(u16(p)) | uint32_t(u16(p + 2)) << 16; }
uint64_t u64(const uint8_t* p) { return uint64_t(u32(p)) | uint64_t(u32(p + 4)) << 32; }

// OFFSET + N within TOTAL, without the sum overflowing.
bool fits(uint64_t offset, uint64_t n, uint64_t total) { return offset <= total && n <= total - offset; }

bool seek(std::FILE* f, uint64_t offset) {
#ifdef _WIN32
    return _fseeki64(f, int64_t(offset), SEEK_SET) == 0;
#else
    return fseeko(f, off_t(offset), SEEK_SET) == 0;
#endif
}

struct Directory {
    uint64_t entries = 0, size = 0, offset = 0;
    uint64_t end = 0;  // where the directory must have ended: the (ZIP64) end record
};

// ZIP64's extra field holds, in this order, only the values the fixed fields leave at all ones.
bool apply_zip64(const uint8_t* extra, size_t n, ZipArchive::Entry& e) {
    for (size_t at = 0; at + 4 <= n;) {
        const uint16_t id = u16(extra + at), len = u16(extra + at + 2);
        if (len > n - at - 4) return false;
        if (id == 0x0001) {
            const uint8_t* p = extra + at + 4;
            size_t left = len;
            for (uint64_t* v : {&e.size, &e.compressed, &e.local_header}) {
                if (*v != 0xFFFFFFFFu) continue;
                if (left < 8) return false;
                *v = u64(p);
                p += 8, left -= 8;
            }
        }
        at += 4 + size_t(len);
    }
    return true;
}

}  // namespace

bool ZipArchive::read_at(uint64_t offset, void* dst, size_t n) const {
    if (!fits(offset, n, size_)) return false;
    if (!file_) {
        if (n) std::memcpy(dst, bytes_.data() + offset, n);
        return true;
    }
    return seek(file_.get(), offset) && std::fread(dst, 1, n, file_.get()) == n;
}

bool ZipArchive::open_bytes(std::vector<uint8_t> bytes, std::string& error) {
    file_.reset();
    bytes_ = std::move(bytes);
    size_ = bytes_.size();
    return index(error);
}

bool ZipArchive::open_file(const std::string& path, std::string& error) {
    bytes_.clear();
    file_.reset(std::fopen(path.c_str(), "rb"));
    if (!file_) {
        error = std::string("Can't open file: ") + std::strerror(errno);
        return false;
    }
#ifdef _WIN32
    const bool at_end = _fseeki64(file_.get(), 0, SEEK_END) == 0;
    const int64_t size = at_end ? _ftelli64(file_.get()) : -1;
#else
    const bool at_end = fseeko(file_.get(), 0, SEEK_END) == 0;
    const int64_t size = at_end ? int64_t(ftello(file_.get())) : -1;
#endif
    if (size < 0) {
        error = std::string("Seek error: ") + std::strerror(errno);
        file_.reset();
        return false;
    }
    size_ = uint64_t(size);
    return index(error);
}

// The directory an end record at END_AT (its bytes R) points to, into entries_; nullptr when it
// checks out, else what libzip would say of it.
const char* ZipArchive::directory(uint64_t end_at, const uint8_t* r) {
    Directory d;
    d.end = end_at;
    d.entries = u16(r + 10);
    d.size = u32(r + 12);
    d.offset = u32(r + 16);
    if (u16(r + 4) != 0 || u16(r + 6) != 0) return kMultiDisk;
    if (u16(r + 8) != d.entries) return kInconsistent;
    if (d.entries == 0xFFFF || d.size == 0xFFFFFFFFu || d.offset == 0xFFFFFFFFu) {
        uint8_t loc[kLocatorBytes], end64[kEnd64Bytes];
        if (d.end >= kLocatorBytes && read_at(d.end - kLocatorBytes, loc, sizeof loc) && u32(loc) == kLocator64Sig) {
            const uint64_t at = u64(loc + 8);
            if (at >= d.end || !read_at(at, end64, sizeof end64) || u32(end64) != kEnd64Sig) return kInconsistent;
            if (u32(loc + 4) != 0 || u32(loc + 16) > 1 || u32(end64 + 16) != 0 || u32(end64 + 20) != 0)
                return kMultiDisk;
            if (u64(end64 + 24) != u64(end64 + 32)) return kInconsistent;
            d.end = at;
            d.entries = u64(end64 + 32);
            d.size = u64(end64 + 40);
            d.offset = u64(end64 + 48);
        }
    }
    // Each entry takes 46 bytes at least: a forged count cannot ask for more memory than that.
    if (!fits(d.offset, d.size, d.end) || d.entries > d.size / kCentralBytes) return kInconsistent;
    std::vector<uint8_t> cd(static_cast<size_t>(d.size));
    if (!read_at(d.offset, cd.data(), cd.size())) return "Read error";
    std::vector<Entry> found;
    found.reserve(size_t(d.entries));
    size_t at = 0;
    for (uint64_t i = 0; i < d.entries; ++i) {
        const uint8_t* c = cd.data() + at;
        if (cd.size() - at < kCentralBytes) return kInconsistent;
        if (u32(c) != kCentralSig) return kNoZip;  // libzip's word for a directory that is not there
        const size_t name_len = u16(c + 28), extra_len = u16(c + 30), comment_len = u16(c + 32);
        if (cd.size() - at - kCentralBytes < name_len + extra_len + comment_len) return kInconsistent;
        Entry e;
        e.flags = u16(c + 8);
        e.method = u16(c + 10);
        e.crc = u32(c + 16);
        e.compressed = u32(c + 20);
        e.size = u32(c + 24);
        e.local_header = u32(c + 42);
        const char* name = reinterpret_cast<const char*>(c + kCentralBytes);
        e.name.assign(name, strnlen(name, name_len));
        if (!apply_zip64(c + kCentralBytes + name_len, extra_len, e)) return kInconsistent;
        found.push_back(std::move(e));
        at += kCentralBytes + name_len + extra_len + comment_len;
    }
    if (at != cd.size()) return kInconsistent;
    entries_ = std::move(found);
    return nullptr;
}

bool ZipArchive::index(std::string& error) {
    entries_.clear();
    if (size_ < kEndBytes) {
        error = kNoZip;
        return false;
    }
    // The end record sits in the last 22 bytes plus a comment of up to 64 KiB.
    const uint64_t tail_at = size_ - std::min<uint64_t>(size_, kEndBytes + kMaxComment);
    std::vector<uint8_t> tail(size_t(size_ - tail_at));
    if (!read_at(tail_at, tail.data(), tail.size())) {
        error = "Read error";
        return false;
    }
    // A comment may itself hold the signature: the last record whose directory checks out wins, and
    // when none does, the one nearest the end says why.
    const char* failure = nullptr;
    for (size_t p = tail.size() - kEndBytes + 1; p-- > 0;) {
        const uint8_t* r = tail.data() + p;
        if (u32(r) != kEndSig) continue;
        const bool comment_fits = u16(r + 20) <= tail.size() - p - kEndBytes;
        const char* why = comment_fits ? directory(tail_at + p, r) : kInconsistent;
        if (!why) return true;
        if (!failure) failure = why;
    }
    error = failure ? failure : kNoZip;
    return false;
}

bool ZipArchive::read(size_t index, uint64_t limit, std::vector<uint8_t>& out) const {
    out.clear();
    if (index >= entries_.size()) return false;
    const Entry& e = entries_[index];
    if (e.size > limit || (e.flags & 1) || (e.method != 0 && e.method != 8)) return false;
    uint8_t local[kLocalBytes];
    if (!read_at(e.local_header, local, sizeof local) || u32(local) != kLocalSig) return false;
    const uint64_t data = e.local_header + kLocalBytes + u16(local + 26) + u16(local + 28);
    if (!fits(data, e.compressed, size_)) return false;

    out.resize(size_t(e.size));
    bool ok = false;
    if (e.method == 0) {
        ok = e.compressed == e.size && read_at(data, out.data(), out.size());
    } else {
        std::vector<uint8_t> chunk(file_ ? kChunk : 0);
        uint64_t next = data, left = e.compressed;
        ok = inflate_raw(
            e.compressed,
            [&](const uint8_t*& piece, size_t& n) {
                if (left == 0) return false;
                n = size_t(std::min<uint64_t>(left, kChunk));
                if (file_) {
                    if (!read_at(next, chunk.data(), n)) return false;
                    piece = chunk.data();
                } else {
                    piece = bytes_.data() + next;
                }
                next += n, left -= n;
                return true;
            },
            out);
    }
    if (ok && zip_crc32(out.data(), out.size()) == e.crc) return true;
    out.clear();
    return false;
}

}  // namespace md3view
