// The Windows build as Windows users and developers get it, run under Wine: the installer and its
// uninstaller, the portable zip, the program's resources and imports, the framework installed for
// building against, and the program used with the real X mouse and keyboard and judged by screenshots as
// on Linux, with what it says when its data set is missing or damaged. WINEPREFIX names an existing
// prefix, WOBBLEFIN_WINDOWS_BUILD the Windows build folder (its packages are made there when missing).
// Every Wine process has a time limit.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <set>
#include <sstream>
#include <string>

#include "tests/e2e/desktop.h"
#include "tests/e2e/fish.h"
#include "tests/e2e/session.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

const std::string kPackage = "Wobblefin-" WOBBLEFIN_VERSION "-win64";
const std::string kWindowTitle = "Wobblefin v1.0";

using e2e::Quoted;

std::string Env(const char* name) {
    const char* v = getenv(name);
    return v ? v : "";
}

// A folder of its own for one test, removed with it.
struct Scratch {
    testsupport::TempDir temp;
    fs::path dir{temp.path()};
};

class WindowsBuild : public ::testing::Test {
public:
    void SetUp() override {
        prefix_ = Env("WINEPREFIX");
        build_ = Env("WOBBLEFIN_WINDOWS_BUILD");
        if (prefix_.empty()) GTEST_SKIP() << "WINEPREFIX is not set: no Wine prefix to run the Windows build in";
        if (build_.empty()) GTEST_SKIP() << "WOBBLEFIN_WINDOWS_BUILD is not set: no Windows build to test";
        ASSERT_TRUE(fs::is_directory(fs::path(prefix_) / "drive_c")) << prefix_ << " is no Wine prefix";
        ASSERT_TRUE(fs::is_regular_file(Program())) << Program() << " is not built";
        // No menu entries of the host for the shortcuts the installer makes, and no Wine chatter.
        setenv("WINEDEBUG", "-all", 1);
        setenv("WINEDLLOVERRIDES", "winemenubuilder.exe=d", 1);
        wine_ = e2e::Capture("command -v wine", 5);
        while (!wine_.empty() && wine_.back() == '\n') wine_.pop_back();
        ASSERT_FALSE(wine_.empty()) << "wine is not installed";
    }
    fs::path Program() const { return fs::path(build_) / "run/Wobblefin.exe"; }
    fs::path ProgramFiles() const { return fs::path(prefix_) / "drive_c/Program Files"; }
    fs::path StartMenu() const {
        return fs::path(prefix_) / "drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Wobblefin";
    }
    // The installer or the zip, made in the build folder when missing or older than the program.
    fs::path Package(const char* extension) const {
        const fs::path file = fs::path(build_) / (kPackage + extension);
        std::error_code ec;
        if (!fs::exists(file) || fs::last_write_time(file, ec) < fs::last_write_time(Program(), ec))
            e2e::Run("cd " + Quoted(build_) + " && cpack > " + Quoted(build_ + "/cpack.log") + " 2>&1", 600);
        return file;
    }
    int Wine(const std::string& args, const std::string& dir, int seconds) const {
        return e2e::Run("cd " + Quoted(dir) + " && " + Quoted(wine_) + " " + args + " > /dev/null 2>&1", seconds);
    }
    bool RegistryHas(const std::string& key, std::string* values = nullptr) const {
        int status = -1;
        const std::string out = e2e::Capture(Quoted(wine_) + " reg query " + Quoted(key) + " 2>/dev/null", 60, &status);
        if (values) *values = out;
        return status == 0;
    }
    // Starts `exe` in `dir` under Wine: `how` gives its standard output and error, and more arguments before it.
    e2e::Process StartUnderWine(const fs::path& exe, const std::string& dir, e2e::Launch how = {}) const {
        how.args.push_back(exe.string());
        if (how.out.empty()) how.out = "/dev/null";
        if (how.err.empty()) how.err = "/dev/null";
        return e2e::Start(wine_, dir, how);
    }
    // Starts `exe` in `dir` and waits for its window to show the goldfish; ends it either way.
    ::testing::AssertionResult ShowsTheFish(const fs::path& exe, const std::string& dir) const {
        e2e::Process program = StartUnderWine(exe, dir);
        if (program.pid <= 0) return ::testing::AssertionFailure() << "wine did not start";
        e2e::EndAtScopeExit end{program};
        const unsigned long window = e2e::FindWindow(kWindowTitle, 90);
        if (!window)
            return ::testing::AssertionFailure() << "no window titled \"" << kWindowTitle << "\" appeared"
                                                 << (e2e::Running(program) ? "" : " (the program ended)");
        e2e::Geometry g;
        if (!e2e::WaitForButtons(window, program, &g, 90))
            return ::testing::AssertionFailure() << "the scene was never drawn";
        double x = 0, y = 0;
        if (!e2e::FishOnScreen(&x, &y, e2e::Session(g)))
            return ::testing::AssertionFailure() << "the window never showed the goldfish";
        return ::testing::AssertionSuccess();
    }

protected:
    std::string prefix_, build_, wine_;
};

// The data set as the build wrote it beside the program: what every installed copy must hold.
std::set<std::string> DataSet(const fs::path& run) {
    std::set<std::string> files;
    for (const fs::directory_entry& e : fs::recursive_directory_iterator(run))
        if (e.is_regular_file() && e.path().extension() != ".exe")
            files.insert(fs::relative(e.path(), run).generic_string());
    return files;
}

TEST_F(WindowsBuild, InstallerPutsProgramShortcutAndUninstallEntryInPlaceAndTheUninstallerTakesAllAway) {
    const fs::path installer = Package(".exe");
    ASSERT_TRUE(fs::is_regular_file(installer)) << "no installer; see " << build_ << "/cpack.log";
    const fs::path folder = ProgramFiles() / "Wobblefin";
    ASSERT_FALSE(fs::exists(folder)) << folder << " is there before the installer ran";
    const std::string uninstall_key = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Wobblefin";
    const std::string vendor_key = "HKLM\\Software\\Wobblefin developers";
    Scratch elsewhere;
    struct Cleanup {  // a failed run must not leave the next one an installed copy
        fs::path uninstaller;
        const WindowsBuild* t;
        ~Cleanup() {
            if (fs::exists(uninstaller)) t->Wine(Quoted(uninstaller.string()) + " /S", "/", 60);
        }
    } cleanup{folder / "Uninstall.exe", this};

    ASSERT_EQ(Wine(Quoted(installer.string()) + " /S", elsewhere.dir.string(), 180), 0);
    EXPECT_TRUE(fs::is_regular_file(folder / "Wobblefin.exe"));
    for (const std::string& file : DataSet(fs::path(build_) / "run"))
        EXPECT_TRUE(fs::is_regular_file(folder / file)) << file << " is not installed";
    const fs::path shortcut = StartMenu() / "Wobblefin.lnk";
    EXPECT_TRUE(fs::is_regular_file(shortcut)) << "no Start-menu entry";
    EXPECT_NE(e2e::ReadFile(shortcut.string()).find("Wobblefin.exe"), std::string::npos)
        << "the shortcut does not point at the program";
    std::string entry;
    EXPECT_TRUE(RegistryHas(uninstall_key, &entry)) << "no entry under the installed programs";
    EXPECT_NE(entry.find("\"C:\\Program Files\\Wobblefin\\Uninstall.exe\""), std::string::npos) << entry;
    EXPECT_NE(entry.find("DisplayIcon    REG_SZ    C:\\Program Files\\Wobblefin\\Wobblefin.exe"), std::string::npos)
        << entry;
    EXPECT_NE(entry.find("DisplayVersion    REG_SZ    " WOBBLEFIN_VERSION), std::string::npos) << entry;

    EXPECT_TRUE(ShowsTheFish(folder / "Wobblefin.exe", elsewhere.dir.string()));

    // The uninstaller copies itself away and returns at once; the copy does the work.
    ASSERT_EQ(Wine(Quoted((folder / "Uninstall.exe").string()) + " /S", elsewhere.dir.string(), 60), 0);
    EXPECT_TRUE(e2e::WaitFor([&] { return !fs::exists(folder) && !fs::exists(StartMenu()); }, 60, 0.2))
        << (fs::exists(folder) ? folder : StartMenu()) << " is still there";
    EXPECT_FALSE(RegistryHas(uninstall_key)) << "the uninstall entry is still there";
    EXPECT_FALSE(RegistryHas(vendor_key)) << vendor_key << " is still there";
}

TEST_F(WindowsBuild, PortableZipRunsFromTheFolderItIsUnpackedInto) {
    const fs::path zip = Package(".zip");
    ASSERT_TRUE(fs::is_regular_file(zip)) << "no zip; see " << build_ << "/cpack.log";
    Scratch unpacked;
    ASSERT_EQ(e2e::Run("cd " + Quoted(unpacked.dir.string()) + " && cmake -E tar xf " + Quoted(zip.string()), 60), 0);
    const fs::path folder = unpacked.dir / kPackage;
    EXPECT_TRUE(fs::is_regular_file(folder / "Wobblefin.exe"));
    for (const std::string& file : DataSet(fs::path(build_) / "run"))
        EXPECT_TRUE(fs::is_regular_file(folder / file)) << file << " is not in the zip";
    EXPECT_TRUE(ShowsTheFish(folder / "Wobblefin.exe", "/"));
}

TEST_F(WindowsBuild, ProgramIsAGuiProgramWithIconAndVersionImportingOnlySystemDlls) {
    int status = -1;
    const std::string headers =
        e2e::Capture("x86_64-w64-mingw32-objdump -p " + Quoted(Program().string()), 60, &status);
    ASSERT_EQ(status, 0) << "objdump could not read " << Program();
    EXPECT_NE(headers.find("(Windows GUI)"), std::string::npos) << "not a GUI-subsystem program";
    const std::set<std::string> system{"comctl32.dll", "gdi32.dll",    "glu32.dll", "kernel32.dll",
                                       "msvcrt.dll",   "opengl32.dll", "user32.dll"};
    std::istringstream lines(headers);
    int imports = 0;
    for (std::string line; std::getline(lines, line);) {
        const size_t at = line.find("DLL Name: ");
        if (at == std::string::npos) continue;
        std::string dll = line.substr(at + 10);
        for (char& c : dll) c = char(std::tolower(static_cast<unsigned char>(c)));
        ++imports;
        EXPECT_TRUE(system.count(dll)) << dll << " is no DLL every Windows has";
    }
    EXPECT_GT(imports, 0) << "no imports read";

    const std::string rc =
        e2e::Capture("x86_64-w64-mingw32-windres -J coff -O rc -i " + Quoted(Program().string()), 60, &status);
    ASSERT_EQ(status, 0) << "windres could not read the resources";
    EXPECT_NE(rc.find("VALUE \"ProductName\", \"Wobblefin\""), std::string::npos) << "no product name";
    EXPECT_NE(rc.find("VALUE \"ProductVersion\", \"" WOBBLEFIN_VERSION "\""), std::string::npos) << "no version";
    EXPECT_NE(rc.find("VALUE \"FileDescription\""), std::string::npos) << "no description";
    // The icon group lists the generated icon's pictures, each by its size in bytes.
    const size_t group = rc.find("RT_GROUP_ICON");
    ASSERT_NE(group, std::string::npos) << "no icon";
    const std::string ico = e2e::ReadFile((fs::path(build_) / "run/Wobblefin.ico").string());
    ASSERT_GE(ico.size(), 6u);
    const auto u16 = [&](size_t at) { return unsigned(uint8_t(ico[at])) | unsigned(uint8_t(ico[at + 1])) << 8; };
    const unsigned count = u16(4);
    ASSERT_GE(ico.size(), 6 + 16 * size_t(count));
    for (unsigned i = 0; i < count; ++i) {
        const size_t e = 6 + 16 * size_t(i);
        char bytes[32];
        std::snprintf(bytes, sizeof bytes, "0x%xL", u16(e + 8) | u16(e + 10) << 16);
        EXPECT_NE(rc.find(bytes, group), std::string::npos) << "picture " << i << " of the icon is not there";
    }
}

TEST_F(WindowsBuild, InstalledFrameworkBuildsAnExampleThatRuns) {
    Scratch work;
    const std::string prefix = (work.dir / "prefix").string(), log = (work.dir / "log").string();
    ASSERT_EQ(e2e::Run("cmake --install " + Quoted(build_) + " --component sdk --prefix " + Quoted(prefix) + " > " +
                           Quoted(log) + " 2>&1",
                       120),
              0)
        << e2e::ReadFile(log);
    EXPECT_TRUE(fs::is_regular_file(fs::path(prefix) / "share/doc/corvala/html/index.html")) << "no reference";
    const fs::path examples = work.dir / "examples";
    fs::copy(fs::path(prefix) / "share/corvala/examples", examples, fs::copy_options::recursive);
    // The installed toolchain file, as a developer without this repository has it. Cross-compiling finds
    // packages only under the toolchain's root unless told where the one wanted is.
    ASSERT_EQ(e2e::Run("cmake -S " + Quoted(examples.string()) + " -B " + Quoted((work.dir / "build").string()) +
                           " -DCMAKE_TOOLCHAIN_FILE=" + Quoted(prefix + "/share/corvala/cmake/mingw-w64-x86_64.cmake") +
                           " -DCMAKE_BUILD_TYPE=Release -DCorvala_DIR=" + Quoted(prefix + "/lib/cmake/Corvala") +
                           " > " + Quoted(log) + " 2>&1",
                       120),
              0)
        << e2e::ReadFile(log);
    ASSERT_EQ(e2e::Run("cmake --build " + Quoted((work.dir / "build").string()) + " --target corvala_hello > " +
                           Quoted(log) + " 2>&1",
                       300),
              0)
        << e2e::ReadFile(log);
    // The font travels beside the program: the SDK's path is one of the build machine.
    EXPECT_TRUE(fs::exists(work.dir / "build" / "font.tga"));
    // Twenty frames in its window, then a clean end; 1 when it cannot make its window.
    EXPECT_EQ(Wine("corvala_hello.exe 20", (work.dir / "build").string(), 120), 0);
}

// Minimized, Wobblefin.exe draws nothing and uses (nearly) no processor time; restored, it draws again.
// Xvfb has no window manager to minimize it, so openbox manages the display for this check alone.
// (A minimized window has no keyboard focus, as on Windows: Escape waits until it is restored.)
TEST_F(WindowsBuild, MinimizedTheProgramUsesNoProcessorAndRestoredItDrawsAgain) {
    e2e::Process wm = e2e::Start("/usr/bin/openbox", "/", {{"--sm-disable"}, {}, "/dev/null", "/dev/null"});
    e2e::EndAtScopeExit end_wm{wm};
    ASSERT_TRUE(
        e2e::WaitFor([] { return e2e::Run("xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'", 5) == 0; }, 30))
        << "openbox did not start";
    e2e::Process program = StartUnderWine(Program(), (fs::path(build_) / "run").string());
    e2e::EndAtScopeExit end{program};
    const unsigned long window = e2e::FindWindow(kWindowTitle, 90);
    ASSERT_NE(window, 0u);
    e2e::Geometry g;
    ASSERT_TRUE(e2e::WaitForButtons(window, program, &g, 90)) << "the scene was never drawn";
    e2e::Session s(g);
    EXPECT_TRUE(e2e::MinimizedCostsNothing(s, program, window));
}

// One Wobblefin.exe, started in its run folder by the first of these checks and ended by the last, with the
// mouse and keyboard of the X display; with no window manager on Xvfb, Wine's window takes X input as it is.
class ProgramUnderWine : public WindowsBuild {
public:
    static void TearDownTestSuite() {
        if (program_.pid > 0) e2e::Kill(program_);
        program_ = {};
        session_.reset();
    }
    void SetUp() override {
        WindowsBuild::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        if (program_.pid <= 0) Open();
        ASSERT_TRUE(session_) << why_;
    }

protected:
    void Open() {
        program_ = StartUnderWine(Program(), (fs::path(build_) / "run").string());
        const unsigned long window = e2e::FindWindow(kWindowTitle, 90);
        e2e::Geometry g;
        if (!window) why_ = "no window titled \"" + kWindowTitle + "\" appeared";
        else if (!e2e::WaitForButtons(window, program_, &g, 90)) why_ = "the buttons were never drawn";
        else session_ = std::make_unique<e2e::Session>(g);
    }
    static e2e::Process program_;
    static std::unique_ptr<e2e::Session> session_;
    static std::string why_;
};
e2e::Process ProgramUnderWine::program_;
std::unique_ptr<e2e::Session> ProgramUnderWine::session_;
std::string ProgramUnderWine::why_;

TEST_F(ProgramUnderWine, ShowsTheGoldfishInTheAquarium) {
    double x = 0, y = 0;
    EXPECT_TRUE(e2e::FishOnScreen(&x, &y, *session_));
}

TEST_F(ProgramUnderWine, HoveredButtonBrightens) {
    e2e::Session& s = *session_;
    EXPECT_TRUE(e2e::HoverBrightens(s, s.Scene(12.75, 4.4), s.Scene(15, 4.4)));
}

TEST_F(ProgramUnderWine, HoldingHeatMovesTheFish) {
    // It circles at radius 6 (about 140 pixels) while the button is held; left alone it drifts some 20.
    e2e::Session& s = *session_;
    EXPECT_TRUE(e2e::HoldingMovesTheFish(s, s.Scene(12.75, 4.4), 60.0));
}

TEST_F(ProgramUnderWine, InfoButtonShowsAndHidesTheText) {
    int baseline = 0;
    EXPECT_TRUE(e2e::InfoButtonTogglesPanel(*session_, &baseline));
}

TEST_F(ProgramUnderWine, EscapeEndsItWithExitCodeZero) {
    EXPECT_TRUE(e2e::EscapeEndsWithCodeZero(*session_, program_));
}

// How Wine names a folder of the host: drive Z: is the root.
std::string WindowsPath(const fs::path& p) {
    std::string w = "Z:" + p.string();
    for (char& c : w)
        if (c == '/') c = '\\';
    return w;
}

// The program alone in bin/ of a scratch folder: no data set anywhere it looks.
struct LoneProgram : Scratch {
    fs::path exe;
    explicit LoneProgram(const fs::path& program) {
        fs::create_directory(dir / "bin");
        exe = dir / "bin/Wobblefin.exe";
        fs::copy_file(program, exe);
    }
    // What it says, as on Linux, when started in `working`.
    std::string Said(const fs::path& working) const {
        const std::string bin = WindowsPath(dir / "bin");
        return "data set not found (looked in " + WindowsPath(working) + ", " + bin + ", " + bin +
               "/../share/wobblefin, " + bin + "/../../share/wobblefin); carrying on without it";
    }
};

TEST_F(WindowsBuild, WithoutItsDataSetTheProgramSaysWhereItLookedOnStandardErrorAndCarriesOn) {
    LoneProgram lone(Program());
    const std::string err = (lone.dir / "err").string();
    e2e::Process program = StartUnderWine(lone.exe, lone.dir.string(), {{}, {}, "", err});
    e2e::EndAtScopeExit end{program};
    // Standard error is in text mode on Windows: the line ends as Windows text lines do.
    const std::string line = lone.Said(lone.dir) + "\r\n";
    EXPECT_TRUE(e2e::WaitFor([&] { return e2e::ReadFile(err).find(line) != std::string::npos; }, 60, 0.1))
        << e2e::ReadFile(err);
    EXPECT_NE(e2e::FindWindow(kWindowTitle, 60), 0u) << "the program did not carry on";
}

// Wine's box titled `caption` says `text` (as Wine's message-box trace, written to `trace`, shows it); OK
// answers it, and the program carries on and ends as always.
::testing::AssertionResult SaysInABoxAndCarriesOn(e2e::Process& program, const std::string& trace,
                                                  const std::string& caption, const std::string& text) {
    std::string quoted;  // as the trace writes a text: backslashes doubled
    for (char c : text) quoted += c == '\\' ? std::string("\\\\") : std::string(1, c);
    if (!e2e::WaitFor(
            [&] { return e2e::ReadFile(trace).find("MSGBOX_OnInit L\"" + quoted + "\"") != std::string::npos; }, 60,
            0.1))
        return ::testing::AssertionFailure() << "no box saying " << text << ":\n" << e2e::ReadFile(trace);
    const unsigned long box = e2e::FindWindow(caption, 30);
    if (!box) return ::testing::AssertionFailure() << "no box titled " << caption;
    // OK from the keyboard, once the box has the focus: with no window manager nobody hands it over.
    const bool answered = e2e::WaitFor(
        [&] {
            e2e::Run("xdotool windowfocus --sync " + std::to_string(box) + " key Return", 10);
            return !e2e::FindWindow(caption, 0.5);
        },
        30);
    if (!answered) return ::testing::AssertionFailure() << "the box stayed after OK";
    const unsigned long window = e2e::FindWindow(kWindowTitle, 60);
    e2e::Geometry g;
    if (!window || !e2e::WaitForButtons(window, program, &g, 60))
        return ::testing::AssertionFailure() << "the program did not carry on after the box";
    e2e::Session s(g);
    return e2e::EscapeEndsWithCodeZero(s, program);
}

// Started as Explorer starts it (`start /unix` opens it through the shell, in its own folder), a GUI program
// has no standard error: the same words come in a box titled with the program's name.
TEST_F(WindowsBuild, StartedFromExplorerWithoutItsDataSetTheProgramSaysTheSameInABox) {
    LoneProgram lone(Program());
    const std::string trace = (lone.dir / "trace").string();
    e2e::Process program = StartUnderWine(lone.exe, lone.dir.string(),
                                          {{"start", "/wait", "/unix"}, {"WINEDEBUG=-all,trace+msgbox"}, "", trace});
    e2e::EndAtScopeExit end{program};
    EXPECT_TRUE(SaysInABoxAndCarriesOn(program, trace, "Wobblefin", lone.Said(lone.dir / "bin")));
}

// A damaged image of the data set: the framework's own box, as on Linux, and the program goes on without it.
TEST_F(WindowsBuild, ADamagedImageOfTheDataSetIsToldInTheFrameworksBoxAndTheProgramGoesOn) {
    Scratch copy;
    fs::copy(fs::path(build_) / "run", copy.dir, fs::copy_options::recursive);
    fs::resize_file(copy.dir / "immagini/info.tga", 11);  // one byte short of a TGA header
    const std::string trace = (copy.dir / "trace").string();
    e2e::Process program =
        StartUnderWine(copy.dir / "Wobblefin.exe", copy.dir.string(), {{}, {"WINEDEBUG=-all,trace+msgbox"}, "", trace});
    e2e::EndAtScopeExit end{program};
    EXPECT_TRUE(SaysInABoxAndCarriesOn(program, trace, "ERROR", "Could not read file header"));
}

// The Linux and the Windows build of a window that writes each WM_CHAR and WM_MOUSEWHEEL it takes, given
// the same typing and wheel turns on the X display one after the other, write the same lines: the
// characters of the layout in Windows-1252 ('?' for one it cannot hold), and WHEEL_DELTA turns with the
// keys held and the pointer on screen.
class TypingAndWheel : public WindowsBuild {
protected:
    // Starts the probe, gives it the input and returns what it wrote, without Windows' CRs.
    std::string Probe(e2e::Process program, const std::string& out) {
        e2e::EndAtScopeExit end{program};
        const std::string title = "Corvala input probe";
        const auto written = [&] {
            std::string s = e2e::ReadFile(out);
            s.erase(std::remove(s.begin(), s.end(), '\r'), s.end());
            return s;
        };
        const auto lines = [&] {
            const std::string s = written();
            return std::count(s.begin(), s.end(), '\n');
        };
        const unsigned long window = e2e::FindWindow(title, 90);
        e2e::Geometry g;
        if (!window || !e2e::WaitFor([&] { return written().rfind("ready\n", 0) == 0; }, 60) ||
            !e2e::WindowGeometry(window, &g))
            return "no window titled \"" + title + "\" became ready";
        // The pointer stays where it was for the first program: both report where it is on the screen.
        if (pointer_.empty()) pointer_ = std::to_string(g.x + g.width / 2) + " " + std::to_string(g.y + g.height / 2);
        // Each step waits for its lines, so that no two turns of the wheel can ever be taken as one.
        const std::pair<const char*, long> steps[] = {
            {"type --delay 50 'Hi!'", 3},
            {"key eacute", 1},
            {"key EuroSign", 1},
            {"key Cyrillic_zhe", 1},
            {"type --delay 50 ' ok'", 3},
            {"click 4", 1},
            {"click 5", 1},
            {"keydown ctrl click 4", 1},
            {"click 5 keyup ctrl", 1},
            {"keydown shift click 5 keyup shift", 1},
        };
        // With no window manager nobody gives the window the keyboard (and the last program's window took it
        // away with it): the test does, and the pointer comes in from outside, as a person's does.
        EXPECT_EQ(e2e::Run("xdotool windowfocus --sync " + std::to_string(window) +
                               " mousemove 0 0 sleep 0.3 mousemove " + pointer_ + " sleep 0.5",
                           10),
                  0);
        for (const auto& [input, count] : steps) {
            const long before = lines();
            EXPECT_EQ(e2e::Run("xdotool " + std::string(input), 10), 0) << input;
            EXPECT_TRUE(e2e::WaitFor([&] { return lines() >= before + count; }, 10)) << input << ":\n" << written();
        }
        e2e::Run("xdotool key Escape", 10);
        EXPECT_TRUE(e2e::WaitExit(program, 30)) << "Escape did not end it";
        return written();
    }
    std::string pointer_;
};

TEST_F(TypingAndWheel, TheLinuxAndTheWindowsProgramGetTheSameCharactersAndWheelTurns) {
    const fs::path windows_probe = fs::path(build_) / "tests/input_probe.exe";
    ASSERT_TRUE(fs::is_regular_file(windows_probe)) << windows_probe << " is not built";
    // Keys of the US layout that the text does not use type the rest.
    e2e::KeysOnKeyboard keys({{"grave", "eacute"}, {"backslash", "EuroSign"}, {"apostrophe", "Cyrillic_zhe"}});
    ASSERT_TRUE(keys.ok()) << "the X keyboard could not be given the keys";
    Scratch out;
    const std::string linux_out = (out.dir / "linux").string(), windows_out = (out.dir / "windows").string();
    const std::string on_linux =
        Probe(e2e::Start(INPUT_PROBE_EXE, out.dir.string(), {{}, {}, linux_out, "/dev/null"}), linux_out);
    std::string at = pointer_;
    std::replace(at.begin(), at.end(), ' ', ',');
    std::string expected = "ready\n";
    for (const char* c : {"0x48", "0x69", "0x21", "0xE9", "0x80", "0x3F", "0x20", "0x6F", "0x6B"})
        expected += std::string("WM_CHAR ") + c + "\n";
    for (const char* turn :
         {"120 keys 0x0000", "-120 keys 0x0000", "120 keys 0x0008", "-120 keys 0x0008", "-120 keys 0x0004"})
        expected += std::string("WM_MOUSEWHEEL delta ") + turn + " at " + at + "\n";
    EXPECT_EQ(on_linux, expected);
    const std::string on_windows =
        Probe(StartUnderWine(windows_probe, out.dir.string(), {{}, {}, windows_out, ""}), windows_out);
    EXPECT_EQ(on_windows, on_linux);
}

}  // namespace
