// The generator writes the same bytes on every run, and the build's run folder holds exactly them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "tests/assets/asset_files.h"
#include "tests/support/image_files.h"
#include "tests/support/temp_dir.h"

using namespace assettest;

namespace {

// The generator sits in the build tree next to the run folder.
std::string assetgen() { return std::string(WOBBLEFIN_RUN_DIR) + "/../tools/assetgen/assetgen"; }

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
    EXPECT_NE(std::system(("'" + assetgen() + "' 2>/dev/null").c_str()), 0);
}
