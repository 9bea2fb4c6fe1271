#include <filesystem>

#include "tests/texture/texture_fixture.h"

using namespace corvala;
using namespace texturetest;
using testsupport::put_pixel;
using testsupport::tga_header;

namespace {

Rgba px(int i) { return {uint8_t(3 * i + 1), uint8_t(5 * i + 2), uint8_t(7 * i + 3), uint8_t(11 * i + 4)}; }

// Expected decoded bytes: R, G, B (, A) per pixel in file order.
Bytes rgb_of(const std::vector<Rgba>& pixels, int bpp) {
    Bytes out;
    for (const Rgba& p : pixels) {
        out.insert(out.end(), {p.r, p.g, p.b});
        if (bpp == 32) out.push_back(p.a);
    }
    return out;
}

class TgaDecode : public TextureTest {
protected:
    void TearDown() override {
        std::free(image_.IMAGEDATA);
        TextureTest::TearDown();
    }
    bool decode(const Bytes& file) {
        std::free(image_.IMAGEDATA);
        image_ = TGATEXTURE{};
        win32::testing::ClearRecordedBoxes();
        return load_tga_from_memory(image_, file.data(), file.size());
    }
    Bytes decoded() const {
        const size_t n = size_t(image_.WIDTH) * image_.HEIGHT * (image_.BPP / 8);
        return Bytes(image_.IMAGEDATA, image_.IMAGEDATA + n);
    }
    void expect_one_box(const std::string& caption, const std::string& text) {
        const auto& boxes = win32::testing::RecordedBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].caption, caption);
        EXPECT_EQ(boxes[0].text, text);
    }
    TGATEXTURE image_{};
};

TEST_F(TgaDecode, UncompressedPixelsBecomeRgbInFileOrderAndKeepAlpha) {
    for (int bpp : {24, 32}) {
        SCOPED_TRACE(bpp);
        std::vector<Rgba> pixels;
        for (int i = 0; i < 15; ++i) pixels.push_back(px(i));
        ASSERT_TRUE(decode(testsupport::make_tga(5, 3, bpp, [&](int x, int y) { return pixels[size_t(y * 5 + x)]; })));
        EXPECT_EQ(image_.WIDTH, 5u);
        EXPECT_EQ(image_.HEIGHT, 3u);
        EXPECT_EQ(image_.BPP, uint32_t(bpp));
        EXPECT_EQ(image_.TYP, bpp == 24 ? uint32_t(GL_RGB) : uint32_t(GL_RGBA));
        EXPECT_EQ(decoded(), rgb_of(pixels, bpp));
        EXPECT_TRUE(win32::testing::RecordedBoxes().empty());
        EXPECT_FALSE(FTGA.open);
    }
}

TEST_F(TgaDecode, SingleTwentyFourBitPixelComesOutRedGreenBlue) {
    Bytes f = tga_header(2, 1, 1, 24);
    f.insert(f.end(), {0x30, 0x20, 0x10});  // B, G, R
    ASSERT_TRUE(decode(f));
    EXPECT_EQ(decoded(), (Bytes{0x10, 0x20, 0x30}));
}

TEST_F(TgaDecode, RunLengthPacketsSpanRowsAndMixRawAndRun) {
    for (int bpp : {24, 32}) {
        SCOPED_TRACE(bpp);
        // 3 x 3: a run of 4 crossing the first row end, a raw packet of 3 crossing the second,
        // and a run of 2 that ends exactly on the last pixel.
        Bytes f = tga_header(10, 3, 3, bpp);
        f.push_back(0x80 | 3);
        put_pixel(f, px(1), bpp);
        f.push_back(2);
        for (int i : {2, 3, 4}) put_pixel(f, px(i), bpp);
        f.push_back(0x80 | 1);
        put_pixel(f, px(5), bpp);
        ASSERT_TRUE(decode(f));
        EXPECT_EQ(decoded(), rgb_of({px(1), px(1), px(1), px(1), px(2), px(3), px(4), px(5), px(5)}, bpp));
        EXPECT_TRUE(win32::testing::RecordedBoxes().empty());
    }
}

TEST_F(TgaDecode, OnePixelTooManyInAnyPacketIsRefused) {
    Bytes run = tga_header(10, 2, 2, 24);
    run.push_back(0x80 | 4);  // 5 copies for 4 pixels
    put_pixel(run, px(1), 24);
    EXPECT_FALSE(decode(run));
    expect_one_box("ERROR", "Too many pixels read");
    EXPECT_EQ(image_.IMAGEDATA, nullptr);

    Bytes raw = tga_header(10, 2, 2, 32);
    raw.push_back(0x80 | 2);
    put_pixel(raw, px(1), 32);
    raw.push_back(1);  // 2 more pixels where 1 is left
    put_pixel(raw, px(2), 32);
    put_pixel(raw, px(3), 32);
    EXPECT_FALSE(decode(raw));
    expect_one_box("ERROR", "Too many pixels read");
}

TEST_F(TgaDecode, TheImageDescriptorIsIgnoredSoTopLeftFilesComeOutFlipped) {
    const auto pixel = [](int x, int y) { return px(x + 4 * y); };
    ASSERT_TRUE(decode(testsupport::make_tga(4, 2, 24, pixel, 0x00)));
    const Bytes bottom_left = decoded();
    ASSERT_TRUE(decode(testsupport::make_tga(4, 2, 24, pixel, 0x20)));
    EXPECT_EQ(decoded(), bottom_left);
    Bytes rle = tga_header(10, 4, 2, 24, 0x28);
    rle.push_back(7);
    for (int i = 0; i < 8; ++i) put_pixel(rle, px(i), 24);
    ASSERT_TRUE(decode(rle));
    EXPECT_EQ(decoded(), bottom_left);
}

struct Refusal {
    const char* what;
    Bytes file;
    const char* caption;
    const char* text;
};

Bytes with_byte(Bytes b, size_t at, uint8_t v) {
    b[at] = v;
    return b;
}
Bytes cut(const Bytes& b, size_t n) { return Bytes(b.begin(), b.begin() + long(n)); }

TEST_F(TgaDecode, EveryRefusalShowsItsOwnMessageAndLeavesNoImage) {
    const Bytes good2 = testsupport::make_tga(2, 2, 24, [](int x, int y) { return px(x + y); });
    Bytes rle_run = tga_header(10, 2, 2, 32);
    rle_run.push_back(0x80 | 3);
    put_pixel(rle_run, px(1), 32);
    Bytes rle_raw = tga_header(10, 2, 2, 24);
    rle_raw.push_back(3);
    for (int i = 0; i < 4; ++i) put_pixel(rle_raw, px(i), 24);
    Bytes rle_two_packets = tga_header(10, 2, 2, 24);
    rle_two_packets.push_back(0x80 | 1);
    put_pixel(rle_two_packets, px(1), 24);

    const std::vector<Refusal> cases = {
        {"11 bytes", cut(good2, 11), "ERROR", "Could not read file header"},
        {"identification field", with_byte(good2, 0, 4), "Invalid Image", "TGA file be type 2 or type 10"},
        {"colour map", with_byte(good2, 1, 1), "Invalid Image", "TGA file be type 2 or type 10"},
        {"colour map fields", with_byte(good2, 5, 1), "Invalid Image", "TGA file be type 2 or type 10"},
        {"grey type 3", with_byte(good2, 2, 3), "Invalid Image", "TGA file be type 2 or type 10"},
        {"origin x", with_byte(good2, 8, 1), "Invalid Image", "TGA file be type 2 or type 10"},
        {"origin y", with_byte(good2, 11, 1), "Invalid Image", "TGA file be type 2 or type 10"},
        {"short info header", cut(good2, 17), "ERROR", "Could not read info header"},
        {"short info header rle", cut(rle_run, 15), "ERROR", "Could not read info header"},
        {"width 0", with_byte(with_byte(good2, 12, 0), 13, 0), "ERROR", "Invalid texture information"},
        {"height 0", with_byte(with_byte(good2, 14, 0), 15, 0), "ERROR", "Invalid texture information"},
        {"16 bits", with_byte(good2, 16, 16), "ERROR", "Invalid texture information"},
        {"8 bits rle", with_byte(rle_run, 16, 8), "ERROR", "Invalid texture information"},
        {"short pixels", cut(good2, good2.size() - 1), "ERROR", "Could not read image data"},
        {"no packet", cut(rle_run, 18), "ERROR", "Could not read RLE header"},
        {"packets end early", rle_two_packets, "ERROR", "Could not read RLE header"},
        {"run pixel short", cut(rle_run, rle_run.size() - 1), "ERROR", "Could not read from file"},
        {"raw pixel short", cut(rle_raw, rle_raw.size() - 1), "ERROR", "Could not read image data"},
    };
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(decode(c.file));
        expect_one_box(c.caption, c.text);
        EXPECT_EQ(image_.IMAGEDATA, nullptr);
        EXPECT_FALSE(FTGA.open);
    }
}

TEST_F(TgaDecode, HugeHeadersOverTinyFilesAreRefusedWithoutAllocatingTheImage) {
    // 65535 x 65535 x 4 bytes does not fit in 32 bits and could not be allocated here anyway.
    Bytes type2 = tga_header(2, 65535, 65535, 32);
    type2.insert(type2.end(), 64, 0xAB);
    EXPECT_FALSE(decode(type2));
    expect_one_box("ERROR", "Could not read image data");

    Bytes rle = tga_header(10, 65535, 65535, 32);
    for (int i = 0; i < 50; ++i) {
        rle.push_back(0xFF);
        put_pixel(rle, px(i), 32);
    }
    EXPECT_FALSE(decode(rle));
    expect_one_box("ERROR", "Could not read RLE header");
    rle.push_back(5);
    put_pixel(rle, px(1), 32);
    EXPECT_FALSE(decode(rle));
    expect_one_box("ERROR", "Could not read image data");

    // A size that wraps to a small number in 32 bits: 4 x 32768 x 32768 = 2^32.
    Bytes wraps = tga_header(10, 32768, 32768, 32);
    wraps.push_back(0x80 | 127);
    put_pixel(wraps, px(1), 32);
    EXPECT_FALSE(decode(wraps));
    expect_one_box("ERROR", "Could not read RLE header");
}

TEST_F(TgaDecode, FilesAreReadThroughProgramPathsAndUnopenableOnesAreReported) {
    const Bytes f = testsupport::make_tga(1, 1, 24, [](int, int) { return px(2); });
    std::filesystem::create_directory(dir_ + "/Immagini");
    testsupport::write_file(dir_ + "/Immagini/Vetro.tga", f);
    const std::string program_path = dir_ + "\\immagini\\vetro.TGA";
    ASSERT_TRUE(LOADTGA(image_, program_path.c_str()));
    EXPECT_EQ(decoded(), rgb_of({px(2)}, 24));
    EXPECT_FALSE(FTGA.open);

    win32::testing::ClearRecordedBoxes();
    EXPECT_FALSE(LOADTGA(image_, dir_.c_str()));  // a folder opens as no file
    expect_one_box("ERROR", "Could not open texture file");
    win32::testing::ClearRecordedBoxes();
    EXPECT_FALSE(LOADTGA(image_, missing().c_str()));
    expect_one_box("ERROR", "Could not open texture file");
}

}  // namespace
