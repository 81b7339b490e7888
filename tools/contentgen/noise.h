// Lattice value noise and fractal sums. The 2D forms repeat with a given
// integer period, so pictures built from them tile without seams.
#pragma once

#include <cstdint>

namespace contentgen {

// Hash of lattice coordinates to [0, 1).
double LatticeValue(int32_t x, int32_t y, int32_t z, uint32_t seed);

// Value noise in [0, 1) repeating every `period` units in x and y.
double TileNoise(double x, double y, int period, uint32_t seed);
// Fractal sum of TileNoise; octave k has frequency 2^k and period
// period * 2^k, so the sum repeats every `period` units. Result in [0, 1).
double TileFbm(double x, double y, int period, int octaves, uint32_t seed, double gain = 0.5);
// Like TileFbm with |2n - 1| octaves (ridged, billowy look), in [0, 1).
double TileTurbulence(double x, double y, int period, int octaves, uint32_t seed);

// Non-repeating 3D value noise and its fractal sum, both in [0, 1).
double Noise3(double x, double y, double z, uint32_t seed);
double Fbm3(double x, double y, double z, int octaves, uint32_t seed);

// Distance to the nearest of `cells`x`cells` jittered points on the unit
// torus (cellular noise); x and y in [0, 1), result in cell units.
double TileCellDistance(double x, double y, int cells, uint32_t seed);
// Gap between the second-nearest and nearest of those points: 0 on the
// borders between cells (cracks, tiles).
double TileCellBorder(double x, double y, int cells, uint32_t seed);

}  // namespace contentgen
