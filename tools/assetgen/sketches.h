// Small drawings shared by the buttons and the icon.
#pragma once

#include "tools/assetgen/image.h"

namespace assetgen {

// A side view of a goldfish facing right, centred at `c`, `length` long (tail included), body `height` tall.
void draw_goldfish(Image& img, Point c, double length, double height, double outline);

// A lightning bolt in the box (x, y, w, h), turned by `angle` radians about its centre.
void draw_bolt(Image& img, double x, double y, double w, double h, double angle, double outline);

// A thick arrow from `from` to `to` with a head of width `head`.
void draw_arrow(Image& img, Point from, Point to, double shaft, double head, const Color& fill, const Color& edge);

}  // namespace assetgen
