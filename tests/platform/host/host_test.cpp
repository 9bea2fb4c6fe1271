// Host services: paths and files, text conversion, the clock, frame pacing's policy, the data folder.
// None of them needs a display.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "platform/host/host.h"
#include "platform/win32.h"
#include "tests/support/temp_dir.h"

using namespace host;

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

TEST(MessageBoxes, Windows1252TextBecomesUtf8) {
    EXPECT_EQ(Cp1252ToUtf8("non \xE8 stata"), "non \xC3\xA8 stata");
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");
    EXPECT_EQ(Cp1252ToUtf8(nullptr), "");
}

TEST(Names, OnlyAsciiLettersAreComparedWithoutRegardToCase) {
    EXPECT_TRUE(EqualIgnoringCase("tag_Torso", "TAG_torso"));
    EXPECT_TRUE(EqualIgnoringCase("", ""));
    EXPECT_FALSE(EqualIgnoringCase("tag_head", "tag_hea"));
    EXPECT_FALSE(EqualIgnoringCase("tag_hea", "tag_head"));
    EXPECT_FALSE(EqualIgnoringCase("[@", "{`")) << "a case bit set on what is not a letter";
    EXPECT_FALSE(EqualIgnoringCase("\xC8", "\xE8")) << "Windows-1252's letters beyond ASCII stay as they are";
}

TEST(Ticks, TheTickCountIsTheMonotonicClockInMilliseconds) {
    const auto monotonic_ms = [] {
        timespec ts;
        clock_gettime(CLOCK_MONOTONIC, &ts);
        return uint64_t(ts.tv_sec) * 1000u + uint64_t(ts.tv_nsec) / 1000000u;
    };
    const uint64_t before = monotonic_ms();
    const win32::DWORD ticks = win32::GetTickCount();
    const uint64_t after = monotonic_ms();
    // Between the two readings, counted the way the 32-bit counter wraps; another clock or unit falls outside.
    EXPECT_LE(win32::DWORD(ticks - win32::DWORD(before)), win32::DWORD(after - before));
}

}  // namespace

#include <filesystem>

#include "tests/support/image_files.h"

namespace {

TEST(Pacing, SixtyFramesASecondOnEveryDisplayVsyncOnlyOnWholeMultiplesOfSixty) {
    struct Case {
        double hz;
        int interval;
    } cases[] = {{60, 1},  {59.94, 1}, {60.5, 1}, {75, 0}, {120, 2}, {119.88, 2},
                 {144, 0}, {165, 0},   {240, 4},  {0, 0},  {30, 0},  {61, 0}};
    for (const Case& c : cases) {
        const Pacing p = ChoosePacing(c.hz, PaceMode::Design);
        EXPECT_EQ(p.swap_interval, c.interval) << c.hz << " Hz";
        EXPECT_EQ(p.fps, 60.0) << c.hz << " Hz: the timer, or the fall-back, holds the design rate";
    }
}

// What a text asks for, as WOBBLEFIN_FPS gives it, and what that comes to.
Pacing chosen(double hz, const char* text) {
    PaceMode mode = PaceMode::Design;
    double fps = 0;
    if (!ParsePaceMode(text, mode, fps)) mode = PaceMode::Design;
    return ChoosePacing(hz, mode, fps);
}

TEST(Pacing, ARateOfItsOwnOrTheDisplaysRateCanBeAskedForAndJunkIsIgnored) {
    EXPECT_EQ(chosen(144, "30").swap_interval, 0);
    EXPECT_EQ(chosen(144, "30").fps, 30.0);
    EXPECT_EQ(chosen(60, "144").fps, 144.0);
    EXPECT_EQ(chosen(60, "144").swap_interval, 0) << "a rate of its own is timed, not vsynced";
    EXPECT_EQ(chosen(144, "display").swap_interval, 1);
    EXPECT_EQ(chosen(144, "Display").fps, 144.0) << "its fall-back keeps the display's rate";
    EXPECT_EQ(chosen(0, "display").fps, 60.0);
    for (const char* junk : {"", "fast", "60fps", "0", "-5", "nan", "1e9"}) {
        PaceMode mode;
        double fps;
        EXPECT_FALSE(ParsePaceMode(junk, mode, fps)) << junk;
        EXPECT_EQ(chosen(120, junk).swap_interval, 2) << junk;
        EXPECT_EQ(chosen(120, junk).fps, 60.0) << junk;
    }
    EXPECT_EQ(ChoosePacing(60, PaceMode::Rate, 5000).fps, 60.0) << "a rate out of range is the design rate";
    EXPECT_EQ(ChoosePacing(60, PaceMode::Unpaced).fps, 0.0);
    EXPECT_EQ(ChoosePacing(60, PaceMode::Unpaced).swap_interval, 0);
}

TEST(Pacing, VsyncIsTrustedOnlyWhileFramesTakeAboutTheirInterval) {
    const double period = 1.0 / 60;
    EXPECT_TRUE(VsyncPaces(30, 30 * period, period));
    EXPECT_TRUE(VsyncPaces(30, 30 * period * 3, period)) << "slow frames are not vsync's fault";
    EXPECT_FALSE(VsyncPaces(30, 0.01, period)) << "a swap that never waits";
    EXPECT_FALSE(VsyncPaces(30, 30 * period * 0.4, period));
}

TEST(Pacing, AfterAStallTheTimerStartsOverInsteadOfBurstingToCatchUp) {
    constexpr uint64_t kPeriod = 16'666'667, kStall = 400'000'000;
    uint64_t next = 0, now = 1'000'000'000;
    // Frames that take no time, each held until the timer lets it go; then one frame stalls.
    for (int i = 0; i < 10; ++i) now = std::max(now, TimerPresentNs(next, now, kPeriod));
    now += kStall;
    const uint64_t resumed = now;
    for (uint64_t i = 0; i < 6; ++i) {
        const uint64_t at = TimerPresentNs(next, now, kPeriod);
        EXPECT_GE(at, resumed + i * kPeriod) << "frame " << i << " after the stall";
        now = std::max(now, at);
    }
}

TEST(DataFolder, TheWorkingDirectoryFirstThenBesideTheProgramThenTheInstalledDataFolder) {
    const std::vector<std::string> c = DataFolderCandidates("/home/u", "/opt/x/libexec/wobblefin", "wobblefin");
    ASSERT_EQ(c.size(), 4u);
    EXPECT_EQ(c[0], "/home/u");
    EXPECT_EQ(c[1], "/opt/x/libexec/wobblefin");
    EXPECT_EQ(c[2], "/opt/x/libexec/wobblefin/../share/wobblefin");
    EXPECT_EQ(c[3], "/opt/x/libexec/wobblefin/../../share/wobblefin");
    EXPECT_EQ(DataFolderCandidates("/home/u", "", "wobblefin").size(), 1u);
    EXPECT_EQ(DataFolderCandidates("/", "/usr/bin", "corvala")[2], "/usr/bin/../share/corvala")
        << "each program its own";
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

    const auto candidates = DataFolderCandidates(root + "/empty", root + "/bin", "wobblefin");
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
