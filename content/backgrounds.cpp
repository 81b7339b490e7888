// The space pictures behind the play area: eighteen wave backgrounds and
// the second game's picture (seamless both ways, since the scrolling modes
// wrap them) and the starfield (taller than wide: the game shows its upper
// half stretched over the square view, so its stars stay round).
#include <functional>

#include "names.h"
#include "space_art.h"
#include "workshop.h"

namespace content {
namespace {

using contentgen::AddStars;
using contentgen::Hex;

constexpr int kSize = 512;

struct Scene {
    const char* name;
    std::function<void(Image&)> paint;
};

NebulaLook Nebula(uint32_t seed, int scale, uint32_t first, uint32_t second, float brightness, float dust) {
    return {seed, scale, Hex(first), Hex(second), brightness, dust};
}

// Stars first, so that planets hide the ones behind them.
Image Paint(const std::function<void(Image&)>& paint, int stars, uint32_t seed) {
    Image image(kSize, kSize, {0.008f, 0.008f, 0.02f});
    AddStars(image, stars, seed, 1.0f);
    paint(image);
    return image;
}

}  // namespace

void BuildBackgrounds(Workshop& shop) {
    const Scene scenes[] = {
        {"backs\\back1.jpg", [](Image& i) { PaintNebula(i, Nebula(1, 3, 0x2848C0, 0x8030B0, 0.55f, 0.4f)); }},
        {"backs\\back2.jpg", [](Image& i) { PaintNebula(i, Nebula(2, 3, 0xC03010, 0xE09030, 0.5f, 0.6f)); }},
        {"backs\\back3.jpg",
         [](Image& i) {
             PaintNebula(i, Nebula(3, 2, 0x203060, 0x402050, 0.25f, 0.0f));
             PaintPlanet(i, {330, 200, 70, Hex(0xE8C890), Hex(0x9A6A40), 3, 7.0f, true});
         }},
        {"backs\\back4.jpg", [](Image& i) { PaintNebula(i, Nebula(4, 4, 0x20A080, 0x1860A0, 0.5f, 0.7f)); }},
        {"backs\\back5.jpg",
         [](Image& i) {
             PaintNebula(i, Nebula(5, 2, 0x182040, 0x301838, 0.2f, 0.0f));
             PaintGalaxy(i, {256, 256, 150, 0.25f, 0.6f, 2, Hex(0xFFE8C0), Hex(0x8098FF), 5});
         }},
        {"backs\\back6.jpg",
         [](Image& i) {
             PaintNebula(i, Nebula(6, 2, 0x303848, 0x403830, 0.35f, 0.8f));
             contentgen::AddStars(i, 2500, 66, 0.45f);
         }},
        {"backs\\back8.jpg",
         [](Image& i) {
             PaintNebula(i, Nebula(8, 3, 0x101830, 0x201020, 0.2f, 0.0f));
             PaintPlanet(i, {180, 300, 95, Hex(0xB8B0A8), Hex(0x505050), 8, 0.0f, false});
         }},
        {"backs\\back9.jpg", [](Image& i) { PaintNebula(i, Nebula(9, 3, 0xC02090, 0x3040D0, 0.55f, 0.5f)); }},
        {"backs\\back10.jpg",
         [](Image& i) {
             PaintNebula(i, Nebula(10, 2, 0x102040, 0x201030, 0.2f, 0.0f));
             PaintGalaxy(i, {256, 256, 190, 0.82f, -0.35f, 2, Hex(0xFFE0B0), Hex(0xC0C8FF), 10});
         }},
        {"backs\\back11.jpg",
         [](Image& i) {
             PaintNebula(i, Nebula(11, 3, 0x183060, 0x104050, 0.3f, 0.3f));
             PaintPlanet(i, {300, 330, 80, Hex(0xC0E8FF), Hex(0x3060A0), 11, 5.0f, false});
         }},
        {"backs\\back13.jpg", [](Image& i) { PaintNebula(i, Nebula(13, 3, 0xC08020, 0x804010, 0.5f, 0.5f)); }},
        {"backs\\back14.jpg",
         [](Image& i) {
             PaintGalaxy(i, {150, 160, 80, 0.4f, 1.0f, 2, Hex(0xFFF0D0), Hex(0x90A0FF), 14});
             PaintGalaxy(i, {380, 360, 60, 0.6f, -0.8f, 3, Hex(0xFFE0C0), Hex(0xFFA0C0), 15});
             contentgen::AddStars(i, 900, 141, 0.6f);
         }},
        {"backs\\back15.jpg",
         [](Image& i) {
             PaintNebula(i, Nebula(15, 3, 0xA02010, 0x501060, 0.45f, 0.4f));
             PaintGlow(i, 200, 300, 40, Hex(0xFF6030) * 0.6f);
         }},
        {"backs\\back16.jpg", [](Image& i) { PaintNebula(i, Nebula(16, 5, 0x1040C0, 0x40A0E0, 0.5f, 0.8f)); }},
        {"backs\\back17.jpg",
         [](Image& i) {
             PaintNebula(i, Nebula(17, 2, 0x103020, 0x102838, 0.25f, 0.0f));
             PaintPlanet(i, {240, 250, 100, Hex(0xA8E090), Hex(0x407048), 17, 4.0f, false});
             PaintPlanet(i, {400, 120, 22, Hex(0xD0D0D0), Hex(0x606060), 18, 0.0f, false});
         }},
        {"backs\\back19.jpg",
         [](Image& i) {
             PaintNebula(i, Nebula(19, 3, 0x7030C0, 0x2020A0, 0.45f, 0.5f));
             PaintGlow(i, 300, 220, 18, Hex(0xC0D0FF) * 0.5f);
             contentgen::AddStars(i, 400, 191, 0.8f);
         }},
        {"backs\\back22.jpg",
         [](Image& i) {
             PaintNebula(i, Nebula(22, 4, 0x208060, 0xA03070, 0.35f, 0.6f));
             PaintGalaxy(i, {120, 380, 50, 0.5f, 0.3f, 2, Hex(0xFFE8D0), Hex(0xA0B0FF), 22});
         }},
        {"backs\\back23.jpg",
         [](Image& i) {
             PaintNebula(i, Nebula(23, 2, 0x181828, 0x281818, 0.2f, 0.0f));
             PaintPlanet(i, {340, 330, 120, Hex(0xF0A050), Hex(0x803010), 23, 6.0f, false});
         }},
    };
    uint32_t seed = 700;
    for (const Scene& scene : scenes)
        shop.AddFile(scene.name, contentgen::EncodeJpeg(Paint(scene.paint, 700, ++seed), 88));

    Image starfield(kSize, 2 * kSize, {0.005f, 0.005f, 0.015f});
    PaintNebula(starfield, Nebula(40, 2, 0x101830, 0x181020, 0.15f, 0.0f));
    AddStars(starfield, 1400, 41, 0.8f);  // dimmer: the variants' small rocks and pods go over it
    shop.AddFile(kStarfieldName, contentgen::EncodeJpeg(starfield, 88));

    Image storm = Paint([](Image& i) { PaintNebula(i, Nebula(50, 3, 0xB02040, 0x402090, 0.45f, 0.5f)); }, 600, 51);
    PaintStreaks(storm, 40, 52, Hex(0xC0E0FF));
    shop.AddFile(kShardstormBackName, contentgen::EncodeJpeg(storm, 88));
}

}  // namespace content
