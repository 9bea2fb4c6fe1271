// assetgen OUTPUT_DIR [FONT_FILE]: writes Wobblefin's whole data set into OUTPUT_DIR, the same bytes on every run.
#include <cstdio>
#include <exception>
#include <string>

#include "tools/assetgen/buttons.h"
#include "tools/assetgen/fish_anim.h"
#include "tools/assetgen/fish_model.h"
#include "tools/assetgen/fish_skin.h"
#include "tools/assetgen/font.h"
#include "tools/assetgen/formats.h"
#include "tools/assetgen/scenery.h"

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: assetgen OUTPUT_DIR [FONT_FILE]\n");
        return 2;
    }
    const std::string out = argv[1];
    const std::string font = argc == 3 ? argv[2] : "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";
    using namespace assetgen;
    try {
        write_file(out, "Wobblefin.ico", ico(icon_images()));
        write_file(out, "modelli/PesceRosso.md3", fish_md3());
        Bytes cfg;
        for (char c : animation_cfg()) cfg.u8(static_cast<unsigned char>(c));
        write_file(out, "modelli/animation.cfg", cfg);
        // Run-length encoded, so that the program's RLE decoder reads real data.
        write_file(out, "modelli/PesceRosso.tga", tga(fish_skin(), TgaKind::RunLength, 24));
        for (const auto& [name, img] : button_images())
            write_file(out, "immagini/" + name, tga(img, TgaKind::RunLength, 24));
        write_file(out, "immagini/vetro.tga", tga(glass_image(), TgaKind::Raw, 32));
        write_file(out, "immagini/water4.bmp", bmp24(water_image()));
        write_file(out, "immagini/font.tga", tga(font_image(font), TgaKind::Raw, 32));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "assetgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
