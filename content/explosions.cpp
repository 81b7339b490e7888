// The sixteen explosion frames: a fireball that flashes, swells, breaks up
// and fades, on black that reaches every edge (the game clears the dark
// pixels joined to the top-left corner and stops at bright ones).
#include <algorithm>
#include <cmath>

#include "names.h"
#include "noise.h"
#include "rng.h"
#include "workshop.h"

namespace content {
namespace {

using namespace contentgen;

constexpr int kSize = 128;

Image Frame(int index) {
    const float t = index / static_cast<float>(kExplosionFrames - 1);       // 0 .. 1
    const float radius = 0.28f + 0.62f * (1.0f - (1.0f - t) * (1.0f - t));  // of the half size
    const float heat = std::pow(1.0f - t, 0.8f);                            // cools over time
    const std::vector<RampStop> fire = {{0.0f, Hex(0x000000)},  {0.25f, Hex(0x501008)}, {0.45f, Hex(0xB02808)},
                                        {0.65f, Hex(0xF07018)}, {0.85f, Hex(0xFFC040)}, {1.0f, Hex(0xFFFFE0)}};
    Image image(kSize, kSize);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            float dx = (x + 0.5f) / (kSize * 0.5f) - 1.0f, dy = (y + 0.5f) / (kSize * 0.5f) - 1.0f;
            float d = std::hypot(dx, dy);
            // Billowing edge and churning inside, drifting as the frames advance.
            float billow = static_cast<float>(Fbm3(dx * 3.0, dy * 3.0, t * 1.5, 4, 77) - 0.5);
            float churn = static_cast<float>(Fbm3(dx * 6.0 + 9, dy * 6.0, t * 3.0, 3, 78));
            float edge = 1.0f - d / (radius * (1.0f + 0.45f * billow));
            if (edge <= 0) continue;
            float body = std::min(1.0f, edge * 2.5f);
            // Late frames break into ragged clumps with clear gaps.
            float breakup = std::clamp((churn - 0.6f * t * t) * 2.2f + 0.45f, 0.0f, 1.0f);
            float level = body * breakup * (0.45f + 0.7f * heat) * (0.75f + 0.5f * churn);
            level += (1.0f - t) * std::max(0.0f, 1.0f - d / (radius * 0.45f)) * 0.5f;  // white-hot core
            image.At(x, y) = Ramp(fire, std::clamp(level, 0.0f, 1.0f));
        }
    }
    // Sparks flying out.
    Rng rng(900);
    for (int k = 0; k < 24; ++k) {
        float angle = static_cast<float>(rng.Range(0, 6.2831853)), speed = static_cast<float>(rng.Range(0.5, 1.0));
        float r = std::min(0.92f, (0.2f + 0.9f * t) * speed);
        float cx = kSize * 0.5f * (1.0f + r * std::cos(angle)), cy = kSize * 0.5f * (1.0f + r * std::sin(angle));
        image.AddGlow(cx, cy, 0.9f, Hex(0xFFD080) * (1.6f * heat), false);
    }
    // Keep a black border so the cleared background surrounds the fireball.
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            if (x < 2 || y < 2 || x >= kSize - 2 || y >= kSize - 2) image.At(x, y) = {};
    return image;
}

}  // namespace

void BuildExplosions(Workshop& shop) {
    for (int i = 1; i <= kExplosionFrames; ++i) {
        Image frame = Frame(i - 1);
        shop.AddFile(TextureEntry(ExplosionFrameName(i)), EncodeBmp(frame));
        shop.textures.emplace(ExplosionFrameName(i), frame);
    }
}

}  // namespace content
