// The SDL backend's message boxes and icons.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/emul/backend.h"
#include "platform/testing.h"

using namespace win32;

namespace {

TEST(MessageBoxes, TheRecorderKeepsCaptionAndTextAndAnswersOk) {
    win32::testing::RecordMessageBoxes(true);
    win32::testing::ClearRecordedBoxes();
    EXPECT_EQ(MessageBoxA(nullptr, "Could not open texture file", "ERROR", MB_OK), IDOK);
    ASSERT_EQ(win32::testing::RecordedBoxes().size(), 1u);
    EXPECT_EQ(win32::testing::RecordedBoxes()[0].caption, "ERROR");
    EXPECT_EQ(win32::testing::RecordedBoxes()[0].text, "Could not open texture file");
    win32::testing::ClearRecordedBoxes();
}

}  // namespace

namespace {

std::vector<uint8_t> read_all(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        int c;
        while ((c = std::fgetc(f)) != EOF) bytes.push_back(uint8_t(c));
        std::fclose(f);
    }
    return bytes;
}

TEST(Icons, TheProgramsIconFileLoadsAndUnusableBytesGiveNoIcon) {
    const auto icon = read_all(std::string(WOBBLEFIN_RUN_DIR) + "/Wobblefin.ico");
    ASSERT_FALSE(icon.empty());
    HICON h = LoadCursorFromMemory(icon.data(), icon.size());
    ASSERT_NE(h, nullptr);
    EXPECT_TRUE(DestroyIcon(h));
    std::vector<uint8_t> cut(icon.begin(), icon.begin() + 30);  // the directory and a little more
    EXPECT_EQ(LoadCursorFromMemory(cut.data(), cut.size()), nullptr);
    const uint8_t junk[] = {0, 0, 1, 0, 0xFF, 0xFF};
    EXPECT_EQ(LoadCursorFromMemory(junk, sizeof junk), nullptr);
    EXPECT_EQ(LoadCursorFromMemory(nullptr, 10), nullptr);
    EXPECT_EQ(LoadCursorFromFileA("no such icon.ico"), nullptr);
    EXPECT_FALSE(DestroyIcon(LoadIconA(nullptr, IDI_APPLICATION))) << "stock icons stay";
}

}  // namespace

namespace {

TEST(Icons, APictureHeaderAskingForGigabytesIsRefusedBeforeDecoding) {
    // One directory entry whose picture claims 0x2DF80000 pixels across.
    std::vector<uint8_t> ico = {0, 0, 1, 0, 1, 0, 1, 1, 0, 0, 1, 0, 32, 0, 48, 0, 0, 0, 22, 0, 0, 0};
    const uint8_t header[] = {40, 0, 0, 0, 0, 0, 0xF8, 0x2D, 2, 0, 0, 0, 1, 0, 32, 0};
    ico.insert(ico.end(), header, header + sizeof header);
    ico.resize(22 + 48, 0);
    EXPECT_EQ(LoadCursorFromMemory(ico.data(), ico.size()), nullptr);
    ico[2] = 3;  // neither an icon nor a cursor file
    EXPECT_EQ(LoadCursorFromMemory(ico.data(), ico.size()), nullptr);
}

}  // namespace
