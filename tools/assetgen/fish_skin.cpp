#include "tools/assetgen/fish_skin.h"

#include <algorithm>
#include <cmath>

#include "tools/assetgen/fish_geometry.h"

namespace assetgen {

namespace {

double gauss(double x, double width) { return std::exp(-(x / width) * (x / width)); }

Color body_color(double x, double angle) {
    // Mirror about the dorsal line so the band has no seam there.
    const double a = std::min(angle, 2 * kPi - angle);  // 0 on the back, pi on the belly
    const double belly = (1 - std::cos(a)) / 2;
    const Color back = rgb(205, 58, 8), side = rgb(255, 112, 18), gold = rgb(255, 172, 40), pale = rgb(255, 226, 150);
    Color c = belly < 0.35  ? mix(back, side, belly / 0.35)
              : belly < 0.7 ? mix(side, gold, (belly - 0.35) / 0.35)
                            : mix(gold, pale, (belly - 0.7) / 0.3);
    // Scales behind the gill cover: rows of rounded scales whose rims face the tail.
    if (x < 7.6 && x > -14.8) {
        const double radius = 0.5 * ((body_top(x) - body_bottom(x)) / 2 + body_half_width(x));
        const double size = 0.8;
        const double px = (x + 20) / size, py = a * radius / size;
        const int col = static_cast<int>(std::floor(px));
        const double fy = py + (col % 2 ? 0.5 : 0.0);
        const double lx = px - col, ly = fy - std::floor(fy);
        const double d = std::hypot((lx - 0.95) * 0.95, ly - 0.5);
        const double rim = gauss(d - 0.62, 0.09);
        const double fade = std::clamp((7.6 - x) / 2.0, 0.0, 1.0) * std::clamp((x + 14.8) / 1.5, 0.0, 1.0);
        c = mix(c, mix(c, rgb(150, 40, 0), 0.55), 0.45 * rim * fade);
        c = mix(c, rgb(255, 235, 170), 0.18 * std::max(0.0, 0.6 - d) * fade);
    }
    // Gill cover edge: a soft darker crescent.
    const double gill_x = 7.4 + 0.7 * std::sin(a * 0.9);
    if (a > 0.5 && a < 2.8) c = mix(c, rgb(170, 45, 5), 0.5 * gauss(x - gill_x, 0.16));
    // Glossy sheen along the upper flanks and on the forehead, where the light comes from.
    const double sheen =
        gauss(a - 0.78, 0.22) * std::clamp((x + 10) / 5, 0.0, 1.0) * std::clamp((11.5 - x) / 3, 0.0, 1.0);
    c = mix(c, rgb(255, 242, 205), 0.50 * sheen);
    c = mix(c, rgb(255, 250, 225), 0.55 * gauss(a - 0.45, 0.2) * gauss(x - 10.2, 0.9));
    // Pinkish lips.
    c = mix(c, rgb(245, 140, 95), std::clamp((x - 12.3) / 0.6, 0.0, 1.0));
    return c;
}

Color fin_color(double s, double v) {
    // Rays run from the root to the edge; the edge thins to a pale, see-through looking peach.
    const double ray = std::pow(std::fabs(std::sin(s * 512 * kPi / 9.0)), 6.0);
    Color c = mix(rgb(240, 95, 15), rgb(255, 165, 80), std::pow(v, 0.8));
    c = mix(c, rgb(255, 222, 185), smoothstep(0.55, 0.98, v));
    c = mix(c, rgb(200, 60, 5), 0.35 * ray * (1 - 0.6 * v));
    c = mix(c, rgb(255, 245, 225), 0.25 * gauss(v - 0.93, 0.04));
    return c;
}

Color eye_color(double dx, double dy) {
    // dx to the eye's front, dy up, in disc radii.
    const double r = std::hypot(dx, dy);
    Color c;
    if (r < 0.42) {
        c = mix(rgb(5, 5, 12), rgb(25, 30, 45), std::max(0.0, dy + 0.1) * 0.5);
    } else if (r < 0.74) {
        const double spokes = 0.5 + 0.5 * std::sin(std::atan2(dy, dx) * 18);
        c = mix(rgb(255, 205, 70), rgb(210, 140, 20), 0.4 * spokes);
        c = mix(c, rgb(255, 240, 170), 0.35 * smoothstep(0.6, 0.42, r));
        c = mix(c, rgb(40, 20, 5), smoothstep(0.45, 0.42, r));
    } else {
        c = mix(rgb(50, 25, 5), rgb(255, 150, 40), smoothstep(0.74, 0.84, r));
    }
    // Two catch-lights so the eye looks wet.
    c = mix(c, rgb(255, 255, 255), smoothstep(0.11, 0.07, std::hypot(dx - 0.14, dy - 0.18)));
    c = mix(c, rgb(255, 255, 255), 0.7 * smoothstep(0.05, 0.03, std::hypot(dx + 0.16, dy + 0.12)));
    return c;
}

Color lid_color(double dx, double dy) {
    const double r = std::hypot(dx, dy);
    Color c = mix(rgb(255, 150, 45), rgb(225, 85, 15), smoothstep(0.2, 1.0, r));
    // A closed eye: a curved dark crease across the middle.
    const double crease = dy - (-0.12 + 0.22 * dx * dx);
    if (std::fabs(dx) < 0.7) c = mix(c, rgb(90, 25, 5), smoothstep(0.07, 0.03, std::fabs(crease)));
    return c;
}

}  // namespace

Image fish_skin() {
    const int n = skin::kSize;
    Image img(n, n);
    for (int py = 0; py < n; ++py) {
        for (int px = 0; px < n; ++px) {
            const double S = (px + 0.5) / n, T = (py + 0.5) / n;
            Color c;
            if (T <= skin::kBodyT + 2.0 / n) {
                const double x = kTailCapX + S * (kLipX - kTailCapX);
                c = body_color(x, std::min(T, skin::kBodyT) / skin::kBodyT * 2 * kPi);
            } else if (S <= skin::kFinS1 + 1.0 / n && T >= skin::kFinT0 - 2.0 / n) {
                c = fin_color(S, std::clamp((T - skin::kFinT0) / (skin::kFinT1 - skin::kFinT0), 0.0, 1.0));
            } else if (std::hypot(S - skin::kEyeS, T - skin::kEyeT) < skin::kEyeR * 1.08) {
                c = eye_color((S - skin::kEyeS) / skin::kEyeR, -(T - skin::kEyeT) / skin::kEyeR);
            } else if (std::hypot(S - skin::kLidS, T - skin::kLidT) < skin::kLidR * 1.1) {
                c = lid_color((S - skin::kLidS) / skin::kLidR, -(T - skin::kLidT) / skin::kLidR);
            } else if (S >= skin::kMouthS0 - 0.01 && T >= skin::kMouthT0 - 0.01) {
                c = mix(rgb(120, 25, 20), rgb(35, 5, 5),
                        std::clamp((T - skin::kMouthT0) / (skin::kMouthT1 - skin::kMouthT0), 0.0, 1.0));
            } else {
                c = rgb(240, 110, 25);
            }
            img.at(px, py) = c;
        }
    }
    return img;
}

}  // namespace assetgen
