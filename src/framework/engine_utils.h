// Small engine utilities used across the game code.
#pragma once

#include "platform/d3dtypes.h"
#include "platform/d3dx_math.h"

struct BoundingBox {
    Vector3 minimum, maximum;
};

// Directional light: diffuse = colour, specular 0.6x, ambient 0.4x.
D3DLIGHT9 MakeDirectionalLight(const Vector3& direction, const D3DCOLORVALUE& colour);
// Minimum corner +FLT_MAX, maximum corner -FLT_MAX, ready to grow.
void InitBoundingBox(BoundingBox& box);
// a when a >= b; else a + (b - a) * ((rand() % 10000) * 0.0001).
float RandomBetween(float a, float b);
Vector3 RandomVector(const Vector3& minimum, const Vector3& maximum);
double SafeAcos(double x);
// The a-th fifth of the way from b to c.
double FifthStep(double a, double b, double c);
// Piecewise-linear through (lo, vLow), ((lo + hi) / 2, vMid), (hi, vHigh).
double Interpolate3(int lo, int x, int hi, double vLow, double vMid, double vHigh);

// Standard colours and materials (ambient = diffuse = specular, power 2).
namespace colours {
constexpr D3DCOLORVALUE White{1, 1, 1, 1}, Black{0, 0, 0, 1}, Red{1, 0, 0, 1}, Green{0, 1, 0, 1},
    Blue{0, 0, 1, 1}, Yellow{1, 1, 0, 1}, Cyan{0, 1, 1, 1}, Magenta{1, 0, 1, 1};
}
D3DMATERIAL9 MakeMaterial(const D3DCOLORVALUE& colour);
