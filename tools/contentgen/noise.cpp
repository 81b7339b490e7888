#include "noise.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace contentgen {
namespace {

uint32_t Mix(uint32_t h) {
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

double Fade(double t) { return t * t * t * (t * (t * 6.0 - 15.0) + 10.0); }

int32_t Wrap(int32_t v, int period) {
    int32_t m = v % period;
    return m < 0 ? m + period : m;
}

}  // namespace

double LatticeValue(int32_t x, int32_t y, int32_t z, uint32_t seed) {
    uint32_t h = Mix(seed ^ 0x9E3779B9u);
    h = Mix(h ^ static_cast<uint32_t>(x) * 0x85EBCA6Bu);
    h = Mix(h ^ static_cast<uint32_t>(y) * 0xC2B2AE35u);
    h = Mix(h ^ static_cast<uint32_t>(z) * 0x27D4EB2Fu);
    return (h >> 8) * (1.0 / 16777216.0);
}

double TileNoise(double x, double y, int period, uint32_t seed) {
    double fx = std::floor(x);
    double fy = std::floor(y);
    auto ix = static_cast<int32_t>(fx);
    auto iy = static_cast<int32_t>(fy);
    double tx = Fade(x - fx);
    double ty = Fade(y - fy);
    int32_t x0 = Wrap(ix, period), x1 = Wrap(ix + 1, period);
    int32_t y0 = Wrap(iy, period), y1 = Wrap(iy + 1, period);
    double a = LatticeValue(x0, y0, 0, seed), b = LatticeValue(x1, y0, 0, seed);
    double c = LatticeValue(x0, y1, 0, seed), d = LatticeValue(x1, y1, 0, seed);
    double top = a + (b - a) * tx;
    double bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

double TileFbm(double x, double y, int period, int octaves, uint32_t seed, double gain) {
    double sum = 0.0, amplitude = 1.0, total = 0.0;
    for (int k = 0; k < octaves; ++k) {
        sum += amplitude * TileNoise(x, y, period, seed + 101u * static_cast<uint32_t>(k));
        total += amplitude;
        amplitude *= gain;
        x *= 2.0;
        y *= 2.0;
        period *= 2;
    }
    return sum / total;
}

double TileTurbulence(double x, double y, int period, int octaves, uint32_t seed) {
    double sum = 0.0, amplitude = 1.0, total = 0.0;
    for (int k = 0; k < octaves; ++k) {
        double n = TileNoise(x, y, period, seed + 131u * static_cast<uint32_t>(k));
        sum += amplitude * std::fabs(2.0 * n - 1.0);
        total += amplitude;
        amplitude *= 0.5;
        x *= 2.0;
        y *= 2.0;
        period *= 2;
    }
    return std::min(sum / total, 0.999999);
}

double Noise3(double x, double y, double z, uint32_t seed) {
    double fx = std::floor(x), fy = std::floor(y), fz = std::floor(z);
    auto ix = static_cast<int32_t>(fx), iy = static_cast<int32_t>(fy), iz = static_cast<int32_t>(fz);
    double tx = Fade(x - fx), ty = Fade(y - fy), tz = Fade(z - fz);
    double layer[2];
    for (int dz = 0; dz < 2; ++dz) {
        double a = LatticeValue(ix, iy, iz + dz, seed), b = LatticeValue(ix + 1, iy, iz + dz, seed);
        double c = LatticeValue(ix, iy + 1, iz + dz, seed), d = LatticeValue(ix + 1, iy + 1, iz + dz, seed);
        double top = a + (b - a) * tx;
        double bottom = c + (d - c) * tx;
        layer[dz] = top + (bottom - top) * ty;
    }
    return layer[0] + (layer[1] - layer[0]) * tz;
}

double Fbm3(double x, double y, double z, int octaves, uint32_t seed) {
    double sum = 0.0, amplitude = 1.0, total = 0.0;
    for (int k = 0; k < octaves; ++k) {
        sum += amplitude * Noise3(x, y, z, seed + 101u * static_cast<uint32_t>(k));
        total += amplitude;
        amplitude *= 0.5;
        x *= 2.0;
        y *= 2.0;
        z *= 2.0;
    }
    return sum / total;
}

namespace {

// Nearest and second-nearest jittered cell points.
std::pair<double, double> NearestTwo(double x, double y, int cells, uint32_t seed) {
    double px = x * cells, py = y * cells;
    auto cx = static_cast<int32_t>(std::floor(px));
    auto cy = static_cast<int32_t>(std::floor(py));
    double best = 1e9, second = 1e9;
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
            int32_t gx = cx + dx, gy = cy + dy;
            int32_t wx = Wrap(gx, cells), wy = Wrap(gy, cells);
            double jx = gx + LatticeValue(wx, wy, 1, seed);
            double jy = gy + LatticeValue(wx, wy, 2, seed);
            double d = std::hypot(jx - px, jy - py);
            if (d < best) {
                second = best;
                best = d;
            } else if (d < second) {
                second = d;
            }
        }
    }
    return {best, second};
}

}  // namespace

double TileCellDistance(double x, double y, int cells, uint32_t seed) { return NearestTwo(x, y, cells, seed).first; }

double TileCellBorder(double x, double y, int cells, uint32_t seed) {
    auto [best, second] = NearestTwo(x, y, cells, seed);
    return second - best;
}

}  // namespace contentgen
