#include "tools/assetgen/image.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

Color rgb(int r, int g, int b, double a) { return Color{r / 255.0, g / 255.0, b / 255.0, a}; }

Color mix(const Color& x, const Color& y, double t) {
    return Color{x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t, x.a + (y.a - x.a) * t};
}

Image::Image(int w, int h, const Color& fill_color)
    : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill_color) {}

uint8_t Image::byte(double v) {
    const double c = std::clamp(v, 0.0, 1.0) * 255.0 + 0.5;
    return static_cast<uint8_t>(c);
}

void fill(Image& img, const Shape& shape, const Paint& paint, int n) {
    // Only the pixels the shape's box touches can be covered.
    const int xa = static_cast<int>(std::clamp(std::floor(shape.x0), 0.0, static_cast<double>(img.width)));
    const int xb = static_cast<int>(std::clamp(std::ceil(shape.x1), 0.0, static_cast<double>(img.width)));
    const int ya = static_cast<int>(std::clamp(std::floor(shape.y0), 0.0, static_cast<double>(img.height)));
    const int yb = static_cast<int>(std::clamp(std::ceil(shape.y1), 0.0, static_cast<double>(img.height)));
    for (int y = ya; y < yb; ++y) {
        for (int x = xa; x < xb; ++x) {
            int inside = 0;
            for (int sy = 0; sy < n; ++sy)
                for (int sx = 0; sx < n; ++sx)
                    if (shape(x + (sx + 0.5) / n, y + (sy + 0.5) / n)) ++inside;
            if (inside == 0) continue;
            const double cover = static_cast<double>(inside) / (n * n);
            const Color src = paint(x + 0.5, y + 0.5);
            const double a = std::clamp(src.a * cover, 0.0, 1.0);
            Color& dst = img.at(x, y);
            const double out_a = a + dst.a * (1 - a);
            if (out_a <= 0) continue;
            dst.r = (src.r * a + dst.r * dst.a * (1 - a)) / out_a;
            dst.g = (src.g * a + dst.g * dst.a * (1 - a)) / out_a;
            dst.b = (src.b * a + dst.b * dst.a * (1 - a)) / out_a;
            dst.a = out_a;
        }
    }
}

void fill(Image& img, const Shape& shape, const Color& color, int n) {
    fill(
        img, shape, [color](double, double) { return color; }, n);
}

Shape circle(Point c, double r) {
    return {[=](double x, double y) { return (x - c.x) * (x - c.x) + (y - c.y) * (y - c.y) <= r * r; }, c.x - r,
            c.y - r, c.x + r, c.y + r};
}

Shape ellipse(Point c, double rx, double ry) {
    return {[=](double x, double y) {
                const double u = (x - c.x) / rx, v = (y - c.y) / ry;
                return u * u + v * v <= 1.0;
            },
            c.x - rx, c.y - ry, c.x + rx, c.y + ry};
}

static double segment_distance(Point a, Point b, double x, double y) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((x - a.x) * dx + (y - a.y) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const double px = a.x + t * dx - x, py = a.y + t * dy - y;
    return std::sqrt(px * px + py * py);
}

Shape capsule(Point a, Point b, double r) {
    return {[=](double x, double y) { return segment_distance(a, b, x, y) <= r; }, std::min(a.x, b.x) - r,
            std::min(a.y, b.y) - r, std::max(a.x, b.x) + r, std::max(a.y, b.y) + r};
}

static Shape bounded(std::function<bool(double, double)> f, const std::vector<Point>& points, double grow) {
    Shape s{std::move(f)};
    s.x0 = s.y0 = 1e9;
    s.x1 = s.y1 = -1e9;
    for (const Point& p : points) {
        s.x0 = std::min(s.x0, p.x - grow);
        s.y0 = std::min(s.y0, p.y - grow);
        s.x1 = std::max(s.x1, p.x + grow);
        s.y1 = std::max(s.y1, p.y + grow);
    }
    return s;
}

Shape polyline(const std::vector<Point>& points, double r) {
    return bounded(
        [=](double x, double y) {
            for (size_t i = 1; i < points.size(); ++i)
                if (segment_distance(points[i - 1], points[i], x, y) <= r) return true;
            return false;
        },
        points, r);
}

Shape polygon(const std::vector<Point>& points) {
    return bounded(
        [=](double x, double y) {
            int winding = 0;
            for (size_t i = 0; i < points.size(); ++i) {
                const Point& a = points[i];
                const Point& b = points[(i + 1) % points.size()];
                const double side = (b.x - a.x) * (y - a.y) - (x - a.x) * (b.y - a.y);
                if (a.y <= y) {
                    if (b.y > y && side > 0) ++winding;
                } else if (b.y <= y && side < 0) {
                    --winding;
                }
            }
            return winding != 0;
        },
        points, 0);
}

Shape rounded_rect(double x0, double y0, double x1, double y1, double r) {
    return {[=](double x, double y) {
                const double cx = std::clamp(x, x0 + r, x1 - r), cy = std::clamp(y, y0 + r, y1 - r);
                return x >= x0 && x <= x1 && y >= y0 && y <= y1 && (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
            },
            x0, y0, x1, y1};
}

Shape unite(const Shape& a, const Shape& b) {
    return {[=](double x, double y) { return a(x, y) || b(x, y); }, std::min(a.x0, b.x0), std::min(a.y0, b.y0),
            std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

Shape subtract(const Shape& a, const Shape& b) {
    return {[=](double x, double y) { return a(x, y) && !b(x, y); }, a.x0, a.y0, a.x1, a.y1};
}

Shape intersect(const Shape& a, const Shape& b) {
    return {[=](double x, double y) { return a(x, y) && b(x, y); }, std::max(a.x0, b.x0), std::max(a.y0, b.y0),
            std::min(a.x1, b.x1), std::min(a.y1, b.y1)};
}

Shape transformed(const Shape& s, Point pivot, double angle, double scale, Point offset) {
    const double c = std::cos(angle), sn = std::sin(angle);
    Shape out{[=](double x, double y) {
        // Map the point back into the shape's own frame.
        const double dx = (x - offset.x - pivot.x) / scale, dy = (y - offset.y - pivot.y) / scale;
        return s(pivot.x + c * dx + sn * dy, pivot.y - sn * dx + c * dy);
    }};
    // The box of the turned box's corners.
    const std::vector<Point> corners = {{s.x0, s.y0}, {s.x1, s.y0}, {s.x0, s.y1}, {s.x1, s.y1}};
    std::vector<Point> moved;
    for (const Point& p : corners) {
        const double dx = p.x - pivot.x, dy = p.y - pivot.y;
        moved.push_back(
            Point{pivot.x + offset.x + scale * (c * dx - sn * dy), pivot.y + offset.y + scale * (sn * dx + c * dy)});
    }
    return bounded(out.inside, moved, 1.0);
}

double smoothstep(double e0, double e1, double x) {
    const double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

}  // namespace assetgen
