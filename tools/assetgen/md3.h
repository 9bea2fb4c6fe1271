// Writes an MD3 model (identifier "IDP3", version 15) with no tags.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "tools/assetgen/bytes.h"
#include "tools/assetgen/fish_geometry.h"

namespace assetgen {

struct Md3Surface {
    std::string name;
    std::string shader;
    std::vector<std::array<int, 3>> tris;  // as they go to the file
    std::vector<std::array<double, 2>> st;
    std::vector<std::vector<Vec3>> positions;  // [frame][vertex]
    std::vector<std::vector<Vec3>> normals;    // [frame][vertex], unit length
};

// The two latitude/longitude bytes of a unit normal.
std::array<uint8_t, 2> md3_normal(Vec3 n);
Bytes md3(const std::string& name, const std::vector<Md3Surface>& surfaces);

}  // namespace assetgen
