// The viewer's own zip reader on archives libzip writes (stored and deflated) and on ZIP64's records:
// every entry reads back as written, and damage is refused rather than handed on.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"
#include "tests/support/zip_files.h"
#include "tools/md3view/files.h"

namespace {

// Bytes that do not compress away, so a deflated entry has data worth damaging.
std::vector<uint8_t> noise(size_t n, uint32_t seed) {
    std::vector<uint8_t> out(n);
    for (uint8_t& b : out) b = uint8_t((seed = seed * 1664525u + 1013904223u) >> 24);
    return out;
}

const testsupport::ZipEntries kEntries = {{"models/players/x/Lower.MD3", noise(3000, 1)},
                                          {"models/players/x/empty.skin", {}},
                                          {"readme.txt", testsupport::text_bytes("hello")}};

void expect_entries(const md3view::Files& files) {
    for (const auto& [name, bytes] : kEntries) {
        std::vector<uint8_t> got;
        EXPECT_TRUE(files.read(name, got)) << name;
        EXPECT_EQ(bytes, got) << name;
    }
    std::vector<uint8_t> got;
    EXPECT_TRUE(files.read("MODELS/players/X/lower.md3", got));
    EXPECT_FALSE(files.read("models/players/x/none", got));
}

std::vector<uint8_t> file_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

uint32_t u32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at] | b[at + 1] << 8 | b[at + 2] << 16) | uint32_t(b[at + 3]) << 24;
}

}  // namespace

TEST(Md3ViewZip, EntriesReadBackAsWrittenStoredDeflatedOrInZip64Records) {
    testsupport::TempDir dir;
    for (bool stored : {false, true}) {
        testsupport::write_zip(dir.file("a.pk3"), kEntries, stored);
        md3view::Files files;
        std::string error;
        ASSERT_TRUE(files.add_archive(dir.file("a.pk3"), error)) << error;
        expect_entries(files);
        // Deflated, the two sizes in ZIP64's extra fields differ: each must be read as the one it is.
        md3view::Files files64;
        ASSERT_TRUE(files64.add_archive_bytes(testsupport::zip64_archive(kEntries, stored), "zip64.pk3", error))
            << error;
        expect_entries(files64);
    }
}

TEST(Md3ViewZip, DamagedEntryIsRefusedAndAnArchiveWithoutItsDirectoryIsNoZip) {
    testsupport::TempDir dir;
    testsupport::write_zip(dir.file("a.pk3"), kEntries, true);
    const std::vector<uint8_t> bytes = file_bytes(dir.file("a.pk3"));
    const std::string& first = kEntries[0].first;
    std::vector<uint8_t> damaged = bytes;
    damaged[30 + first.size() + 1000] ^= 0x40;  // inside the first entry's stored data: only its CRC tells
    md3view::Files files;
    std::string error;
    ASSERT_TRUE(files.add_archive_bytes(damaged, "damaged.pk3", error)) << error;
    std::vector<uint8_t> got;
    EXPECT_FALSE(files.read(first, got));
    EXPECT_TRUE(got.empty());
    EXPECT_TRUE(files.read("readme.txt", got));

    const std::vector<uint8_t> cut(bytes.begin(), bytes.end() - 30);
    EXPECT_FALSE(files.add_archive_bytes(cut, "cut.pk3", error));
    EXPECT_EQ("cut.pk3: Not a zip archive", error);
}

// Text deflates to Huffman codes, so every bit of the stream is the inflater's to judge.
TEST(Md3ViewZip, DeflatedEntryWithAFlippedBitOrAWrongSizeIsRefused) {
    std::string text;
    for (int i = 0; i < 300; ++i) text += "tag_torso " + std::to_string(i * 7 % 50) + "\n";
    const std::vector<uint8_t> plain = testsupport::text_bytes(text);
    testsupport::TempDir dir;
    testsupport::write_zip(dir.file("a.pk3"), {{"a.cfg", plain}});
    const std::vector<uint8_t> bytes = file_bytes(dir.file("a.pk3"));
    const auto reads = [](const std::vector<uint8_t>& archive) {
        md3view::Files files;
        std::string error;
        std::vector<uint8_t> got;
        return files.add_archive_bytes(archive, "a.pk3", error) && files.read("a.cfg", got) ? got
                                                                                            : std::vector<uint8_t>{};
    };
    ASSERT_EQ(plain, reads(bytes));

    // Deflate fills bytes from their low bit, so bit 0 is data even in the stream's last byte.
    const size_t start = 30 + size_t(bytes[26] | bytes[27] << 8) + size_t(bytes[28] | bytes[29] << 8);
    for (size_t i = start; i < start + u32(bytes, 18); ++i) {
        std::vector<uint8_t> damaged = bytes;
        damaged[i] ^= 1;
        EXPECT_TRUE(reads(damaged).empty()) << "byte " << i - start;
    }
    size_t central = bytes.size() - 22;
    while (u32(bytes, central) != 0x02014b50) --central;
    for (uint32_t size : {uint32_t(plain.size() - 1), uint32_t(plain.size() + 1)}) {
        std::vector<uint8_t> resized = bytes;
        for (int k = 0; k < 4; ++k) resized[central + 24 + k] = uint8_t(size >> 8 * k);
        EXPECT_TRUE(reads(resized).empty()) << size;
    }
}
