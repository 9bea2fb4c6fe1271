// Where a point of the program's scene shows in its client area, worked out without GL so that tests and
// benchmarks alike can aim the mouse at what the program draws. Header-only.
#pragma once
#include <cmath>

#include "corvala/render/CRVL_Vector.h"

namespace testsupport {

struct ClientPoint {
    int x = 0, y = 0;  // client pixels, y counted down as the mouse reports it
};

// A point of the scene frame (what the camera's move by (0, -1, -30) is applied to), seen through the
// program's gluPerspective(45, w / h, ...) on a w x h viewport anchored at the bottom of a client area
// `client_height` rows tall.
inline ClientPoint ScenePixel(double x, double y, double z, int w = 800, int h = 600, int client_height = 578) {
    const double f = 1.0 / std::tan(22.5 * corvala::kPi / 180.0);
    const double ex = x, ey = y - 1.0, ez = z - 30.0;
    const double nx = f / (double(w) / double(h)) * ex / -ez, ny = f * ey / -ez;
    return {int(std::lround((nx + 1) / 2 * w)), client_height - int(std::lround((ny + 1) / 2 * h))};
}

// glRotatef's turn of a point about the y or the x axis, by degrees.
inline void RotateAboutY(double degrees, double& x, double& z) {
    const double a = degrees * corvala::kPi / 180.0, c = std::cos(a), s = std::sin(a);
    const double nx = c * x + s * z, nz = -s * x + c * z;
    x = nx;
    z = nz;
}
inline void RotateAboutX(double degrees, double& y, double& z) {
    const double a = degrees * corvala::kPi / 180.0, c = std::cos(a), s = std::sin(a);
    const double ny = c * y - s * z, nz = s * y + c * z;
    y = ny;
    z = nz;
}

}  // namespace testsupport
