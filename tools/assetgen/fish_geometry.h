// The goldfish's shape: body profile, feature positions, pose parameters and where each part sits on the skin.
// Model axes: +x is the nose direction, +z is up, +y the fish's left.
#pragma once

#include <cmath>

#include "corvala/render/CRVL_Vector.h"

namespace assetgen {

using corvala::kPi;

struct Vec3 {
    double x = 0, y = 0, z = 0;
};
inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(Vec3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
inline double dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
inline double length(Vec3 a) { return std::sqrt(dot(a, a)); }
inline Vec3 normalized(Vec3 a) {
    const double l = length(a);
    return l > 0 ? a * (1.0 / l) : Vec3{0, 0, 1};
}
// Turns `p` about the axis through `origin` along unit `axis` by `angle` radians.
Vec3 rotate_about(Vec3 p, Vec3 origin, Vec3 axis, double angle);

// Everything an animation frame can change.
struct Pose {
    double swim_phase = 0;   // phase of the travelling body wave (radians)
    double swim_amp = 1;     // strength of the body wave
    double curl = 0;         // sideways C-bend, curvature per unit; + bends toward +y
    double arch = 0;         // vertical bend of the head, curvature per unit; + lifts the head
    double recoil = 0;       // whole fish pulled back along -x
    double mouth = 0;        // 0 closed .. 1 wide open
    double fin_phase = 0;    // phase of the fin flutter (radians)
    double fin_flutter = 1;  // strength of the flutter
    double fin_flare = 0;    // -1 folded .. 0 relaxed .. 1 spread wide
    double lid_neg = 0;      // eyelid of the eye on the -y side: 0 open .. 1 shut
    double lid_pos = 0;      // eyelid of the eye on the +y side
};

// Body profile along x (rest pose): top and bottom of the outline and half-width.
double body_top(double x);
double body_bottom(double x);
double body_half_width(double x);

constexpr double kTailCapX = -15.5;  // rounded end behind the tail root
constexpr double kLipX = 13.1;       // the front of the lips

// Eyes: centres and the outward direction each looks along (side -1 or +1).
constexpr double kEyeRadius = 1.45;
Vec3 eye_centre(int side);
Vec3 eye_axis(int side);
// Directions on the eyeball where picture "up" and "forward" point, for the eye and lid texture discs.
Vec3 eye_up(int side);
Vec3 eye_forward(int side);

// Skin layout (S across, T down from the top of the picture).
namespace skin {
constexpr int kSize = 512;
constexpr double kBodyT = 0.62;                // body band: T in [0, kBodyT], S = place along x
constexpr double kFinS0 = 0.0, kFinS1 = 0.72;  // fin panel
constexpr double kFinT0 = 0.65, kFinT1 = 0.99;
constexpr double kEyeS = 0.865, kEyeT = 0.755, kEyeR = 0.115;                         // eye disc
constexpr double kLidS = 0.80, kLidT = 0.935, kLidR = 0.055;                          // shut-lid disc
constexpr double kMouthS0 = 0.90, kMouthS1 = 0.99, kMouthT0 = 0.90, kMouthT1 = 0.99;  // mouth inside
// Body band mapping: S from x, T from the angle around the body (0 = dorsal line, pi = belly).
inline double body_s(double x) { return (x - kTailCapX) / (kLipX - kTailCapX); }
inline double body_t(double angle) { return angle / (2 * kPi) * kBodyT; }
}  // namespace skin

}  // namespace assetgen
