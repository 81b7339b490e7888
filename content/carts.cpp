// The launcher's cartridge pictures, 466 x 569: each game's title lettered
// over art in that game's style, drawn with the generated models. The
// launcher's buttons cover the band from y 462 to 527, kept plain.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "lettering.h"
#include "names.h"
#include "space_art.h"
#include "workshop.h"

namespace content {
namespace {

using namespace contentgen;

constexpr int kWidth = 466, kHeight = 569;
constexpr float kHalfW = 20.0f, kHalfH = 20.0f * kHeight / kWidth;  // world units across the picture

struct Prop {
    const char* mesh;
    float x, y, radius;  // world radius
    float yaw, pitch;
};

Affine Placed(const Mesh& mesh, const Prop& p) {
    Bounds b = mesh.ComputeBounds();
    float s = p.radius / b.radius;
    return Affine::Translate({p.x, p.y, 0})
        .After(Affine::Scale(s, s, s))
        .After(Affine::RotateX(p.pitch))
        .After(Affine::RotateY(p.yaw))
        .After(Affine::Translate(-b.centre));
}

Raster Scene(const Workshop& shop, const Image& backdrop, const std::vector<Prop>& props) {
    Raster raster(kWidth, kHeight, 2);
    raster.SetView(-kHalfW, -kHalfH, kHalfW, kHalfH);
    raster.SetBackground(backdrop);
    for (const Prop& p : props) raster.Draw(shop.meshes.at(p.mesh), Placed(shop.meshes.at(p.mesh), p), shop.Textures());
    return raster;
}

// Pixel position of a world point.
float PixelX(float x) { return (x + kHalfW) / (2 * kHalfW) * kWidth; }
float PixelY(float y) { return (kHalfH - y) / (2 * kHalfH) * kHeight; }

Image Space(uint32_t seed, uint32_t first, uint32_t second, float brightness) {
    Image image(kWidth, kHeight, {0.01f, 0.01f, 0.025f});
    PaintNebula(image, {seed, 3, Hex(first), Hex(second), brightness, 0.5f});
    AddStars(image, 500, seed + 1, 1.0f);
    return image;
}

// Darkens the bottom band under the launcher's buttons and frames the picture.
void Finish(Image& image, Rgb frame) {
    for (int y = 0; y < kHeight; ++y) {
        float shade = std::clamp((y - 430) / 60.0f, 0.0f, 0.65f);
        for (int x = 0; x < kWidth; ++x) {
            image.At(x, y) = image.At(x, y) * (1.0f - shade);
            int edge = std::min({x, y, kWidth - 1 - x, kHeight - 1 - y});
            if (edge < 6) image.At(x, y) = frame * (edge < 2 ? 0.5f : 1.0f);
        }
    }
}

struct TitleStyle {
    const char* font;
    Rgb top, bottom, outline;
    float glow;  // 0: a drop shadow instead of a glow
};

// One line of lettering, centred at y, shrunk to fit the width.
void Title(Image& image, const std::string& text, int y, int size, const TitleStyle& style) {
    Lettering font(style.font);
    Image mask = font.Render(text, size, 10);
    while (mask.Width() > kWidth - 30 && size > 12) mask = font.Render(text, size -= 2, 10);
    const int x = (kWidth - mask.Width()) / 2;
    Image rim = DilateMask(mask, std::max(2, size / 18));
    if (style.glow > 0) {
        Image halo = DilateMask(mask, size / 8).Blurred(size / 6.0f, false);
        for (int j = 0; j < halo.Height(); ++j)
            for (int i = 0; i < halo.Width(); ++i)
                image.Add(x + i, y + j, style.outline * (halo.At(i, j).r * style.glow));
    } else {
        PaintMask(
            image, rim.Blurred(3.0f, false), x + 4, y + 5, [](int, int) { return Rgb{}; }, 0.8f);
    }
    PaintMask(image, rim, x, y, [&](int, int) { return style.outline; });
    const float top = static_cast<float>(y + 10), height = static_cast<float>(mask.Height() - 20);
    PaintMask(image, mask, x, y,
              [&](int, int py) { return Lerp(style.top, style.bottom, std::clamp((py - top) / height, 0.0f, 1.0f)); });
}

// Only the outline of a title: the glowing edge of the letters.
void OutlineTitle(Image& image, const std::string& text, int y, int size, Rgb colour) {
    Lettering font("Liberation Sans:bold");
    Image mask = font.Render(text, size, 14);
    while (mask.Width() > kWidth - 30 && size > 12) mask = font.Render(text, size -= 2, 14);
    const int x = (kWidth - mask.Width()) / 2;
    Image ring = DilateMask(mask, 2);
    for (int j = 0; j < ring.Height(); ++j)
        for (int i = 0; i < ring.Width(); ++i) {
            float v = std::max(0.0f, ring.At(i, j).r - mask.At(i, j).r);
            ring.At(i, j) = {v, v, v};
        }
    Image glow = ring.Blurred(4.0f, false);
    for (int j = 0; j < ring.Height(); ++j)
        for (int i = 0; i < ring.Width(); ++i)
            image.Add(x + i, y + j, colour * (ring.At(i, j).r * 1.2f + glow.At(i, j).r * 2.2f));
}

void Subtitle(Image& image, const std::string& text, int y, Rgb colour) {
    Lettering font("Liberation Sans:bold");
    Image mask = font.Render(text, 16, 2, 3.0f);
    PaintMask(image, mask, (kWidth - mask.Width()) / 2, y, [&](int, int) { return colour; });
}

void AddBlast(Image& image, float x, float y, float size) {
    PaintGlow(image, PixelX(x), PixelY(y), size, Hex(0xFF8020) * 0.8f);
    image.AddGlow(PixelX(x), PixelY(y), size * 0.35f, Hex(0xFFF0C0), false);
}

void AddShot(Image& image, float x0, float y0, float x1, float y1, Rgb colour) {
    image.Line(PixelX(x0), PixelY(y0), PixelX(x1), PixelY(y1), 5.0f, colour * 0.4f, 0.6f);
    image.Line(PixelX(x0), PixelY(y0), PixelX(x1), PixelY(y1), 2.0f, Lerp(colour, Rgb{1, 1, 1}, 0.6f));
}

Image MeteorMarshal(const Workshop& shop) {
    Image image = Scene(shop, Space(300, 0x3050D0, 0xA03090, 0.55f),
                        {{"asteroid1.x", -9, -3, 6.5f, 0.4f, 0.3f},
                         {"asteroid4.x", 10, -4, 4.5f, 1.2f, 0.5f},
                         {"asteroid3.x", 13, 3, 2.5f, 2.0f, 0.1f},
                         {"asteroid2.x", -14, -12, 2.6f, 0.7f, 1.1f},
                         {"ship.x", 0, -12, 2.6f, 0, 0.35f}})
                      .Resolve();
    AddShot(image, 0, -9.5f, 5.2f, -5.0f, Hex(0x60E0FF));
    AddShot(image, 0, -9.5f, -3.5f, -4.0f, Hex(0x60E0FF));
    AddBlast(image, 6.2f, -4.5f, 14);
    Subtitle(image, "ROCKPILE ARCADE", 18, Hex(0xC0D0FF));
    Title(image, "METEOR", 40, 84, {"Liberation Sans:bold", Hex(0xFFF4C0), Hex(0xFF8010), Hex(0x401000), 0});
    Title(image, "MARSHAL", 120, 84, {"Liberation Sans:bold", Hex(0xFFF4C0), Hex(0xFF8010), Hex(0x401000), 0});
    Finish(image, Hex(0xC08030));
    return image;
}

Image MeteorMarshalNew(const Workshop& shop) {
    Image backdrop = Space(310, 0x20A080, 0x2040B0, 0.45f);
    PaintPlanet(backdrop, {330, 330, 80, Hex(0xF0B060), Hex(0x804020), 311, 6.0f, true});
    Image image = Scene(shop, backdrop,
                        {{"basestar.x", -9, -1, 5, 0.3f, 0.2f},
                         {"ufo.x", 11, 1, 2.4f, 0.2f, 0.25f},
                         {"asteroid5.x", -13, -11, 3, 0.5f, 0.8f},
                         {"asteroid2.x", 13, -9, 2.4f, 1.5f, 0.2f},
                         {"starpowerup.x", 1, -4, 1.3f, 0.3f, 0.3f},
                         {"ship.x", 2, -12, 2.6f, 0, 0.35f}})
                      .Resolve();
    AddShot(image, 2, -9.5f, 11.0f, -0.5f, Hex(0x60E0FF));
    AddShot(image, -6.0f, -4.0f, 0.0f, -10.5f, Hex(0xFF5020));
    Subtitle(image, "ROCKPILE ARCADE", 18, Hex(0xD0FFE0));
    Title(image, "METEOR", 40, 84, {"Liberation Sans:bold", Hex(0xE0FFFF), Hex(0x20A0E0), Hex(0x002040), 0});
    Title(image, "MARSHAL", 120, 84, {"Liberation Sans:bold", Hex(0xE0FFFF), Hex(0x20A0E0), Hex(0x002040), 0});
    Finish(image, Hex(0x30A0C0));
    return image;
}

Image DriftrockRetro(const Workshop& shop) {
    Image black(kWidth, kHeight);
    Raster raster = Scene(shop, black,
                          {{"asteroid1.x", -9, -3, 6, 0, 0},
                           {"asteroid3.x", 10, 0, 3.8f, 0, 0},
                           {"asteroid4.x", 11, -10, 2.4f, 0, 0},
                           {"asteroid2.x", -13, -12.5f, 1.8f, 0, 0},
                           {"asteroid5.x", 3, -4, 1.4f, 0, 0},
                           {"ufo.x", -1, 3, 1.8f, 0, 0.2f},
                           {"ship.x", 0, -13, 2.2f, 0, 0}});
    Image edges = raster.SilhouetteMask();
    Image glow = edges.Blurred(2.5f, false);
    const Rgb cyan{0.0f, 0.9f, 0.95f};
    Image image(kWidth, kHeight, {0.0f, 0.0f, 0.02f});
    AddStars(image, 120, 320, 0.5f);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            image.At(x, y) = image.At(x, y) + cyan * std::min(1.0f, edges.At(x, y).r * 2.5f + glow.At(x, y).r * 3.0f);
    image.Line(PixelX(0), PixelY(-10.5f), PixelX(0), PixelY(-6.0f), 1.5f, cyan);
    Subtitle(image, "ROCKPILE ARCADE", 18, cyan * 0.8f);
    OutlineTitle(image, "DRIFTROCK", 40, 92, cyan);
    OutlineTitle(image, "RETRO", 126, 92, cyan);
    Finish(image, cyan * 0.6f);
    return image;
}

Image DriftrockClassic(const Workshop& shop) {
    Image image = Scene(shop, Space(330, 0x303860, 0x503040, 0.3f),
                        {{"asteroid2.x", -9, -3, 5, 0.2f, 0.3f},
                         {"asteroid4.x", 9, 0, 3.1f, 1.0f, 0.4f},
                         {"asteroid4.x", 13, -4, 1.95f, 2.0f, 0.9f},
                         {"asteroid1.x", -5, -11, 1.95f, 0.6f, 0.1f},
                         {"asteroid3.x", 8, -9, 2.6f, 1.3f, 1.0f},
                         {"ship.x", -1, -13, 2.4f, 0, 0.3f}})
                      .Resolve();
    AddShot(image, -1, -10.8f, 6.0f, -8.5f, Hex(0xFFFFFF));
    AddBlast(image, 11.5f, -2.2f, 10);
    Subtitle(image, "ROCKPILE ARCADE", 18, Hex(0xE0E0E0));
    Title(image, "DRIFTROCK", 40, 80, {"Liberation Serif:bold", Hex(0xFFFFFF), Hex(0xB0B8C8), Hex(0x202838), 0});
    Title(image, "CLASSIC", 118, 64, {"Liberation Serif:bold", Hex(0xFFE080), Hex(0xD09020), Hex(0x302000), 0});
    Finish(image, Hex(0xA0A8B8));
    return image;
}

Image Shardstorm(const Workshop& shop) {
    Image backdrop = Space(340, 0xB02040, 0x402090, 0.5f);
    PaintStreaks(backdrop, 60, 341, Hex(0xC0E0FF));
    Image image = Scene(shop, backdrop,
                        {{"asteroid4.x", -10, 0, 3.5f, 0.3f, 0.3f},
                         {"asteroid1.x", 8, -1, 4.5f, 1.0f, 0.7f},
                         {"asteroid5.x", -3, -5, 2.2f, 0.5f, 0.2f},
                         {"spinner.x", 13, -9, 2.2f, 0, 1.35f},
                         {"spike2.x", -13, -9, 1.5f, 0.4f, 0.4f},
                         {"ship2.x", 0, -13, 2.6f, 0, 0.3f}})
                      .Resolve();
    AddShot(image, -1.3f, -10.5f, -2.6f, -3.5f, Hex(0xFFE040));
    AddShot(image, 1.3f, -10.5f, 5.5f, -2.0f, Hex(0xFFE040));
    AddBlast(image, 5.5f, -1.5f, 12);
    Subtitle(image, "ROCKPILE ARCADE", 18, Hex(0xFFC0D0));
    Title(image, "SHARDSTORM", 60, 78,
          {"Liberation Sans:bold:italic", Hex(0xFFFFFF), Hex(0xFF3070), Hex(0x400010), 0.8f});
    Finish(image, Hex(0xD03060));
    return image;
}

}  // namespace

void BuildCarts(Workshop& shop) {
    shop.AddFile("carts\\marshalcart.jpg", EncodeJpeg(MeteorMarshal(shop), 92, true));
    shop.AddFile("carts\\marshalcart2.jpg", EncodeJpeg(MeteorMarshalNew(shop), 92, true));
    shop.AddFile("carts\\retrocart.jpg", EncodeJpeg(DriftrockRetro(shop), 92, true));
    shop.AddFile("carts\\classiccart.jpg", EncodeJpeg(DriftrockClassic(shop), 92, true));
    shop.AddFile("carts\\shardstormcart2.jpg", EncodeJpeg(Shardstorm(shop), 92, true));
}

}  // namespace content
