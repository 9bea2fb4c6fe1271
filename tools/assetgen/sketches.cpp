#include "tools/assetgen/sketches.h"

#include <cmath>
#include <vector>

namespace assetgen {

namespace {

std::vector<Point> scale_points(const std::vector<Point>& unit, double x, double y, double w, double h) {
    std::vector<Point> out;
    for (const Point& p : unit) out.push_back(Point{x + p.x * w, y + p.y * h});
    return out;
}

std::vector<Point> closed(std::vector<Point> pts) {
    pts.push_back(pts.front());
    return pts;
}

}  // namespace

void draw_goldfish(Image& img, Point c, double length, double height, double outline) {
    const double body_len = length * 0.66;
    const Point body_c{c.x + length * 0.13, c.y};
    const double rx = body_len / 2, ry = height / 2;
    const Color edge = rgb(110, 30, 0);
    const Color fin = rgb(255, 140, 40);
    // Forked tail: two lobes behind the body.
    const double tx = body_c.x - rx * 0.85;
    const std::vector<Point> tail = {
        {tx + rx * 0.15, c.y},     {tx - length * 0.22, c.y - ry * 1.25}, {tx - length * 0.30, c.y - ry * 1.05},
        {tx - length * 0.18, c.y}, {tx - length * 0.30, c.y + ry * 1.05}, {tx - length * 0.22, c.y + ry * 1.25}};
    const std::vector<Point> dorsal = {{body_c.x - rx * 0.45, c.y - ry * 0.75},
                                       {body_c.x - rx * 0.15, c.y - ry * 1.45},
                                       {body_c.x + rx * 0.25, c.y - ry * 0.85}};
    if (outline > 0) {
        fill(img, polyline(closed(tail), outline), edge);
        fill(img, polyline(closed(dorsal), outline), edge);
        fill(img, ellipse(body_c, rx + outline, ry + outline), edge);
    }
    fill(img, polygon(tail), fin);
    fill(img, polygon(dorsal), fin);
    // Body: deep orange on the back to gold on the belly.
    fill(img, ellipse(body_c, rx, ry), [=](double, double y) {
        const double t = (y - (c.y - ry)) / (2 * ry);
        return mix(rgb(235, 80, 10), rgb(255, 205, 70), t * t);
    });
    // Gloss on the back.
    fill(img, ellipse(Point{body_c.x + rx * 0.1, c.y - ry * 0.5}, rx * 0.55, ry * 0.18), rgb(255, 230, 170, 0.55));
    // Gill line, eye with a dark pupil and a spark, mouth.
    if (outline > 0.5)
        fill(img,
             intersect(subtract(circle({body_c.x + rx * 0.25, c.y}, ry * 0.75),
                                circle({body_c.x + rx * 0.21, c.y}, ry * 0.75 - outline * 0.6)),
                       ellipse(body_c, rx * 0.95, ry * 0.8)),
             rgb(200, 70, 10));
    const Point eye{body_c.x + rx * 0.58, c.y - ry * 0.28};
    fill(img, circle(eye, ry * 0.30), rgb(255, 250, 235));
    fill(img, circle(Point{eye.x + ry * 0.05, eye.y}, ry * 0.19), rgb(10, 10, 20));
    fill(img, circle(Point{eye.x + ry * 0.10, eye.y - ry * 0.08}, ry * 0.07), rgb(255, 255, 255));
    fill(img, circle(Point{body_c.x + rx * 0.97, c.y + ry * 0.12}, ry * 0.10), rgb(150, 30, 20));
}

void draw_bolt(Image& img, double x, double y, double w, double h, double angle, double outline) {
    static const std::vector<Point> unit = {{0.62, 0.0},  {0.14, 0.58}, {0.45, 0.58}, {0.30, 1.0},
                                            {0.88, 0.36}, {0.56, 0.36}, {0.78, 0.0}};
    const std::vector<Point> pts = scale_points(unit, x, y, w, h);
    const Point pivot{x + w / 2, y + h / 2};
    fill(img, transformed(polyline(closed(pts), outline), pivot, angle, 1.0), rgb(90, 45, 0));
    fill(img, transformed(polygon(pts), pivot, angle, 1.0),
         [=](double, double py) { return mix(rgb(255, 250, 170), rgb(255, 190, 0), (py - y) / h); });
}

void draw_arrow(Image& img, Point from, Point to, double shaft, double head, const Color& fill_color,
                const Color& edge) {
    const double dx = to.x - from.x, dy = to.y - from.y;
    const double len = std::sqrt(dx * dx + dy * dy);
    const double ux = dx / len, uy = dy / len, nx = -uy, ny = ux;
    const double head_len = head * 0.9;
    const Point base{to.x - ux * head_len, to.y - uy * head_len};
    const std::vector<Point> pts = {
        {from.x + nx * shaft / 2, from.y + ny * shaft / 2}, {base.x + nx * shaft / 2, base.y + ny * shaft / 2},
        {base.x + nx * head / 2, base.y + ny * head / 2},   to,
        {base.x - nx * head / 2, base.y - ny * head / 2},   {base.x - nx * shaft / 2, base.y - ny * shaft / 2},
        {from.x - nx * shaft / 2, from.y - ny * shaft / 2}};
    fill(img, polyline(closed(pts), 3.0), edge);
    fill(img, polygon(pts), fill_color);
}

}  // namespace assetgen
