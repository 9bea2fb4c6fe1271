#include "tools/assetgen/fish_model.h"

#include "tools/assetgen/fish_anim.h"
#include "tools/assetgen/fish_mesh.h"
#include "tools/assetgen/md3.h"

namespace assetgen {

Bytes fish_md3() {
    const FishMesh mesh = build_fish_mesh();
    std::vector<Md3Surface> surfaces(mesh.surfaces.size());
    for (size_t i = 0; i < mesh.surfaces.size(); ++i) {
        const MeshSurface& m = mesh.surfaces[i];
        surfaces[i].name = m.name;
        surfaces[i].shader = "modelli/PesceRosso.tga";
        surfaces[i].st = m.uv;
        // The drawing culls front faces (counter-clockwise on screen), so the outside goes to the file clockwise.
        for (const auto& t : m.tris) surfaces[i].tris.push_back({t[0], t[2], t[1]});
    }
    for (const Pose& pose : animation_poses()) {
        const auto positions = pose_positions(mesh, pose);
        for (size_t i = 0; i < mesh.surfaces.size(); ++i) {
            surfaces[i].normals.push_back(surface_normals(mesh.surfaces[i], positions[i]));
            surfaces[i].positions.push_back(positions[i]);
        }
    }
    return md3("PesceRosso.md3", surfaces);
}

}  // namespace assetgen
