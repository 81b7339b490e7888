#include "sound/pan_law.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double PI = 3.141592653589793;

// How far towards a speaker an edge turns the sound: the gains are the cosine
// and sine of an angle from 0 (left) to PI / 2 (right), PI / 4 in the middle.
// At the left edge the angle is (1 - WIDTH) * PI / 4, where their ratio is
// EDGE_DIFFERENCE_DB.
const double WIDTH = 1.0 - 4.0 / PI * std::atan(std::pow(10.0, -EDGE_DIFFERENCE_DB / 20.0));

}  // namespace

StereoGains PanGains(float pan) {
    const double angle = PI / 4.0 * (1.0 + WIDTH * std::clamp(double(pan), -1.0, 1.0));
    return {float(std::cos(angle)), float(std::sin(angle))};
}
