#include "framework/engine_utils.h"

#include <cfloat>
#include <cmath>

#include "platform/crt_rand.h"

D3DLIGHT9 MakeDirectionalLight(const Vector3& direction, const D3DCOLORVALUE& c) {
    D3DLIGHT9 light{};
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse = c;
    light.Specular = {c.r * 0.6f, c.g * 0.6f, c.b * 0.6f, c.a * 0.6f};
    light.Ambient = {c.r * 0.4f, c.g * 0.4f, c.b * 0.4f, c.a * 0.4f};
    light.Direction = {direction.x, direction.y, direction.z};
    return light;
}

void InitBoundingBox(BoundingBox& box) {
    box.minimum = {FLT_MAX, FLT_MAX, FLT_MAX};
    box.maximum = {-FLT_MAX, -FLT_MAX, -FLT_MAX};
}

float RandomBetween(float a, float b) {
    if (a >= b) return a;
    return a + (b - a) * static_cast<float>((rp::rand() % 10000) * 0.0001);
}

Vector3 RandomVector(const Vector3& minimum, const Vector3& maximum) {
    float x = RandomBetween(minimum.x, maximum.x);
    float y = RandomBetween(minimum.y, maximum.y);
    float z = RandomBetween(minimum.z, maximum.z);
    return {x, y, z};
}

double SafeAcos(double x) {
    if (x < -1.0 || x > 1.0) return 0.0;
    return std::acos(x);
}

double FifthStep(double a, double b, double c) { return b + (c - b) / 5 * a; }

double Interpolate3(int lo, int x, int hi, double vLow, double vMid, double vHigh) {
    int mid = (lo + hi) / 2;
    if (x == mid) return vMid;
    if (x < mid) return vLow + (vMid - vLow) * x / mid;
    return vMid + (vHigh - vMid) * (x - mid) / (hi - mid);
}

D3DMATERIAL9 MakeMaterial(const D3DCOLORVALUE& colour) {
    D3DMATERIAL9 m{};
    m.Diffuse = m.Ambient = m.Specular = colour;
    m.Emissive = {0, 0, 0, 0};
    m.Power = 2.0f;
    return m;
}
