// The spin-axis rule shared by scene objects and field objects.
#pragma once

#include "platform/d3dx_math.h"

// normalise(x, y, z); (1, 0, 0) when no component reaches 0.001 (signed test).
inline Vector3 ChooseSpinAxis(double x, double y, double z) {
    constexpr double kEpsilon = 0.001;
    if (x < kEpsilon && y < kEpsilon && z < kEpsilon) x = 1.0, y = 0.0, z = 0.0;
    return D3DXVec3Normalize(Vector3(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)));
}
