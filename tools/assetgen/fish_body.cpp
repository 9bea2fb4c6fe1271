// Body outline of the rest pose, eye placement and small vector helpers.
#include <algorithm>
#include <vector>

#include "tools/assetgen/fish_geometry.h"

namespace assetgen {

namespace {

struct Knot {
    double x, top, bottom, width;
};

// A plump goldfish: steep rounded forehead, deep belly, short tail root.
const std::vector<Knot>& knots() {
    static const std::vector<Knot> k = {
        {-15.5, 1.30, -1.20, 0.55}, {-14.0, 1.70, -1.50, 0.85}, {-11.5, 2.60, -2.30, 1.50}, {-8.0, 4.40, -4.10, 2.60},
        {-4.0, 6.50, -6.00, 3.80},  {0.0, 7.70, -7.00, 4.40},   {3.0, 7.80, -6.80, 4.50},   {6.0, 6.90, -5.60, 4.20},
        {9.3, 4.90, -3.60, 3.30},   {11.0, 3.40, -2.40, 2.40},  {12.3, 1.95, -1.35, 1.45},  {13.1, 0.75, -0.85, 0.75}};
    return k;
}

// Cubic Hermite through the knots with Catmull-Rom slopes: smooth and free of overshoot at these spacings.
double profile(double x, double Knot::*field) {
    const auto& k = knots();
    if (x <= k.front().x) return k.front().*field;
    if (x >= k.back().x) return k.back().*field;
    size_t i = 0;
    while (k[i + 1].x < x) ++i;
    auto slope = [&](size_t j) {
        const size_t a = j == 0 ? 0 : j - 1, b = std::min(j + 1, k.size() - 1);
        return (k[b].*field - k[a].*field) / (k[b].x - k[a].x);
    };
    const double h = k[i + 1].x - k[i].x, t = (x - k[i].x) / h;
    const double t2 = t * t, t3 = t2 * t;
    return (2 * t3 - 3 * t2 + 1) * (k[i].*field) + (t3 - 2 * t2 + t) * h * slope(i) +
           (-2 * t3 + 3 * t2) * (k[i + 1].*field) + (t3 - t2) * h * slope(i + 1);
}

}  // namespace

double body_top(double x) { return profile(x, &Knot::top); }
double body_bottom(double x) { return profile(x, &Knot::bottom); }
double body_half_width(double x) { return profile(x, &Knot::width); }

Vec3 rotate_about(Vec3 p, Vec3 origin, Vec3 axis, double angle) {
    const Vec3 v = p - origin;
    const double c = std::cos(angle), s = std::sin(angle);
    const Vec3 r = v * c + cross(axis, v) * s + axis * (dot(axis, v) * (1 - c));
    return origin + r;
}

Vec3 eye_centre(int side) { return Vec3{9.3, 2.5 * side, 3.35}; }
Vec3 eye_axis(int side) { return normalized(Vec3{0.30, 1.0 * side, 0.42}); }

Vec3 eye_up(int side) {
    const Vec3 a = eye_axis(side);
    const Vec3 z{0, 0, 1};
    return normalized(z - a * dot(z, a));
}

Vec3 eye_forward(int side) {
    const Vec3 a = eye_axis(side), u = eye_up(side);
    const Vec3 x{1, 0, 0};
    return normalized(x - a * dot(x, a) - u * dot(x, u));
}

}  // namespace assetgen
