// Where the viewer reads from: skins' images from the data folder, in any letter case, beside the
// model or with the other extension; JPEG images; .pk3 archives layered one over another.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/gl/gl.h"
#include "tests/md3view/players.h"
#include "tests/render/gl_helpers.h"
#include "tests/support/image_files.h"
#include "tests/support/temp_dir.h"
#include "tests/support/zip_files.h"
#include "tools/md3view/jpeg.h"
#include "tools/md3view/skins.h"

using namespace md3viewtest;
using testsupport::Rgba;

namespace {

const Rgba kRed{255, 0, 0, 255}, kBlue{0, 0, 255, 255};

std::vector<uint8_t> red_over_blue_jpeg() {
    return testsupport::make_jpeg(16, 16, [](int, int y) { return y < 8 ? kRed : kBlue; });
}

std::vector<uint8_t> tga() {
    return testsupport::make_tga(2, 2, 24, [](int, int) { return kRed; });
}

// A player in models/players/NAME of an archive, with skins naming images the way real ones do.
testsupport::ZipEntries archived_player(const std::string& name, const std::string& cfg_text) {
    const std::string folder = "models/players/" + name + "/";
    testsupport::ZipEntries entries;
    for (const auto& [file, bytes] : player(8, 8)) entries.push_back({folder + file, bytes});
    entries.push_back({folder + "animation.cfg", testsupport::text_bytes(cfg_text)});
    entries.push_back(
        {folder + "lower_default.skin", testsupport::text_bytes("L_LEGS,models/players/shared/Legs.tga\n")});
    entries.push_back({folder + "upper_default.skin", testsupport::text_bytes("u_torso," + folder + "body.jpg\n")});
    entries.push_back({folder + "head_default.skin", testsupport::text_bytes("h_head,elsewhere/face.tga\n")});
    entries.push_back({"models/players/shared/legs.tga", tga()});
    entries.push_back({folder + "body.jpg", red_over_blue_jpeg()});
    entries.push_back({folder + "face.jpg", red_over_blue_jpeg()});
    return entries;
}

}  // namespace

TEST(Md3ViewSources, JpegIsDecodedBottomRowFirstAndBrokenOnesAreRefused) {
    const std::vector<uint8_t> jpeg = red_over_blue_jpeg();
    md3view::RgbImage image;
    ASSERT_TRUE(md3view::decode_jpeg(jpeg.data(), jpeg.size(), image));
    ASSERT_EQ(16u, image.width);
    ASSERT_EQ(16u * 16 * 3, image.rgb.size());
    EXPECT_NEAR(0, image.rgb[0], 8);  // the bottom row, blue, comes first
    EXPECT_NEAR(255, image.rgb[2], 8);
    EXPECT_NEAR(255, image.rgb[15 * 16 * 3], 8);  // the top row, red, last
    std::vector<uint8_t> broken = jpeg;
    for (size_t i = 4; i < broken.size(); ++i) broken[i] = uint8_t(i * 7);
    EXPECT_FALSE(md3view::decode_jpeg(broken.data(), broken.size(), image));
    EXPECT_FALSE(md3view::decode_jpeg(jpeg.data(), 2, image));
}

TEST(Md3ViewSources, GreyJpegIsDecodedAsGreyRgb) {
    const Rgba dark{40, 40, 40, 255}, light{200, 200, 200, 255};
    const std::vector<uint8_t> jpeg = testsupport::make_jpeg(
        16, 16, [&](int, int y) { return y < 8 ? light : dark; }, true);
    md3view::RgbImage image;
    ASSERT_TRUE(md3view::decode_jpeg(jpeg.data(), jpeg.size(), image));
    ASSERT_EQ(16u * 16 * 3, image.rgb.size());
    for (size_t i = 0; i < image.rgb.size(); i += 3) {
        EXPECT_EQ(image.rgb[i], image.rgb[i + 1]) << i;
        EXPECT_EQ(image.rgb[i], image.rgb[i + 2]) << i;
    }
    EXPECT_NEAR(40, image.rgb[0], 8);  // the bottom row first
    EXPECT_NEAR(200, image.rgb[15 * 16 * 3], 8);
}

TEST(Md3ViewSources, SkinImagesAreFoundFromTheDataFolderInAnyCaseThenBesideTheModelEitherExtension) {
    testsupport::TempDir dir;
    std::filesystem::create_directories(dir.file("Models/Players/a"));
    std::filesystem::create_directories(dir.file("models2"));
    std::filesystem::create_directories(dir.file("Models/Players/b"));
    dir.write("Models/Players/a/Shared.TGA", tga());
    dir.write("Models/Players/a/beside.tga", tga());
    dir.write("Models/Players/a/photo.jpg", red_over_blue_jpeg());
    dir.write("Models/Players/a/skin.tga", tga());
    dir.write("Models/Players/b/skin.jpg", red_over_blue_jpeg());
    md3view::Files files;
    files.add_folder(dir.path());
    std::vector<uint8_t> bytes;
    const std::string folder = "models/players/a";
    EXPECT_EQ("models/players/a/shared.tga", md3view::find_image(files, folder, "models/players/a/shared.tga", bytes));
    EXPECT_EQ(tga(), bytes);
    EXPECT_EQ("models/players/a/beside.tga",
              md3view::find_image(files, folder, "models/players/gone/beside.tga", bytes));
    EXPECT_EQ("models/players/a/photo.jpg", md3view::find_image(files, folder, "models\\players\\a\\photo.tga", bytes));
    EXPECT_EQ("models/players/a/photo.jpg", md3view::find_image(files, folder, "other/photo.tga", bytes));
    // The path the skin names, either extension, before anything beside the model.
    EXPECT_EQ("models/players/b/skin.jpg", md3view::find_image(files, folder, "models/players/b/skin.tga", bytes));
    EXPECT_EQ("", md3view::find_image(files, folder, "models/players/a/none.tga", bytes));
    EXPECT_FALSE(files.exists("models/../models/players/a/beside.tga"));  // never outside the data folder
    EXPECT_TRUE(bytes.empty());
}

TEST(Md3ViewSources, PlayerFromAnArchiveIsLoadedWithItsSkinsAndLaterArchivesOverrideEarlierOnes) {
    rendertest::FreshScene();
    testsupport::TempDir dir;
    std::string slow_cfg = cfg();
    for (char& c : slow_cfg)
        if (c == '3') c = '2';  // other frame counts than the cfg the later archive brings
    testsupport::write_zip(dir.file("pak0.pk3"), archived_player("sarge", slow_cfg));
    testsupport::ZipEntries later = archived_player("sarge", cfg());
    later.push_back({"models/players/visor/HEAD.MD3", player(1, 1).at("head.md3")});
    testsupport::write_zip(dir.file("pak1.pk3"), later);

    md3view::Scene scene;
    std::string error;
    ASSERT_TRUE(scene.files.add_archive(dir.file("pak0.pk3"), error)) << error;
    ASSERT_TRUE(scene.files.add_archive(dir.file("pak1.pk3"), error)) << error;
    EXPECT_EQ((std::vector<std::string>{"models/players/sarge", "models/players/visor"}),
              md3view::list_players(scene.files));
    ASSERT_TRUE(md3view::load_scene_from(scene, "models/players/sarge", error)) << error;
    EXPECT_TRUE(scene.has_lower && scene.has_upper && scene.has_head && scene.upper_attached && scene.head_attached);
    EXPECT_EQ(2, scene.upper.MODEL.ENDFRAME - scene.upper.MODEL.STARTFRAME);  // pak1's cfg: 3 frames
    md3view::load_skins(scene);
    EXPECT_TRUE(scene.warnings.empty()) << scene.warnings.front();
    for (const corvala::TGLMD3MODEL* m : {&scene.lower.MODEL, &scene.upper.MODEL, &scene.head}) {
        ASSERT_FALSE(m->MESHES.empty());
        EXPECT_TRUE(glIsTexture(m->MESHES[0].TEXTURE));
    }
    GLint width = 0;
    glBindTexture(GL_TEXTURE_2D, scene.upper.MODEL.MESHES[0].TEXTURE);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    EXPECT_EQ(16, width);  // the JPEG's
    glBindTexture(GL_TEXTURE_2D, 0);
}

TEST(Md3ViewSources, ArchivesAloneListTheirPlayersAndAPlayerNameShowsOne) {
    testsupport::TempDir dir;
    testsupport::write_zip(dir.file("pak0.pk3"), archived_player("sarge", cfg()));
    testsupport::write_zip(dir.file("pak1.pk3"), archived_player("Bones", cfg()));
    const std::string paks = dir.file("pak0.pk3") + " " + dir.file("pak1.pk3");
    int status = -1;
    EXPECT_EQ("models/players/Bones\nmodels/players/sarge\n", run_viewer(paks, status));
    EXPECT_EQ(0, status);
    EXPECT_EQ("", run_viewer(paks + " bones --frames 3", status));
    EXPECT_EQ(0, status);
    EXPECT_NE(std::string::npos, run_viewer(paks + " models/players/nobody", status).find("nobody"));
    EXPECT_EQ(1, status);
    dir.write("broken.pk3", std::string("PK not really"));
    run_viewer(dir.file("broken.pk3"), status);
    EXPECT_EQ(1, status);
}
