#include "image.h"

#include <algorithm>
#include <cmath>

#include "rng.h"

namespace contentgen {

Rgb Hex(uint32_t rgb) { return {((rgb >> 16) & 0xFF) / 255.0f, ((rgb >> 8) & 0xFF) / 255.0f, (rgb & 0xFF) / 255.0f}; }

Rgb Ramp(const std::vector<RampStop>& stops, float t) {
    if (t <= stops.front().at) return stops.front().colour;
    for (size_t i = 1; i < stops.size(); ++i) {
        if (t <= stops[i].at) {
            float span = stops[i].at - stops[i - 1].at;
            float f = span > 0 ? (t - stops[i - 1].at) / span : 1.0f;
            return Lerp(stops[i - 1].colour, stops[i].colour, f);
        }
    }
    return stops.back().colour;
}

Image::Image(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {}

Rgb& Image::Wrapped(int x, int y) {
    x %= width_;
    y %= height_;
    if (x < 0) x += width_;
    if (y < 0) y += height_;
    return At(x, y);
}

Rgb Image::Sample(float x, float y) const {
    float fx = std::floor(x), fy = std::floor(y);
    float tx = x - fx, ty = y - fy;
    auto wrap = [](int v, int n) { return ((v % n) + n) % n; };
    int x0 = wrap(static_cast<int>(fx), width_), x1 = wrap(x0 + 1, width_);
    int y0 = wrap(static_cast<int>(fy), height_), y1 = wrap(y0 + 1, height_);
    Rgb top = Lerp(At(x0, y0), At(x1, y0), tx);
    Rgb bottom = Lerp(At(x0, y1), At(x1, y1), tx);
    return Lerp(top, bottom, ty);
}

void Image::Blend(int x, int y, Rgb colour, float alpha, bool wrap) {
    if (!wrap && (x < 0 || y < 0 || x >= width_ || y >= height_)) return;
    Rgb& p = wrap ? Wrapped(x, y) : At(x, y);
    p = Lerp(p, colour, alpha);
}

void Image::Add(int x, int y, Rgb colour, bool wrap) {
    if (!wrap && (x < 0 || y < 0 || x >= width_ || y >= height_)) return;
    Rgb& p = wrap ? Wrapped(x, y) : At(x, y);
    p = p + colour;
}

void Image::AddGlow(float cx, float cy, float sigma, Rgb colour, bool wrap) {
    int reach = static_cast<int>(std::ceil(sigma * 3.0f));
    int x0 = static_cast<int>(std::floor(cx)) - reach, y0 = static_cast<int>(std::floor(cy)) - reach;
    float inv = 1.0f / (2.0f * sigma * sigma);
    for (int y = y0; y <= y0 + 2 * reach + 1; ++y) {
        for (int x = x0; x <= x0 + 2 * reach + 1; ++x) {
            float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
            float w = std::exp(-(dx * dx + dy * dy) * inv);
            if (w > 0.002f) Add(x, y, colour * w, wrap);
        }
    }
}

void Image::Line(float x0, float y0, float x1, float y1, float width, Rgb colour, float alpha) {
    float half = width * 0.5f;
    int minX = static_cast<int>(std::floor(std::min(x0, x1) - half - 1));
    int maxX = static_cast<int>(std::ceil(std::max(x0, x1) + half + 1));
    int minY = static_cast<int>(std::floor(std::min(y0, y1) - half - 1));
    int maxY = static_cast<int>(std::ceil(std::max(y0, y1) + half + 1));
    float dx = x1 - x0, dy = y1 - y0;
    float len2 = std::max(dx * dx + dy * dy, 1e-6f);
    for (int y = std::max(minY, 0); y <= std::min(maxY, height_ - 1); ++y) {
        for (int x = std::max(minX, 0); x <= std::min(maxX, width_ - 1); ++x) {
            float px = x + 0.5f - x0, py = y + 0.5f - y0;
            float t = std::clamp((px * dx + py * dy) / len2, 0.0f, 1.0f);
            float d = std::hypot(px - t * dx, py - t * dy);
            float cover = std::clamp(half + 0.5f - d, 0.0f, 1.0f);
            if (cover > 0) Blend(x, y, colour, cover * alpha);
        }
    }
}

void Image::Paste(const Image& other, int x, int y) {
    for (int j = 0; j < other.height_; ++j) {
        for (int i = 0; i < other.width_; ++i) {
            int tx = x + i, ty = y + j;
            if (tx >= 0 && ty >= 0 && tx < width_ && ty < height_) At(tx, ty) = other.At(i, j);
        }
    }
}

Image Image::Resized(int width, int height) const {
    Image out(width, height);
    for (int y = 0; y < height; ++y) {
        int sy0 = y * height_ / height, sy1 = std::max(sy0 + 1, (y + 1) * height_ / height);
        for (int x = 0; x < width; ++x) {
            int sx0 = x * width_ / width, sx1 = std::max(sx0 + 1, (x + 1) * width_ / width);
            Rgb sum;
            for (int sy = sy0; sy < sy1; ++sy)
                for (int sx = sx0; sx < sx1; ++sx) sum = sum + At(sx, sy);
            out.At(x, y) = sum * (1.0f / static_cast<float>((sx1 - sx0) * (sy1 - sy0)));
        }
    }
    return out;
}

Image Image::Blurred(float sigma, bool wrap) const {
    int reach = std::max(1, static_cast<int>(std::ceil(sigma * 3.0f)));
    std::vector<float> kernel(2 * reach + 1);
    float total = 0;
    for (int i = -reach; i <= reach; ++i) total += kernel[i + reach] = std::exp(-(i * i) / (2.0f * sigma * sigma));
    for (float& k : kernel) k /= total;
    auto pass = [&](const Image& src, bool horizontal) {
        Image dst(width_, height_);
        int n = horizontal ? width_ : height_;
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                Rgb sum;
                for (int i = -reach; i <= reach; ++i) {
                    int c = (horizontal ? x : y) + i;
                    if (wrap) {
                        c = ((c % n) + n) % n;
                    } else {
                        c = std::clamp(c, 0, n - 1);
                    }
                    sum = sum + (horizontal ? src.At(c, y) : src.At(x, c)) * kernel[i + reach];
                }
                dst.At(x, y) = sum;
            }
        }
        return dst;
    };
    return pass(pass(*this, true), false);
}

std::vector<uint8_t> Image::ToRgb8() const {
    std::vector<uint8_t> out(pixels_.size() * 3);
    auto q = [](float v) { return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); };
    for (size_t i = 0; i < pixels_.size(); ++i) {
        out[3 * i] = q(pixels_[i].r);
        out[3 * i + 1] = q(pixels_[i].g);
        out[3 * i + 2] = q(pixels_[i].b);
    }
    return out;
}

void AddStars(Image& image, int count, uint32_t seed, float brightness) {
    Rng rng(seed);
    for (int i = 0; i < count; ++i) {
        float x = static_cast<float>(rng.Uniform() * image.Width());
        float y = static_cast<float>(rng.Uniform() * image.Height());
        float b = brightness * static_cast<float>(std::pow(rng.Uniform(), 6.0));
        float tint = static_cast<float>(rng.Uniform());
        Rgb colour = tint < 0.3f    ? Rgb{0.75f, 0.85f, 1.0f}
                     : tint < 0.85f ? Rgb{1.0f, 1.0f, 0.97f}
                                    : Rgb{1.0f, 0.85f, 0.65f};
        float sigma = 0.45f + 0.9f * b;
        image.AddGlow(x, y, sigma, colour * (0.25f + 1.6f * b), true);
        if (b > 0.55f) {
            // Bright stars get a faint cross.
            for (int k = 2; k < 6 + static_cast<int>(b * 8); ++k) {
                float f = b * 0.5f / k;
                image.Add(static_cast<int>(x) + k, static_cast<int>(y), colour * f, true);
                image.Add(static_cast<int>(x) - k, static_cast<int>(y), colour * f, true);
                image.Add(static_cast<int>(x), static_cast<int>(y) + k, colour * f, true);
                image.Add(static_cast<int>(x), static_cast<int>(y) - k, colour * f, true);
            }
        }
    }
}

}  // namespace contentgen
