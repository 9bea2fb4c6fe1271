// Host services that need no window: paths and files, message boxes, text conversion.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "platform/host.h"
#include "platform/testing.h"
#include "platform/win32.h"
#include "tests/support/temp_dir.h"

using namespace win32;

namespace {

TEST(Paths, BackslashPathsFindFilesWhateverTheCaseOfEachComponent) {
    testsupport::TempDir dir;
    const std::string& root = dir.path();
    ASSERT_EQ(mkdir((root + "/Immagini").c_str(), 0755), 0);
    dir.write("Immagini/Vetro.TGA", "");

    EXPECT_EQ(MapPath((root + "\\immagini\\vetro.tga").c_str()), root + "/Immagini/Vetro.TGA");
    EXPECT_EQ(MapPath((root + "/Immagini/Vetro.TGA").c_str()), root + "/Immagini/Vetro.TGA");
    EXPECT_TRUE(FileExists((root + "\\IMMAGINI\\VETRO.tga").c_str()));
    EXPECT_FALSE(FileExists((root + "\\immagini\\acqua.tga").c_str()));
    EXPECT_FALSE(FileExists((root + "\\immagini").c_str())) << "a folder is not a file";
    EXPECT_EQ(MapPath((root + "\\nowhere\\x.tga").c_str()), root + "/nowhere/x.tga");
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(FileExists(nullptr));
}

TEST(Paths, AWholeFileIsReadThroughTheMappedPathWithinOneSizeLimit) {
    testsupport::TempDir dir;
    ASSERT_EQ(mkdir(dir.file("Modelli").c_str(), 0755), 0);
    const std::vector<uint8_t> bytes = {'I', 'D', 'P', '3', 0, 0xFF, 7};
    dir.write("Modelli/Pesce.md3", bytes);
    std::vector<uint8_t> got = {1, 2, 3};
    EXPECT_TRUE(ReadWholeFile((dir.path() + "\\modelli\\PESCE.md3").c_str(), got));
    EXPECT_EQ(got, bytes);

    dir.write("empty.cfg", "");
    EXPECT_TRUE(ReadWholeFile(dir.file("empty.cfg").c_str(), got));
    EXPECT_TRUE(got.empty());

    // Each failure leaves nothing behind: missing, a folder, a FIFO (with no writer: no wait), one byte over the
    // limit (a sparse file).
    const std::string large = dir.write("large.tga", "");
    ASSERT_EQ(truncate(large.c_str(), off_t(kMaxFileBytes) + 1), 0);
    ASSERT_EQ(mkfifo(dir.file("fifo.tga").c_str(), 0600), 0);
    for (const std::string& path : {dir.file("missing.tga"), dir.file("Modelli"), dir.file("fifo.tga"), large}) {
        got = {1};
        EXPECT_FALSE(ReadWholeFile(path.c_str(), got)) << path;
        EXPECT_TRUE(got.empty()) << path;
    }
    EXPECT_FALSE(ReadWholeFile(nullptr, got));
}

TEST(MessageBoxes, TheRecorderKeepsCaptionAndTextAndAnswersOk) {
    win32::testing::RecordMessageBoxes(true);
    win32::testing::ClearRecordedBoxes();
    EXPECT_EQ(MessageBoxA(nullptr, "Could not open texture file", "ERROR", MB_OK), IDOK);
    ASSERT_EQ(win32::testing::RecordedBoxes().size(), 1u);
    EXPECT_EQ(win32::testing::RecordedBoxes()[0].caption, "ERROR");
    EXPECT_EQ(win32::testing::RecordedBoxes()[0].text, "Could not open texture file");
    EXPECT_FALSE(MessageBoxWritesToStderr());
    win32::testing::ClearRecordedBoxes();
}

TEST(MessageBoxes, Windows1252TextBecomesUtf8) {
    EXPECT_EQ(Cp1252ToUtf8("non \xE8 stata"), "non \xC3\xA8 stata");
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");
    EXPECT_EQ(Cp1252ToUtf8(nullptr), "");
}

TEST(Ticks, TheTickCountIsTheMonotonicClockInMilliseconds) {
    const auto monotonic_ms = [] {
        timespec ts;
        clock_gettime(CLOCK_MONOTONIC, &ts);
        return uint64_t(ts.tv_sec) * 1000u + uint64_t(ts.tv_nsec) / 1000000u;
    };
    const uint64_t before = monotonic_ms();
    const DWORD ticks = GetTickCount();
    const uint64_t after = monotonic_ms();
    // Between the two readings, counted the way the 32-bit counter wraps; another clock or unit falls outside.
    EXPECT_LE(DWORD(ticks - DWORD(before)), DWORD(after - before));
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
    EXPECT_FALSE(DestroyIcon(LoadIconA(nullptr, MAKEINTRESOURCEA(IDI_APPLICATION)))) << "stock icons stay";
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

#include <filesystem>

#include "platform/host.h"
#include "tests/support/image_files.h"

namespace {

TEST(Pacing, SixtyFramesASecondOnEveryDisplayVsyncOnlyOnWholeMultiplesOfSixty) {
    struct Case {
        double hz;
        int interval;
    } cases[] = {{60, 1},  {59.94, 1}, {60.5, 1}, {75, 0}, {120, 2}, {119.88, 2},
                 {144, 0}, {165, 0},   {240, 4},  {0, 0},  {30, 0},  {61, 0}};
    for (const Case& c : cases) {
        const Pacing p = ChoosePacing(c.hz, nullptr);
        EXPECT_EQ(p.swap_interval, c.interval) << c.hz << " Hz";
        EXPECT_EQ(p.fps, 60.0) << c.hz << " Hz: the timer, or the fall-back, holds the design rate";
    }
}

TEST(Pacing, WobblefinFpsSetsTheRateOrFollowsTheDisplayAndJunkIsIgnored) {
    EXPECT_EQ(ChoosePacing(144, "30").swap_interval, 0);
    EXPECT_EQ(ChoosePacing(144, "30").fps, 30.0);
    EXPECT_EQ(ChoosePacing(60, "144").fps, 144.0);
    EXPECT_EQ(ChoosePacing(60, "144").swap_interval, 0) << "a rate of its own is timed, not vsynced";
    EXPECT_EQ(ChoosePacing(144, "display").swap_interval, 1);
    EXPECT_EQ(ChoosePacing(144, "Display").fps, 144.0) << "its fall-back keeps the display's rate";
    EXPECT_EQ(ChoosePacing(0, "display").fps, 60.0);
    for (const char* junk : {"", "fast", "60fps", "0", "-5", "nan", "1e9"}) {
        EXPECT_EQ(ChoosePacing(120, junk).swap_interval, 2) << junk;
        EXPECT_EQ(ChoosePacing(120, junk).fps, 60.0) << junk;
    }
}

TEST(Pacing, VsyncIsTrustedOnlyWhileFramesTakeAboutTheirInterval) {
    const double period = 1.0 / 60;
    EXPECT_TRUE(VsyncPaces(30, 30 * period, period));
    EXPECT_TRUE(VsyncPaces(30, 30 * period * 3, period)) << "slow frames are not vsync's fault";
    EXPECT_FALSE(VsyncPaces(30, 0.01, period)) << "a swap that never waits";
    EXPECT_FALSE(VsyncPaces(30, 30 * period * 0.4, period));
}

TEST(DataFolder, TheWorkingDirectoryFirstThenBesideTheProgramThenTheInstalledDataFolder) {
    const std::vector<std::string> c = DataFolderCandidates("/home/u", "/opt/x/libexec/wobblefin");
    ASSERT_EQ(c.size(), 4u);
    EXPECT_EQ(c[0], "/home/u");
    EXPECT_EQ(c[1], "/opt/x/libexec/wobblefin");
    EXPECT_EQ(c[2], "/opt/x/libexec/wobblefin/../share/wobblefin");
    EXPECT_EQ(c[3], "/opt/x/libexec/wobblefin/../../share/wobblefin");
    EXPECT_EQ(DataFolderCandidates("/home/u", "").size(), 1u);
}

TEST(DataFolder, TheFirstFolderHoldingTheDataSetIsEnteredAndNoneHoldingItIsSaidOnce) {
    namespace fs = std::filesystem;
    const std::string root = testsupport::temp_dir();
    fs::create_directories(root + "/empty");
    fs::create_directories(root + "/bin");
    fs::create_directories(root + "/share/wobblefin/Modelli");
    testsupport::write_file(root + "/share/wobblefin/Modelli/pesce.md3", {1, 2, 3});
    testsupport::write_file(root + "/bin/pesce.md3", {1});  // the right name in the wrong place
    const fs::path before = fs::current_path();
    ASSERT_EQ(::chdir((root + "/empty").c_str()), 0);

    const auto candidates = DataFolderCandidates(root + "/empty", root + "/bin");
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(EnterDataFolder(candidates, {"modelli\\PESCE.md3"}), root + "/bin/../share/wobblefin");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(fs::current_path(), fs::canonical(root + "/share/wobblefin"));

    ASSERT_EQ(::chdir((root + "/empty").c_str()), 0);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(EnterDataFolder(candidates, {"modelli\\pesce.md3", "immagini\\vetro.tga"}), "");
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(fs::current_path(), fs::canonical(root + "/empty")) << "no folder holds it: the program stays put";
    EXPECT_EQ(said, "data set not found (looked in " + root + "/empty, " + root + "/bin, " + root +
                        "/bin/../share/wobblefin, " + root + "/bin/../../share/wobblefin); carrying on without it\n");
    fs::current_path(before);
}

}  // namespace
