// Painters for space scenes. Everything wraps at the picture's edges, so a
// scene painted on a tile is seamless in both directions.
#pragma once

#include <cstdint>
#include <vector>

#include "image.h"

namespace content {

using contentgen::Image;
using contentgen::Rgb;

struct NebulaLook {
    uint32_t seed;
    int scale;          // cloud cells across the picture
    Rgb first, second;  // the two gas colours
    float brightness;   // peak added brightness
    float dust;         // 0..1, dark lanes cutting the gas
};
void PaintNebula(Image& image, const NebulaLook& look);

struct PlanetLook {
    float x, y, radius;  // in pixels; keep it clear of the edges
    Rgb light, dark;     // band colours
    uint32_t seed;
    float bands;  // 0: cratered rock; else latitude bands per radius
    bool ring;
};
void PaintPlanet(Image& image, const PlanetLook& look);

struct GalaxyLook {
    float x, y, radius;
    float tilt;  // 0 face-on .. ~0.9 nearly edge-on
    float angle;
    int arms;
    Rgb core, arm;
    uint32_t seed;
};
void PaintGalaxy(Image& image, const GalaxyLook& look);

// A soft glow of a bright star or cluster, wrapped.
void PaintGlow(Image& image, float x, float y, float radius, Rgb colour);

// Diagonal streaks of light (meteors, shards), wrapped.
void PaintStreaks(Image& image, int count, uint32_t seed, Rgb colour);

}  // namespace content
