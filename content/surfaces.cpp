// The eleven tileable rock surfaces: fire, stone, oxide and mud groups.
#include <cmath>
#include <functional>

#include "names.h"
#include "noise.h"
#include "workshop.h"

namespace content {
namespace {

using contentgen::Hex;
using contentgen::Ramp;
using contentgen::Rgb;
using contentgen::TileCellDistance;
using contentgen::TileFbm;
using contentgen::TileTurbulence;

constexpr int kSize = 256;
constexpr double kTwoPi = 6.283185307179586;

// Fills a picture from a function of (u, v) in [0, 1).
Image Paint(const std::function<Rgb(double, double)>& shade) {
    Image image(kSize, kSize);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) image.At(x, y) = shade((x + 0.5) / kSize, (y + 0.5) / kSize);
    return image;
}

float F(double v) { return static_cast<float>(v); }

Image Fire(uint32_t seed, int period, const std::vector<contentgen::RampStop>& ramp, double contrast) {
    return Paint([&](double u, double v) {
        double t = TileTurbulence(u * period, v * period, period, 6, seed);
        double base = TileFbm(u * period, v * period, period, 3, seed + 7);
        return Ramp(ramp, F(std::pow(std::min(1.0, (1.0 - t) * (0.6 + 0.6 * base)), contrast)));
    });
}

Image Lava(uint32_t seed) {
    return Paint([&](double u, double v) {
        double ridge = TileTurbulence(u * 4, v * 4, 4, 6, seed);
        double heat = std::pow(1.0 - ridge, 6.0);
        double crust = TileFbm(u * 8, v * 8, 8, 4, seed + 3);
        Rgb rock = Lerp(Hex(0x1A0E0A), Hex(0x4A2A1E), F(crust));
        return Lerp(rock, Ramp({{0, Hex(0x600800)}, {0.5f, Hex(0xE04010)}, {1, Hex(0xFFE080)}}, F(heat * 1.4)),
                    F(std::min(1.0, heat * 2.2)));
    });
}

Image FireTiles(uint32_t seed) {
    return Paint([&](double u, double v) {
        double wobbleU = u + 0.03 * (TileFbm(u * 6, v * 6, 6, 3, seed) - 0.5);
        double wobbleV = v + 0.03 * (TileFbm(u * 6, v * 6, 6, 3, seed + 1) - 0.5);
        double gap =
            contentgen::TileCellBorder(wobbleU - std::floor(wobbleU), wobbleV - std::floor(wobbleV), 6, seed + 2);
        double plate = TileFbm(u * 12, v * 12, 12, 4, seed + 5);
        double glow = std::pow(std::max(0.0, 1.0 - gap * 4.0), 3.0);
        Rgb rock = Lerp(Hex(0x3A1C10), Hex(0x7A4A2A), F(plate));
        Rgb fire = Ramp({{0, Hex(0xA01800)}, {0.6f, Hex(0xFF7010)}, {1, Hex(0xFFF0A0)}}, F(glow));
        return Lerp(rock, fire, F(std::min(1.0, glow * 1.6)));
    });
}

Image Marble(uint32_t seed) {
    return Paint([&](double u, double v) {
        double warp = TileFbm(u * 4, v * 4, 4, 6, seed);
        double vein = std::fabs(std::sin(kTwoPi * (2 * u + v + 2.2 * warp)));
        double fine = TileFbm(u * 16, v * 16, 16, 3, seed + 1);
        Rgb stone = Lerp(Hex(0xE8E4DC), Hex(0xC8C4BC), F(fine));
        Rgb dark = Hex(0x4A5048);
        return Lerp(dark, stone, F(std::pow(vein, 0.25)));
    });
}

Image Granite(uint32_t seed) {
    return Paint([&](double u, double v) {
        double base = TileFbm(u * 8, v * 8, 8, 3, seed);
        double grain = TileFbm(u * 64, v * 64, 64, 2, seed + 1);
        double pink = TileFbm(u * 32, v * 32, 32, 2, seed + 2);
        double dark = TileFbm(u * 48, v * 48, 48, 2, seed + 3);
        Rgb c = Lerp(Hex(0x8C8680), Hex(0xB0AAA4), F(base));
        c = c * F(0.8 + 0.4 * grain);
        if (pink > 0.62) c = Lerp(c, Hex(0xC08070), F(std::min(1.0, (pink - 0.62) * 8)));
        if (dark > 0.64) c = Lerp(c, Hex(0x202020), F(std::min(1.0, (dark - 0.64) * 9)));
        return c;
    });
}

Image ArcticStone(uint32_t seed) {
    return Paint([&](double u, double v) {
        double base = TileFbm(u * 4, v * 4, 4, 6, seed);
        double crack = std::pow(1.0 - TileTurbulence(u * 3, v * 3, 3, 5, seed + 1), 12.0);
        double frost = TileFbm(u * 32, v * 32, 32, 2, seed + 2);
        Rgb c = Ramp({{0, Hex(0x7890A8)}, {0.5f, Hex(0xC8DCEC)}, {1, Hex(0xF4FAFF)}}, F(base * 0.8 + frost * 0.3));
        return Lerp(c, Hex(0x2A5A90), F(std::min(1.0, crack * 1.5)));
    });
}

Image Rust(uint32_t seed) {
    return Paint([&](double u, double v) {
        double patch = TileFbm(u * 4, v * 4, 4, 6, seed);
        double pits = TileFbm(u * 32, v * 32, 32, 3, seed + 1);
        double flake = TileFbm(u * 12, v * 12, 12, 4, seed + 2);
        Rgb c = Ramp({{0, Hex(0x3A1A0C)}, {0.45f, Hex(0x8A3A14)}, {0.6f, Hex(0xC86420)}, {1, Hex(0xE8A050)}}, F(patch));
        if (flake > 0.6) c = Lerp(c, Hex(0x5A6A60), F(std::min(1.0, (flake - 0.6) * 5)));  // old paint
        return c * F(0.75 + 0.5 * pits);
    });
}

Image RussetOxide(uint32_t seed) {
    return Paint([&](double u, double v) {
        double base = TileFbm(u * 6, v * 6, 6, 6, seed);
        double pits = TileCellDistance(u, v, 24, seed + 1);
        Rgb c = Ramp({{0, Hex(0x4A1E12)}, {0.5f, Hex(0x8E3E26)}, {1, Hex(0xC07050)}}, F(base));
        return c * F(0.55 + 0.45 * std::min(1.0, pits * 1.8));
    });
}

Image BlueMud(uint32_t seed) {
    return Paint([&](double u, double v) {
        double base = TileFbm(u * 4, v * 4, 4, 6, seed);
        double ripple = TileTurbulence(u * 8, v * 8, 8, 3, seed + 1);
        double wet = std::pow(std::max(0.0, base - 0.55) * 2.2, 2.0);
        Rgb c = Ramp({{0, Hex(0x1C2A3C)}, {0.5f, Hex(0x3A5878)}, {1, Hex(0x6A8CB0)}}, F(base * 0.8 + ripple * 0.3));
        return c + Rgb{0.5f, 0.6f, 0.7f} * F(wet * 0.6);
    });
}

Image Blobs(uint32_t seed) {
    return Paint([&](double u, double v) {
        double d = TileCellDistance(u, v, 5, seed);
        double d2 = TileCellDistance(u, v, 9, seed + 1);
        double hue = TileFbm(u * 3, v * 3, 3, 3, seed + 2);
        Rgb blob =
            Ramp({{0, Hex(0x7030A0)}, {0.35f, Hex(0x2080A0)}, {0.65f, Hex(0x40A040)}, {1, Hex(0xC0A020)}}, F(hue));
        double inside =
            std::max(std::pow(std::max(0.0, 1.0 - d * 1.7), 0.6), 0.7 * std::pow(std::max(0.0, 1.0 - d2 * 1.9), 0.6));
        return Lerp(Hex(0x181420), blob * F(0.6 + 0.6 * inside), F(std::min(1.0, inside * 2.0)));
    });
}

}  // namespace

void BuildRockTextures(Workshop& shop) {
    const std::vector<contentgen::RampStop> flame = {
        {0, Hex(0x200400)}, {0.35f, Hex(0x901000)}, {0.6f, Hex(0xE85010)}, {0.85f, Hex(0xFFB030)}, {1, Hex(0xFFF4C0)}};
    const std::vector<contentgen::RampStop> hot = {
        {0, Hex(0x502000)}, {0.4f, Hex(0xD06000)}, {0.75f, Hex(0xFFC040)}, {1, Hex(0xFFFFE0)}};
    shop.AddTexture("fire1.jpg", Fire(11, 4, flame, 1.2));
    shop.AddTexture("fire3.jpg", Fire(13, 8, hot, 0.9));
    shop.AddTexture("fire6.jpg", Lava(16));
    shop.AddTexture("firetile2.jpg", FireTiles(22));
    shop.AddTexture("marble23.jpg", Marble(23));
    shop.AddTexture("granite11.jpg", Granite(31));
    shop.AddTexture("arctic_stone.jpg", ArcticStone(41));
    shop.AddTexture("rust_valencia.jpg", Rust(51));
    shop.AddTexture("russet_oxide.jpg", RussetOxide(61));
    shop.AddTexture("bluemud.jpg", BlueMud(71));
    shop.AddTexture("blobs.jpg", Blobs(81));
}

}  // namespace content
