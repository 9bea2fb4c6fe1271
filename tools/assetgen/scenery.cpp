#include "tools/assetgen/scenery.h"

#include <cmath>

#include "tools/assetgen/fish_geometry.h"
#include "tools/assetgen/sketches.h"

namespace assetgen {

namespace {}  // namespace

Image glass_image() {
    const int n = 256;
    Image img(n, n);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const double u = (x + 0.5) / n, v = (y + 0.5) / n;
            // Reflections run as soft diagonal bands; a gentle brightening toward the top edge.
            const double d = u + 0.6 * v;
            double streak = 0.0;
            streak += 0.55 * std::exp(-std::pow((d - 0.42) / 0.035, 2));
            streak += 0.30 * std::exp(-std::pow((d - 0.52) / 0.015, 2));
            streak += 0.25 * std::exp(-std::pow((d - 1.12) / 0.05, 2));
            const double edge = 0.12 * std::exp(-v / 0.06) + 0.08 * std::exp(-(1 - u) / 0.05);
            const double a = 0.12 + 0.42 * streak + edge;
            img.at(x, y) = Color{0.62 + 0.38 * streak, 0.85 + 0.15 * streak, 0.95 + 0.05 * streak, a};
        }
    }
    return img;
}

Image water_image() {
    const int n = 256;
    Image img(n, n);
    // Whole wave numbers keep every term periodic over the picture, so it tiles.
    struct Wave {
        int kx, ky;
        double amp, phase;
    };
    static const Wave waves[] = {{1, 2, 1.0, 0.3},  {3, -1, 0.8, 1.7}, {-2, 3, 0.7, 4.1},  {4, 1, 0.5, 2.2},
                                 {1, -5, 0.4, 5.3}, {5, 4, 0.3, 0.9},  {-6, 2, 0.25, 3.3}, {7, -3, 0.2, 1.1}};
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            double h1 = 0, h2 = 0;
            for (const Wave& w : waves) {
                const double a = 2 * kPi * (w.kx * x + w.ky * y) / n + w.phase;
                h1 += w.amp * std::sin(a);
                h2 += w.amp * std::cos(a * 1.0 + 0.7 * w.kx);
            }
            // Caustic lines where the two height fields cross zero.
            const double lines = std::pow(1 - std::min(1.0, std::fabs(h1) / 1.6), 6) +
                                 0.6 * std::pow(1 - std::min(1.0, std::fabs(h2) / 1.6), 8);
            const double depth = 0.5 + 0.5 * std::tanh(h1 * 0.5);
            Color c = mix(rgb(12, 60, 120), rgb(40, 130, 185), depth);
            c = mix(c, rgb(200, 240, 255), std::min(1.0, lines * 0.8));
            img.at(x, y) = c;
        }
    }
    return img;
}

std::vector<Image> icon_images() {
    std::vector<Image> out;
    for (int size : {48, 32, 16}) {
        Image img(size, size, Color{0, 0, 0, 0});
        const double s = size;
        draw_goldfish(img, Point{s * 0.50, s * 0.52}, s * 0.90, s * 0.50, s >= 32 ? s / 24.0 : 0.0);
        out.push_back(img);
    }
    return out;
}

}  // namespace assetgen
