#include "tools/assetgen/buttons.h"

#include <cmath>

#include "tools/assetgen/sketches.h"

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double S = kButtonSize;

// The shared look: a rounded, glassy blue tile on black corners (the scene behind the buttons is black).
Image base(const Color& top, const Color& bottom) {
    Image img(kButtonSize, kButtonSize, Color{0, 0, 0, 1});
    fill(img, rounded_rect(2, 2, S - 2, S - 2, 24),
         [](double, double y) { return mix(rgb(200, 235, 255), rgb(60, 110, 170), y / S); });
    fill(img, rounded_rect(8, 8, S - 8, S - 8, 19), [=](double, double y) { return mix(top, bottom, y / S); });
    return img;
}

void gloss(Image& img) {
    fill(img, intersect(rounded_rect(8, 8, S - 8, S - 8, 19), ellipse({S / 2, 14}, S * 0.52, 38)),
         [](double, double y) {
             return Color{1, 1, 1, 0.28 * (1 - y / 52)};
         });
}

Image blue() { return base(rgb(45, 125, 200), rgb(12, 40, 95)); }

Image shock(int bolts) {
    Image img = blue();
    if (bolts == 1) {
        draw_bolt(img, 30, 16, 66, 96, 0.0, 4.0);
    } else if (bolts == 2) {
        draw_bolt(img, 14, 24, 52, 80, -0.18, 3.5);
        draw_bolt(img, 62, 24, 52, 80, 0.18, 3.5);
    } else {
        draw_bolt(img, 8, 34, 42, 64, -0.30, 3.0);
        draw_bolt(img, 78, 34, 42, 64, 0.30, 3.0);
        draw_bolt(img, 38, 14, 52, 84, 0.0, 3.5);
    }
    gloss(img);
    return img;
}

Image vortex() {
    Image img = base(rgb(30, 150, 190), rgb(8, 45, 95));
    // An Archimedean spiral whose arm thickens outwards, in foam white.
    std::vector<Point> arm;
    const double turns = 2.6;
    for (int i = 0; i <= 240; ++i) {
        const double t = i / 240.0;
        const double a = t * turns * 2 * kPi;
        const double r = 4 + 44 * t;
        arm.push_back(Point{S / 2 + r * std::cos(a), S / 2 + r * std::sin(a)});
    }
    for (size_t i = 1; i < arm.size(); ++i) {
        const double w = 2.5 + 5.5 * static_cast<double>(i) / arm.size();
        fill(img, capsule(arm[i - 1], arm[i], w + 2.5), rgb(10, 50, 100), 3);
    }
    for (size_t i = 1; i < arm.size(); ++i) {
        const double w = 2.5 + 5.5 * static_cast<double>(i) / arm.size();
        fill(img, capsule(arm[i - 1], arm[i], w),
             mix(rgb(255, 255, 255), rgb(140, 225, 255), static_cast<double>(i) / arm.size()), 3);
    }
    gloss(img);
    return img;
}

void plate(Image& img, double x0, double y0, double x1, double y1) {
    fill(img, rounded_rect(x0 - 2.5, y0 - 2.5, x1 + 2.5, y1 + 2.5, 5), rgb(30, 30, 40));
    fill(img, rounded_rect(x0, y0, x1, y1, 4), [=](double x, double y) {
        const double t = (y1 - y0) > (x1 - x0) ? (x - x0) / (x1 - x0) : (y - y0) / (y1 - y0);
        return mix(rgb(235, 240, 250), rgb(120, 130, 150), t);
    });
}

Image squash_from_above() {
    Image img = blue();
    plate(img, 18, 14, S - 18, 28);
    draw_arrow(img, {S / 2, 30}, {S / 2, 62}, 14, 34, rgb(255, 70, 50), rgb(90, 0, 0));
    // The fish flattened under it, on the floor.
    draw_goldfish(img, {S / 2, 90}, 84, 26, 2.5);
    fill(img, rounded_rect(14, 106, S - 14, 112, 3), rgb(220, 200, 150));
    gloss(img);
    return img;
}

Image squash_from_sides() {
    Image img = blue();
    plate(img, 12, 18, 24, S - 18);
    plate(img, S - 24, 18, S - 12, S - 18);
    draw_arrow(img, {27, 34}, {50, 34}, 11, 26, rgb(255, 70, 50), rgb(90, 0, 0));
    draw_arrow(img, {S - 27, 34}, {S - 50, 34}, 11, 26, rgb(255, 70, 50), rgb(90, 0, 0));
    // A short, deep fish pressed between the plates.
    draw_goldfish(img, {S / 2, 80}, 58, 42, 2.5);
    gloss(img);
    return img;
}

// One tongue of flame: a round bottom narrowing to a tip that curls toward `lean`.
std::vector<Point> tongue(double cx, double base_y, double w, double h, double lean) {
    std::vector<Point> right, left;
    const int n = 48;
    for (int i = 0; i <= n; ++i) {
        const double t = static_cast<double>(i) / n;
        const double y = base_y - t * h;
        const double bottom = 0.32;
        double half, shift = 0;
        if (t < bottom) {
            const double k = (bottom - t) / bottom;
            half = w * std::sqrt(std::max(0.0, 1 - k * k));
        } else {
            const double k = (t - bottom) / (1 - bottom);
            half = w * std::pow(1 - k, 1.4);
            shift = lean * h * k * k;
        }
        right.push_back(Point{cx + shift + half, y});
        left.push_back(Point{cx + shift - half, y});
    }
    std::vector<Point> pts(right.begin(), right.end());
    pts.insert(pts.end(), left.rbegin(), left.rend());
    return pts;
}

Image heat() {
    Image img = base(rgb(190, 60, 30), rgb(80, 10, 10));
    const Shape outer = unite(unite(transformed(polygon(tongue(48, 112, 17, 62, -0.30)), {48, 112}, -0.22, 1.0),
                                    transformed(polygon(tongue(82, 112, 16, 56, 0.30)), {82, 112}, 0.20, 1.0)),
                              polygon(tongue(S / 2, 114, 30, 102, 0.18)));
    Shape rim{[outer](double x, double y) {
                  for (double dx : {-3.0, 0.0, 3.0})
                      for (double dy : {-3.0, 0.0, 3.0})
                          if (outer(x + dx, y + dy)) return true;
                  return false;
              },
              outer.x0 - 3, outer.y0 - 3, outer.x1 + 3, outer.y1 + 3};
    fill(img, rim, rgb(90, 10, 0));
    fill(img, outer, [](double, double y) { return mix(rgb(255, 215, 50), rgb(230, 50, 10), 1 - y / S); });
    fill(img, polygon(tongue(S / 2 + 2, 110, 18, 62, 0.12)),
         [](double, double y) { return mix(rgb(255, 250, 200), rgb(255, 195, 30), 1 - y / S); });
    fill(img, ellipse({S / 2 + 2, 98}, 8, 11), rgb(255, 255, 235));
    gloss(img);
    return img;
}

Image cold() {
    Image img = base(rgb(120, 190, 240), rgb(30, 80, 160));
    const Point c{S / 2, S / 2};
    auto arms = [&](double width, double grow, const Color& color) {
        for (int k = 0; k < 6; ++k) {
            const double a = kPi / 2 + k * kPi / 3;
            const double dx = std::cos(a), dy = -std::sin(a);
            const Point tip{c.x + dx * 46, c.y + dy * 46};
            fill(img, capsule(c, tip, width + grow), color);
            for (double at : {0.45, 0.72}) {
                const Point root{c.x + dx * 46 * at, c.y + dy * 46 * at};
                const double len = at < 0.5 ? 16 : 11;
                for (int side : {-1, 1}) {
                    const double b = a + side * kPi / 3.2;
                    fill(img,
                         capsule(root, Point{root.x + std::cos(b) * len, root.y - std::sin(b) * len},
                                 width * 0.8 + grow),
                         color);
                }
            }
        }
        fill(img, circle(c, 9 + grow), color);
    };
    arms(4.5, 3.0, rgb(20, 60, 130));
    arms(4.5, 0.0, rgb(250, 253, 255));
    fill(img, circle(c, 5), rgb(170, 220, 255));
    gloss(img);
    return img;
}

Image info() {
    Image img = base(rgb(60, 160, 90), rgb(15, 70, 40));
    const Color edge = rgb(10, 50, 25);
    const Color white = rgb(255, 255, 255);
    auto letter = [&](double grow, const Color& color) {
        fill(img, circle({S / 2 + 2, 30}, 11 + grow), color);
        fill(img, rounded_rect(S / 2 - 9 - grow, 50 - grow, S / 2 + 11 + grow, 104 + grow, 3), color);
        fill(img, rounded_rect(S / 2 - 22 - grow, 50 - grow, S / 2 + 11 + grow, 60 + grow, 3), color);
        fill(img, rounded_rect(S / 2 - 22 - grow, 96 - grow, S / 2 + 24 + grow, 106 + grow, 3), color);
    };
    letter(3.5, edge);
    letter(0, white);
    gloss(img);
    return img;
}

}  // namespace

std::vector<std::pair<std::string, Image>> button_images() {
    std::vector<std::pair<std::string, Image>> out;
    out.emplace_back("scarica01.tga", shock(1));
    out.emplace_back("scarica02.tga", shock(2));
    out.emplace_back("scarica03.tga", shock(3));
    out.emplace_back("vortice.tga", vortex());
    out.emplace_back("comprimi01.tga", squash_from_above());
    out.emplace_back("comprimi02.tga", squash_from_sides());
    out.emplace_back("calore.tga", heat());
    out.emplace_back("freddo.tga", cold());
    out.emplace_back("info.tga", info());
    return out;
}

}  // namespace assetgen
