// The goldfish mesh: fixed topology and texture coordinates, positions and normals per pose.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "tools/assetgen/fish_geometry.h"

namespace assetgen {

enum class Part { Body, Mouth, Eye, Lid, Dorsal, Tail, Pectoral, Pelvic, Anal };

// What a vertex is, independent of the pose: the part and its parameters there.
struct VertexDef {
    Part part = Part::Body;
    double u = 0, v = 0;  // part parameters (ring or row, around or across)
    int side = 0;         // which eye or paired fin: -1 or +1
    int face = 0;         // which face of a fin sheet: -1 or +1
    int smooth = 0;       // vertices with the same key share one normal
};

struct MeshSurface {
    std::string name;
    std::vector<VertexDef> verts;
    std::vector<std::array<double, 2>> uv;  // S, T with T = 0 at the top of the skin picture
    std::vector<std::array<int, 3>> tris;   // counter-clockwise seen from outside
};

struct FishMesh {
    std::vector<MeshSurface> surfaces;
};

FishMesh build_fish_mesh();

// Where each vertex of each surface is in this pose.
std::vector<std::vector<Vec3>> pose_positions(const FishMesh& mesh, const Pose& pose);
// Smooth unit normals pointing out of the surface, from the posed positions.
std::vector<Vec3> surface_normals(const MeshSurface& s, const std::vector<Vec3>& positions);

// Local positions before the spine bends them (one per part; defined in fish_parts.cpp).
Vec3 part_position(const VertexDef& d, const Pose& pose);
// Number of rings of the body tube and of the mouth tube.
int body_ring_count();
int mouth_ring_count();
// x of a body ring in the rest pose, for texture coordinates.
double body_ring_x(int ring);

}  // namespace assetgen
