// The generator writes the same bytes on every run, and the build's run folder holds exactly them.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "tests/assets/asset_files.h"
#include "tests/support/image_files.h"
#include "tests/support/temp_dir.h"

using namespace assettest;

namespace {

std::string assetgen() { return ASSETGEN_EXE; }

bool generate(const std::string& dir) {
    const std::string cmd = "ASAN_OPTIONS=detect_leaks=0 '" + assetgen() + "' '" + dir + "'";
    return std::system(cmd.c_str()) == 0;
}

}  // namespace

TEST(AssetGenerator, TwoRunsWriteIdenticalFilesEqualToTheBuiltSet) {
    ASSERT_TRUE(std::filesystem::exists(assetgen()));
    const std::string a = testsupport::temp_dir(), b = testsupport::temp_dir();
    ASSERT_TRUE(generate(a));
    ASSERT_TRUE(generate(b));
    for (const std::string& f : all_asset_files()) {
        const std::vector<uint8_t> first = read_bytes(a + "/" + f);
        ASSERT_FALSE(first.empty()) << f;
        EXPECT_TRUE(first == read_bytes(b + "/" + f)) << f;
        EXPECT_TRUE(first == read_bytes(run_path(f))) << f;
    }
    std::filesystem::remove_all(a);
    std::filesystem::remove_all(b);
}

TEST(AssetGenerator, RefusesToRunWithoutAnOutputFolder) {
    // Its own usage answer, exit code 2: a generator that is not there (the shell's 127) does not pass.
    ASSERT_TRUE(std::filesystem::exists(assetgen()));
    const int status = std::system(("'" + assetgen() + "' 2>/dev/null").c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
}
