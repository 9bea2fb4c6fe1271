// Pictures in memory and a small anti-aliased painter for them.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace assetgen {

struct Color {
    double r = 0, g = 0, b = 0, a = 1;
};

Color rgb(int r, int g, int b, double a = 1.0);
Color mix(const Color& x, const Color& y, double t);

// Row 0 is the top of the picture; the file writers decide the order on disk.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<Color> pixels;

    Image(int w, int h, const Color& fill = Color{0, 0, 0, 0});
    Color& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    const Color& at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    // 8-bit channel value, rounded and clamped.
    static uint8_t byte(double v);
};

struct Point {
    double x = 0, y = 0;
};

// A region of the picture, in pixel units (x right, y down), with a box that holds all of it.
struct Shape {
    std::function<bool(double x, double y)> inside;
    double x0 = -1e9, y0 = -1e9, x1 = 1e9, y1 = 1e9;
    bool operator()(double x, double y) const { return inside(x, y); }
};
// A colour chosen per point, for gradients.
using Paint = std::function<Color(double x, double y)>;

// Composites `paint` over the picture where `shape` covers it; coverage is found with n x n samples a pixel.
void fill(Image& img, const Shape& shape, const Paint& paint, int n = 4);
void fill(Image& img, const Shape& shape, const Color& color, int n = 4);

Shape circle(Point c, double r);
Shape ellipse(Point c, double rx, double ry);
Shape capsule(Point a, Point b, double r);
Shape polyline(const std::vector<Point>& points, double r);
Shape polygon(const std::vector<Point>& points);
Shape rounded_rect(double x0, double y0, double x1, double y1, double r);
Shape unite(const Shape& a, const Shape& b);
Shape subtract(const Shape& a, const Shape& b);
Shape intersect(const Shape& a, const Shape& b);
// The shape moved, turned (radians, about `pivot`) and scaled about `pivot`.
Shape transformed(const Shape& s, Point pivot, double angle, double scale, Point offset = {0, 0});

double smoothstep(double e0, double e1, double x);

}  // namespace assetgen
