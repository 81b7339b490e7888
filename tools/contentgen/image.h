// Floating-point RGB pictures and the few painting operations the picture
// families share. Painting that "wraps" treats the picture as a torus, so
// tileable pictures stay seamless.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace contentgen {

struct Rgb {
    float r = 0, g = 0, b = 0;
};

inline Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Rgb operator-(Rgb a, Rgb b) { return {a.r - b.r, a.g - b.g, a.b - b.b}; }
inline Rgb operator*(Rgb a, float s) { return {a.r * s, a.g * s, a.b * s}; }
inline Rgb operator*(Rgb a, Rgb b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }
inline Rgb Lerp(Rgb a, Rgb b, float t) { return a + (b - a) * t; }
// 8-bit style colour literal helper: Hex(0xRRGGBB).
Rgb Hex(uint32_t rgb);

// A colour ramp: stops at increasing positions in [0, 1].
struct RampStop {
    float at;
    Rgb colour;
};
Rgb Ramp(const std::vector<RampStop>& stops, float t);

class Image {
public:
    Image(int width, int height, Rgb fill = {});

    int Width() const { return width_; }
    int Height() const { return height_; }
    Rgb& At(int x, int y) { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    const Rgb& At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    Rgb& Wrapped(int x, int y);
    // Bilinear sample with wrapping, coordinates in pixels.
    Rgb Sample(float x, float y) const;

    // Blends `colour` over pixel (x, y) with `alpha`; outside pixels are
    // ignored unless `wrap` is set.
    void Blend(int x, int y, Rgb colour, float alpha, bool wrap = false);
    void Add(int x, int y, Rgb colour, bool wrap = false);

    // Gaussian glow of the given sigma added around (cx, cy).
    void AddGlow(float cx, float cy, float sigma, Rgb colour, bool wrap);
    // Anti-aliased line of the given width, blended.
    void Line(float x0, float y0, float x1, float y1, float width, Rgb colour, float alpha = 1.0f);
    // Pastes `other` with its top-left corner at (x, y).
    void Paste(const Image& other, int x, int y);
    // Box-filtered copy at another size.
    Image Resized(int width, int height) const;
    // Separable Gaussian blur (wrapping when asked).
    Image Blurred(float sigma, bool wrap) const;

    // Packed 8-bit RGB, rows top to bottom, values clamped and rounded.
    std::vector<uint8_t> ToRgb8() const;

private:
    int width_, height_;
    std::vector<Rgb> pixels_;
};

// Sprinkles a wrapping star field; brightness follows a steep power law.
void AddStars(Image& image, int count, uint32_t seed, float brightness);

}  // namespace contentgen
