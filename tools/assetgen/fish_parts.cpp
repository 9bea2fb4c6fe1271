// Local shapes of the fish's parts, before the spine bends them.
#include <algorithm>

#include "tools/assetgen/fish_mesh.h"

namespace assetgen {

namespace {

constexpr int kBodyRings = 31;  // cap point, 28 profile rings, pre-lip, lip
constexpr int kMouthRings = 4;  // lip (again), two inner rings, throat point

struct Ring {
    double x, zc, h, w;
};

Ring body_ring(int i, double mouth) {
    if (i == 0) return {kTailCapX, 0.05, 0, 0};
    if (i <= 28) {
        const double t = (i - 1) / 27.0;
        const double warped = 0.55 * t + 0.45 * (0.5 - 0.5 * std::cos(kPi * t));
        const double x = -15.15 + (12.3 + 15.15) * warped;
        const double top = body_top(x), bottom = body_bottom(x);
        return {x, (top + bottom) / 2, (top - bottom) / 2, body_half_width(x)};
    }
    if (i == 29) {
        const double r = 1.05 + 0.30 * mouth;
        return {12.78 - 0.1 * mouth, 0.0, r * 1.05, r};
    }
    const double r = 0.62 + 0.55 * mouth;
    return {kLipX - 0.12 * mouth, -0.05, r, r};
}

Ring mouth_ring(int i, double mouth) {
    if (i == 0) return body_ring(kBodyRings - 1, mouth);
    if (i == 1) return {12.88 - 0.25 * mouth, -0.05, 0.42 + 0.45 * mouth, 0.42 + 0.45 * mouth};
    if (i == 2) return {12.35 - 0.55 * mouth, -0.05, 0.26 + 0.30 * mouth, 0.26 + 0.30 * mouth};
    return {11.95 - 0.75 * mouth, -0.05, 0, 0};
}

Vec3 ring_point(const Ring& r, double v) {
    const double a = v * 2 * kPi;  // 0 on the dorsal line, pi on the belly
    const double s = std::sin(a), c = std::cos(a);
    // A slightly squarish section, a little fuller low on the flanks.
    const double ys = (s < 0 ? -1 : 1) * std::pow(std::fabs(s), 0.88);
    const double zs = (c < 0 ? -1 : 1) * std::pow(std::fabs(c), 0.88);
    const double w = r.w * (1 + 0.06 * (-c));
    return Vec3{r.x, w * ys, r.zc + r.h * zs};
}

// Turns a paired fin about its base line: flutter plus flare.
Vec3 swing(Vec3 p, Vec3 base0, Vec3 base1, double angle) {
    return rotate_about(p, base0, normalized(base1 - base0), angle);
}

Vec3 dorsal_mid(double u, double v, const Pose& pose) {
    const double x = 5.6 - 12.4 * u;
    const Vec3 base{x, 0, body_top(x) - 0.45};
    const double height = 6.4 * std::pow(std::sin(kPi * (0.07 + 0.93 * std::min(u, 0.999))), 0.65) * (1 - 0.5 * u) *
                          (1 + 0.15 * pose.fin_flare);
    const Vec3 edge = base + Vec3{-1.2 - 2.4 * u, 0, height};
    Vec3 p = base + (edge - base) * v;
    p.y += pose.fin_flutter * 0.55 * v * v * std::sin(pose.fin_phase - 2.8 * u);
    return p;
}

Vec3 tail_mid(double u, double v, int side, const Pose& pose) {
    const double k = 2 * u - 1;  // -1 bottom lobe .. +1 top lobe
    const Vec3 root{-14.1 - 0.25 * std::fabs(k), 0, 1.25 * k};
    const double reach = 1.0 + 0.08 * pose.fin_flare;
    const Vec3 edge{-18.6 - 7.0 * std::pow(std::fabs(k), 1.1) * reach, 0, 8.6 * k * reach};
    Vec3 p = root + (edge - root) * v;
    // The double tail: joined along the top, spread apart toward the bottom.
    const double spread = 2.8 + 0.9 * pose.fin_flare;
    p.y += side * spread * (0.15 + 0.85 * (1 - u)) * v;
    p.y += pose.fin_flutter * 0.45 * v * v * std::sin(pose.fin_phase - 2.2 * u + 0.7 * side);
    return p;
}

Vec3 paired_mid(Vec3 b0, Vec3 b1, Vec3 dir, double len, double u, double v, int side, double rest_angle,
                const Pose& pose, double flutter_scale) {
    const Vec3 base = b0 + (b1 - b0) * u;
    const Vec3 fan_axis = normalized(cross(b1 - b0, dir));
    const double fan = (u - 0.5) * 0.8;
    const Vec3 d = rotate_about(base + dir, base, fan_axis, fan) - base;
    const double l = len * (0.78 + 0.22 * std::sin(kPi * u));
    Vec3 p = base + d * (l * v);
    p = p + fan_axis * (0.25 * v * v * std::sin(kPi * u));  // a gentle cup
    const double angle = side * (rest_angle + 0.55 * pose.fin_flare +
                                 flutter_scale * pose.fin_flutter * 0.30 * std::sin(pose.fin_phase + 0.6 * side));
    return swing(p, b0, b1, angle);
}

Vec3 fin_mid(const VertexDef& d, const Pose& pose, double u, double v) {
    const int s = d.side;
    switch (d.part) {
    case Part::Dorsal: return dorsal_mid(u, v, pose);
    case Part::Tail: return tail_mid(u, v, s, pose);
    case Part::Pectoral:
        return paired_mid({7.0, 3.0 * s, -1.9}, {5.4, 3.3 * s, -2.3}, normalized(Vec3{-0.50, 0.80 * s, -0.30}), 5.2, u,
                          v, s, 0.0, pose, 1.0);
    case Part::Pelvic:
        return paired_mid({0.3, 1.45 * s, -6.2}, {-1.0, 1.55 * s, -6.0}, normalized(Vec3{-0.60, 0.55 * s, -0.60}), 4.2,
                          u, v, s, 0.0, pose, 0.7);
    case Part::Anal:
    default:
        return paired_mid({-8.0, 0.5 * s, body_bottom(-8.0) + 0.45}, {-10.4, 0.45 * s, body_bottom(-10.4) + 0.4},
                          normalized(Vec3{-0.55, 0.22 * s, -0.80}), 3.9, u, v, s, 0.0, pose, 0.5);
    }
}

double fin_thickness(double v) { return 0.16 * (1 - v) + 0.035; }

Vec3 fin_position(const VertexDef& d, const Pose& pose) {
    // The sheet's normal from the mid-surface itself, so both faces sit evenly about it.
    const double e = 1e-3;
    const double u0 = std::max(0.0, d.u - e), u1 = std::min(1.0, d.u + e);
    const double v0 = std::max(0.0, d.v - e), v1 = std::min(1.0, d.v + e);
    const Vec3 du = fin_mid(d, pose, u1, d.v) - fin_mid(d, pose, u0, d.v);
    const Vec3 dv = fin_mid(d, pose, d.u, v1) - fin_mid(d, pose, d.u, v0);
    const Vec3 n = normalized(cross(du, dv));
    return fin_mid(d, pose, d.u, d.v) + n * (d.face * fin_thickness(d.v));
}

Vec3 sphere_point(int side, double radius, double polar, double around) {
    const Vec3 a = eye_axis(side), up = eye_up(side), fw = eye_forward(side);
    const Vec3 dir = a * std::cos(polar) + (up * std::cos(around) + fw * std::sin(around)) * std::sin(polar);
    return eye_centre(side) + dir * radius;
}

}  // namespace

int body_ring_count() { return kBodyRings; }
int mouth_ring_count() { return kMouthRings; }
double body_ring_x(int ring) { return body_ring(ring, 0).x; }

double eye_polar_max() { return 115.0 * kPi / 180.0; }
double lid_polar_max() { return 100.0 * kPi / 180.0; }

Vec3 part_position(const VertexDef& d, const Pose& pose) {
    switch (d.part) {
    case Part::Body: return ring_point(body_ring(static_cast<int>(d.u), pose.mouth), d.v);
    case Part::Mouth: return ring_point(mouth_ring(static_cast<int>(d.u), pose.mouth), d.v);
    case Part::Eye: return sphere_point(d.side, kEyeRadius, d.u * eye_polar_max(), d.v * 2 * kPi);
    case Part::Lid: {
        const double shut = d.side < 0 ? pose.lid_neg : pose.lid_pos;
        // An open lid shrinks inside the eyeball, where nothing shows.
        const double scale = 0.5 + 0.5 * std::clamp(shut, 0.0, 1.0);
        return sphere_point(d.side, kEyeRadius * 1.1 * scale, d.u * lid_polar_max(), d.v * 2 * kPi);
    }
    default: return fin_position(d, pose);
    }
}

}  // namespace assetgen
