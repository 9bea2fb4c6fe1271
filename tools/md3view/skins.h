// Skins of the viewer's models: which .skin file a part wears, and where each image it names is found.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include <corvala/Corvala.h>

#include "files.h"

namespace md3view {

// PART_default.skin in FOLDER when there is one, else the first PART_*.skin by name ("" for none).
std::string find_skin(const Files& files, const std::string& folder, const std::string& part);

// The image a skin line names, as the format's engines find it: the path from the data folder, then
// with .jpg for .tga (or the other way round), then its file name in the model's FOLDER, both ways.
// Returns the path found inside FILES ("" for none) and its bytes.
std::string find_image(const Files& files, const std::string& folder, const std::string& named,
                       std::vector<uint8_t>& bytes);

// A TGA or JPEG image (told apart by their bytes) decoded into a texture of the TGA loaders' layout;
// false for anything else or anything broken. The pixel buffer is the caller's until uploaded.
bool decode_image(const std::vector<uint8_t>& bytes, corvala::TGATEXTURE& texture);

// Puts the images of the .skin file SKIN onto MODEL's surfaces (surface names in any letter case);
// needs the GL context. Returns the surfaces textured; MISSING gets the images that were not found.
int32_t apply_skin(corvala::TGLMD3MODEL& model, const Files& files, const std::string& folder, const std::string& skin,
                   std::vector<std::string>& missing);

}  // namespace md3view
