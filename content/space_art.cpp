#include "space_art.h"

#include <algorithm>
#include <cmath>

#include "mesh.h"
#include "noise.h"
#include "rng.h"

namespace content {

using namespace contentgen;

namespace {

float F(double v) { return static_cast<float>(v); }

}  // namespace

void PaintNebula(Image& image, const NebulaLook& look) {
    const int w = image.Width(), h = image.Height();
    const int p = look.scale;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            double u = (x + 0.5) / w * p, v = (y + 0.5) / h * p;
            double wu = TileFbm(u, v, p, 4, look.seed + 1) - 0.5;
            double wv = TileFbm(u, v, p, 4, look.seed + 2) - 0.5;
            double gas = TileFbm(u + 1.5 * wu * p / 2, v + 1.5 * wv * p / 2, p, 6, look.seed);
            double mix = TileFbm(u * 0.5 + 3, v * 0.5, std::max(1, p / 2), 3, look.seed + 3);
            double density = std::pow(std::clamp((gas - 0.38) / 0.45, 0.0, 1.0), 1.8);
            if (look.dust > 0) {
                double lane = TileTurbulence(u * 2, v * 2, p * 2, 4, look.seed + 4);
                density *= 1.0 - look.dust * std::pow(std::clamp(1.0 - lane * 3.0, 0.0, 1.0), 2.0);
            }
            Rgb colour = Lerp(look.first, look.second, F(std::clamp((mix - 0.3) * 2.5, 0.0, 1.0)));
            image.At(x, y) = image.At(x, y) + colour * F(density * look.brightness);
        }
    }
}

void PaintPlanet(Image& image, const PlanetLook& look) {
    const Vec3 toLight = Normalized({-0.7f, 0.5f, -0.6f});
    const int x0 = static_cast<int>(look.x - look.radius * 2.3f), x1 = static_cast<int>(look.x + look.radius * 2.3f);
    const int y0 = static_cast<int>(look.y - look.radius * 1.3f), y1 = static_cast<int>(look.y + look.radius * 1.3f);
    const float ringTilt = 0.28f;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            float dx = (x + 0.5f - look.x) / look.radius, dy = (y + 0.5f - look.y) / look.radius;
            float r2 = dx * dx + dy * dy;
            // Ring behind / in front: an ellipse band, hidden where the disc covers its far half.
            float ringR = look.ring ? std::hypot(dx, dy / ringTilt) : 0.0f;
            bool ringHere = look.ring && ringR > 1.35f && ringR < 2.2f;
            bool ringFront = ringHere && dy > 0;
            Rgb ringColour = Lerp(look.light, Rgb{0.9f, 0.85f, 0.75f}, 0.5f) *
                             F(0.55 * (0.6 + 0.4 * std::sin(ringR * 23.0)) * (dx < 0 ? 1.0 : 0.65));
            if (ringHere && !ringFront && r2 >= 1.0f) image.Wrapped(x, y) = Lerp(image.Wrapped(x, y), ringColour, 0.8f);
            if (r2 < 1.0f) {
                float dz = -std::sqrt(1.0f - r2);
                Vec3 n = {dx, -dy, dz};
                float lit = std::max(0.0f, Dot(n, toLight));
                double surface;
                if (look.bands > 0) {
                    double wobble = Fbm3(dx * 3, dy * 3, dz * 3, 4, look.seed) - 0.5;
                    surface = 0.5 + 0.5 * std::sin((dy + 0.25 * wobble) * look.bands * 3.14159);
                } else {
                    surface = Fbm3(dx * 2.5, dy * 2.5, dz * 2.5, 5, look.seed);
                    double crater = Fbm3(dx * 9, dy * 9, dz * 9, 2, look.seed + 9);
                    surface = surface * 0.8 + (crater > 0.62 ? -0.25 : 0.0);
                }
                // Kept dimmer than the rocks and shots that pass over it.
                Rgb c = Lerp(look.dark, look.light, F(std::clamp(surface, 0.0, 1.0))) * F(0.05 + 0.8 * lit);
                float edge = std::clamp((1.0f - std::sqrt(r2)) * look.radius, 0.0f, 1.0f);
                image.Wrapped(x, y) = Lerp(image.Wrapped(x, y), c, edge);
                // A thin lit atmosphere along the day side's limb.
            } else if (r2 < 1.12f && look.bands > 0) {
                float rim = (1.12f - r2) / 0.12f;
                float side = std::max(0.0f, -dx * 0.7f - dy * 0.5f);
                image.Wrapped(x, y) = image.Wrapped(x, y) + look.light * F(0.35 * rim * rim * side);
            }
            if (ringFront) image.Wrapped(x, y) = Lerp(image.Wrapped(x, y), ringColour, 0.85f);
        }
    }
}

void PaintGalaxy(Image& image, const GalaxyLook& look) {
    const float c = std::cos(look.angle), s = std::sin(look.angle);
    const int reach = static_cast<int>(look.radius * 1.3f);
    for (int y = -reach; y <= reach; ++y) {
        for (int x = -reach; x <= reach; ++x) {
            // Into the galaxy's plane: unrotate, then stretch the short axis.
            float gx = (x * c + y * s) / look.radius;
            float gy = (-x * s + y * c) / (look.radius * (1.0f - look.tilt));
            float r = std::hypot(gx, gy);
            if (r > 1.3f) continue;
            float theta = std::atan2(gy, gx);
            float spiral = 0.5f + 0.5f * std::cos(look.arms * (theta - 3.2f * std::log(r + 0.05f)));
            double clump = TileFbm((x + reach) * 0.08, (y + reach) * 0.08, 64, 4, look.seed);
            float disc = std::exp(-r * 3.2f);
            float arms = F(std::pow(spiral, 2.5) * disc * (0.6 + 0.8 * clump));
            float bulge = std::exp(-r * r * 40.0f);
            Rgb colour = look.arm * (arms * 0.9f) + look.core * (bulge * 1.1f + disc * 0.12f);
            image.Wrapped(static_cast<int>(look.x) + x, static_cast<int>(look.y) + y) =
                image.Wrapped(static_cast<int>(look.x) + x, static_cast<int>(look.y) + y) + colour;
        }
    }
}

void PaintGlow(Image& image, float x, float y, float radius, Rgb colour) {
    image.AddGlow(x, y, radius, colour, true);
    image.AddGlow(x, y, radius * 0.25f, colour * 1.5f, true);
}

void PaintStreaks(Image& image, int count, uint32_t seed, Rgb colour) {
    Rng rng(seed);
    const float w = static_cast<float>(image.Width()), h = static_cast<float>(image.Height());
    for (int i = 0; i < count; ++i) {
        float x = F(rng.Uniform() * w), y = F(rng.Uniform() * h);
        float len = F(rng.Range(20, 70)), bright = F(rng.Range(0.2, 0.8));
        for (float t = 0; t < len; t += 0.5f) {
            float fade = bright * (t / len) * (t / len);
            image.Add(static_cast<int>(x + t * 0.55f), static_cast<int>(y + t * 0.83f), colour * (fade * 0.5f), true);
        }
        image.AddGlow(x + len * 0.55f, y + len * 0.83f, 1.2f, colour * bright, true);
    }
}

}  // namespace content
