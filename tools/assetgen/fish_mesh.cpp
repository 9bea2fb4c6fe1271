// Mesh topology of the goldfish, its texture coordinates, and posing with a bending spine.
#include "tools/assetgen/fish_mesh.h"

#include <algorithm>
#include <map>

namespace assetgen {

double eye_polar_max();
double lid_polar_max();

namespace {

constexpr int kAround = 20;  // body and mouth segments around
constexpr int kEyeRings = 6, kEyeAround = 16;
constexpr int kLidRings = 5, kLidAround = 14;

struct Builder {
    MeshSurface& s;
    int next_smooth = 0;

    int add(const VertexDef& d, double S, double T) {
        s.verts.push_back(d);
        s.uv.push_back({S, T});
        return static_cast<int>(s.verts.size()) - 1;
    }
    void tri(int a, int b, int c) { s.tris.push_back({a, b, c}); }
};

// Rings of `around` + 1 vertices (the seam repeated for the texture), joined band by band.
// A ring whose vertices all coincide (a pole) is joined with one triangle per segment.
template <typename MakeDef, typename MakeUV, typename IsPole>
void tube(Builder& b, int rings, int around, MakeDef make, MakeUV uv, IsPole pole,
          const std::vector<int>& shared_keys = {}) {
    std::vector<std::vector<int>> idx(rings);
    for (int r = 0; r < rings; ++r) {
        const int key0 =
            r < static_cast<int>(shared_keys.size()) && shared_keys[r] >= 0 ? shared_keys[r] : b.next_smooth;
        for (int j = 0; j <= around; ++j) {
            VertexDef d = make(r, static_cast<double>(j) / around);
            d.smooth = pole(r) ? key0 : key0 + (j % around);
            const auto t = uv(r, static_cast<double>(j) / around);
            idx[r].push_back(b.add(d, t[0], t[1]));
        }
        if (!(r < static_cast<int>(shared_keys.size()) && shared_keys[r] >= 0)) b.next_smooth += pole(r) ? 1 : around;
    }
    for (int r = 0; r + 1 < rings; ++r) {
        for (int j = 0; j < around; ++j) {
            const int a = idx[r][j], c = idx[r][j + 1], e = idx[r + 1][j], f = idx[r + 1][j + 1];
            if (pole(r)) {
                b.tri(a, e, f);
            } else if (pole(r + 1)) {
                b.tri(a, e, c);
            } else {
                b.tri(a, e, f);
                b.tri(a, f, c);
            }
        }
    }
}

// A fin sheet: nu x nv quads on each of its two faces.
void fin(Builder& b, Part part, int side, int nu, int nv, double s0, double s1) {
    for (int face : {-1, 1}) {
        std::vector<std::vector<int>> idx(nu + 1);
        for (int i = 0; i <= nu; ++i) {
            for (int j = 0; j <= nv; ++j) {
                VertexDef d;
                d.part = part;
                d.side = side;
                d.face = face;
                d.u = static_cast<double>(i) / nu;
                d.v = static_cast<double>(j) / nv;
                d.smooth = b.next_smooth++;
                const double S = s0 + (s1 - s0) * d.u;
                const double T = skin::kFinT0 + (skin::kFinT1 - skin::kFinT0) * d.v;
                idx[i].push_back(b.add(d, S, T));
            }
        }
        for (int i = 0; i < nu; ++i)
            for (int j = 0; j < nv; ++j) {
                b.tri(idx[i][j], idx[i + 1][j], idx[i + 1][j + 1]);
                b.tri(idx[i][j], idx[i + 1][j + 1], idx[i][j + 1]);
            }
    }
}

void eyeball(Builder& b, Part part, int side) {
    const bool lid = part == Part::Lid;
    const int rings = (lid ? kLidRings : kEyeRings) + 1, around = lid ? kLidAround : kEyeAround;
    const double cs = lid ? skin::kLidS : skin::kEyeS, ct = lid ? skin::kLidT : skin::kEyeT;
    const double cr = lid ? skin::kLidR : skin::kEyeR;
    tube(
        b, rings, around,
        [&](int r, double v) {
            VertexDef d;
            d.part = part;
            d.side = side;
            d.u = static_cast<double>(r) / (rings - 1);
            d.v = v;
            return d;
        },
        [&](int r, double v) {
            const double rho = cr * r / (rings - 1), a = v * 2 * kPi;
            // Picture up is the eye's up, picture right its forward.
            return std::array<double, 2>{cs + rho * std::sin(a), ct - rho * std::cos(a)};
        },
        [](int r) { return r == 0; });
}

// Direction each vertex's surface should face, to wind every triangle the same way.
Vec3 outward_hint(const VertexDef& d, Vec3 p) {
    const Pose rest;
    switch (d.part) {
    case Part::Body: {
        if (d.u == 0) return {-1, 0, 0};
        const Vec3 centre = part_position(VertexDef{Part::Body, d.u, 0.25, 0, 0, 0}, rest) +
                            part_position(VertexDef{Part::Body, d.u, 0.75, 0, 0, 0}, rest);
        return normalized(p - centre * 0.5);
    }
    case Part::Mouth: {
        if (static_cast<int>(d.u) == mouth_ring_count() - 1) return {1, 0, 0};
        return normalized(Vec3{0, -p.y, -(p.z + 0.05)});
    }
    case Part::Eye:
    case Part::Lid: return normalized(p - eye_centre(d.side));
    default: {
        VertexDef mid = d;
        mid.face = 0;
        return normalized(p - part_position(mid, rest));
    }
    }
}

void orient(MeshSurface& s) {
    const Pose rest;
    std::vector<Vec3> p, hint;
    for (const VertexDef& d : s.verts) {
        p.push_back(part_position(d, rest));
        hint.push_back(outward_hint(d, p.back()));
    }
    for (auto& t : s.tris) {
        const Vec3 n = cross(p[t[1]] - p[t[0]], p[t[2]] - p[t[0]]);
        if (dot(n, hint[t[0]] + hint[t[1]] + hint[t[2]]) < 0) std::swap(t[1], t[2]);
    }
}

// The fish's backbone bent by the pose: sampled positions and angles along rest x.
struct Spine {
    static constexpr double kX0 = -26.0, kX1 = 16.0, kStep = 0.05, kPivot = 3.0;
    std::vector<double> lat_x, lat_y, lat_a, ver_x, ver_z, ver_a;

    explicit Spine(const Pose& pose) {
        const int n = static_cast<int>((kX1 - kX0) / kStep) + 1;
        lat_x.assign(n, 0);
        lat_y.assign(n, 0);
        lat_a.assign(n, 0);
        ver_x.assign(n, 0);
        ver_z.assign(n, 0);
        ver_a.assign(n, 0);
        auto lateral = [&](double x) {
            const double s = kLipX - x;  // distance back from the lips
            const double env = smooth(6.0, 17.0, s) * (1.0 + 0.15 * smooth(27.0, 34.0, s));
            return 0.030 * pose.swim_amp * env * std::sin(pose.swim_phase - 0.21 * s) + pose.curl;
        };
        auto vertical = [&](double x) { return pose.arch * smooth(2.0, 6.0, x); };
        integrate(lateral, lat_x, lat_y, lat_a);
        integrate(vertical, ver_x, ver_z, ver_a);
    }

    static double smooth(double e0, double e1, double x) {
        const double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
        return t * t * (3 - 2 * t);
    }

    template <typename Curvature>
    void integrate(Curvature k, std::vector<double>& px, std::vector<double>& py, std::vector<double>& pa) {
        const int n = static_cast<int>(px.size());
        const int pivot = static_cast<int>((kPivot - kX0) / kStep + 0.5);
        px[pivot] = kX0 + pivot * kStep;
        py[pivot] = 0;
        pa[pivot] = 0;
        for (int i = pivot + 1; i < n; ++i) {
            const double xm = kX0 + (i - 0.5) * kStep;
            pa[i] = pa[i - 1] + k(xm) * kStep;
            const double am = 0.5 * (pa[i] + pa[i - 1]);
            px[i] = px[i - 1] + std::cos(am) * kStep;
            py[i] = py[i - 1] + std::sin(am) * kStep;
        }
        for (int i = pivot - 1; i >= 0; --i) {
            const double xm = kX0 + (i + 0.5) * kStep;
            pa[i] = pa[i + 1] - k(xm) * kStep;
            const double am = 0.5 * (pa[i] + pa[i + 1]);
            px[i] = px[i + 1] - std::cos(am) * kStep;
            py[i] = py[i + 1] - std::sin(am) * kStep;
        }
    }

    static double sample(const std::vector<double>& v, double x) {
        const double f = std::clamp((x - kX0) / kStep, 0.0, static_cast<double>(v.size() - 1));
        const size_t i = std::min(static_cast<size_t>(f), v.size() - 2);
        const double t = f - i;
        return v[i] + (v[i + 1] - v[i]) * t;
    }

    Vec3 bend(Vec3 p) const {
        const double la = sample(lat_a, p.x), va = sample(ver_a, p.x);
        Vec3 out;
        out.x = sample(lat_x, p.x) - p.y * std::sin(la) + (sample(ver_x, p.x) - p.x) - p.z * std::sin(va);
        out.y = sample(lat_y, p.x) + p.y * std::cos(la);
        out.z = sample(ver_z, p.x) + p.z * std::cos(va);
        return out;
    }
};

}  // namespace

FishMesh build_fish_mesh() {
    FishMesh mesh;
    mesh.surfaces.resize(3);
    mesh.surfaces[0].name = "body";
    mesh.surfaces[1].name = "fins";
    mesh.surfaces[2].name = "eyes";

    Builder body{mesh.surfaces[0]};
    const int rings = body_ring_count();
    tube(
        body, rings, kAround, [](int r, double v) { return VertexDef{Part::Body, static_cast<double>(r), v, 0, 0, 0}; },
        [](int r, double v) {
            return std::array<double, 2>{skin::body_s(body_ring_x(r)), skin::body_t(v * 2 * kPi)};
        },
        [](int r) { return r == 0; });
    // The mouth continues from the lip ring into the head; it shares the lip's normals.
    const int lip_key = 1 + (rings - 2) * kAround;
    tube(
        body, mouth_ring_count(), kAround,
        [](int r, double v) { return VertexDef{Part::Mouth, static_cast<double>(r), v, 0, 0, 0}; },
        [](int r, double v) {
            return std::array<double, 2>{
                skin::kMouthS0 + (skin::kMouthS1 - skin::kMouthS0) * v,
                skin::kMouthT0 + (skin::kMouthT1 - skin::kMouthT0) * r / (mouth_ring_count() - 1.0)};
        },
        [](int r) { return r == mouth_ring_count() - 1; }, {lip_key});

    Builder fins{mesh.surfaces[1]};
    fin(fins, Part::Dorsal, 0, 10, 4, 0.0, 0.30);
    for (int side : {-1, 1}) fin(fins, Part::Tail, side, 12, 5, 0.30, 0.72);
    for (int side : {-1, 1}) fin(fins, Part::Pectoral, side, 6, 4, 0.05, 0.25);
    for (int side : {-1, 1}) fin(fins, Part::Pelvic, side, 5, 3, 0.05, 0.22);
    for (int side : {-1, 1}) fin(fins, Part::Anal, side, 5, 3, 0.05, 0.22);

    Builder eyes{mesh.surfaces[2]};
    for (int side : {-1, 1}) eyeball(eyes, Part::Eye, side);
    for (int side : {-1, 1}) eyeball(eyes, Part::Lid, side);

    for (MeshSurface& s : mesh.surfaces) orient(s);
    return mesh;
}

std::vector<std::vector<Vec3>> pose_positions(const FishMesh& mesh, const Pose& pose) {
    const Spine spine(pose);
    std::vector<std::vector<Vec3>> out;
    for (const MeshSurface& s : mesh.surfaces) {
        std::vector<Vec3> p;
        p.reserve(s.verts.size());
        for (const VertexDef& d : s.verts) {
            Vec3 q = spine.bend(part_position(d, pose));
            q.x -= pose.recoil;
            p.push_back(q);
        }
        out.push_back(std::move(p));
    }
    return out;
}

std::vector<Vec3> surface_normals(const MeshSurface& s, const std::vector<Vec3>& positions) {
    std::map<int, Vec3> sum;
    for (const auto& t : s.tris) {
        const Vec3 n = cross(positions[t[1]] - positions[t[0]], positions[t[2]] - positions[t[0]]);
        for (int k = 0; k < 3; ++k) sum[s.verts[t[k]].smooth] = sum[s.verts[t[k]].smooth] + n;
    }
    std::vector<Vec3> out;
    out.reserve(s.verts.size());
    for (const VertexDef& d : s.verts) out.push_back(normalized(sum[d.smooth]));
    return out;
}

}  // namespace assetgen
