#include "preview.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "lettering.h"
#include "names.h"

namespace content {
namespace {

using namespace contentgen;

constexpr int kSheetWidth = 1600;

struct Placement {
    const char* mesh;
    float x, y;
    float radius;  // world radius the game gives it; 0: the ship's 0.2 scale
    float turn;    // a tumble about a tilted axis, radians
};

Affine Placed(const Mesh& mesh, float x, float y, float radius, float turn) {
    Bounds b = mesh.ComputeBounds();
    float s = radius > 0 ? radius / b.radius : 0.2f;
    Affine spin = Affine::RotateY(turn).After(Affine::RotateX(turn * 0.6f));
    return Affine::Translate({x, y, 0}).After(Affine::Scale(s, s, s)).After(spin).After(Affine::Translate(-b.centre));
}

void Label(Image& sheet, const Lettering& font, const std::string& text, int x, int y, Rgb colour, int size = 14) {
    Image mask = font.Render(text, size);
    PaintMask(sheet, mask, x, y, [&](int, int) { return colour; });
}

// The game's view at 800 x 600: a background, objects at play size, the
// head-up panel with sample text where the game prints it.
Image MockFrame(const Workshop& shop, const Lettering& serif) {
    Raster raster(800, 600, 2);
    raster.SetView(-20, -20, 20, 20);
    auto back = shop.files.find(kBackgroundNames[2]);
    if (back != shop.files.end()) {
        raster.SetBackground(DecodeJpeg(back->second));
    } else {
        raster.Clear({0.02f, 0.02f, 0.05f});
    }
    const Placement scene[] = {
        {"asteroid1.x", -9, 3, 5, 0.0f},  {"asteroid3.x", 10, 8, 3.125f, 0.7f}, {"asteroid5.x", 6, -10, 1.95f, 1.3f},
        {"invader1.x", -14, -6, 2, 0},    {"invader2.x", -9, -6, 2, 0},         {"invader3.x", -4, -6, 2, 0},
        {"ufo.x", 14, -3, 1.5f, 0},       {"mpowerup.x", -15, -14, 1, 0},       {"starpowerup.x", -11, -14, 1, 0},
        {"hullpowerup.x", -7, -14, 1, 0}, {"shippowerup.x", -3, -14, 1, 0},     {"shieldpowerup.x", 1, -14, 1, 0},
        {"missile.x", 0, 6, 0.5f, 0},     {"ufomissile.x", 12, -8, 0.5f, 0},    {"ship.x", 0, 0, 0, 0},
        {"spree2.x", 15, 15, 2, 0.3f},    {"dogtoy.x", -16, 12, 2, 0.4f},
    };
    for (const Placement& p : scene) {
        const Mesh& mesh = shop.meshes.at(p.mesh);
        raster.Draw(mesh, Placed(mesh, p.x, p.y, p.radius, p.turn), shop.Textures());
    }
    // The panel at half size from the top-left corner, bars 70% and 40%.
    const Affine panel = Affine::Translate({-20, 20, 0}).After(Affine::Scale(0.5f, 0.5f, 0.5f));
    raster.Draw(shop.meshes.at("status.x"), panel, shop.Textures());
    const Mesh& bar = shop.meshes.at("hullstatus.x");
    raster.Draw(bar, panel.After(Affine::Translate({3.94f, -1.81f, 0})).After(Affine::Scale(3.5f, 1, 1)),
                shop.Textures());
    raster.Draw(bar, panel.After(Affine::Translate({3.94f, -5.03f, 0})).After(Affine::Scale(2.0f, 1, 1)),
                shop.Textures());
    Image frame = raster.Resolve();
    const Rgb black{0, 0, 0};
    Label(frame, serif, " 3", 130, 5, black, 21);
    Label(frame, serif, "001234", 180, 5, black, 21);
    Label(frame, serif, "07", 130, 25, black, 21);
    Label(frame, serif, "Wave: 12", 180, 25, black, 21);
    Label(frame, serif, "FPS:  58  41  62", 280, 25, {1, 1, 1}, 21);
    return frame;
}

}  // namespace

Bytes PreviewSheet(const Workshop& shop) {
    Lettering sans("Liberation Sans");
    Lettering serif("Liberation Serif");
    const int cell = 160, perRow = kSheetWidth / cell;
    const int meshRows = (static_cast<int>(shop.meshes.size()) + perRow - 1) / perRow;
    const int pictureRows = 2;
    const int height = 620 + meshRows * (cell + 20) + 150 + 130 + pictureRows * 150 + 2 * 580;
    Image sheet(kSheetWidth, height, {0.12f, 0.12f, 0.14f});

    sheet.Paste(MockFrame(shop, serif), 0, 0);
    // The panel close up: the top-left 16 x 8 world units at 50 px a unit.
    {
        Raster raster(800, 400, 2);
        raster.SetView(-20, 12, -4, 20);
        raster.Clear({0.05f, 0.05f, 0.1f});
        const Affine panel = Affine::Translate({-20, 20, 0}).After(Affine::Scale(0.5f, 0.5f, 0.5f));
        raster.Draw(shop.meshes.at("status.x"), panel, shop.Textures());
        raster.Draw(shop.meshes.at("hullstatus.x"),
                    panel.After(Affine::Translate({3.94f, -1.81f, 0})).After(Affine::Scale(5.0f, 1, 1)),
                    shop.Textures());
        sheet.Paste(raster.Resolve(), 800, 0);
        Label(sheet, sans, "status.x + hullstatus.x (full bar), top-left 16 x 8 units", 810, 405, {1, 1, 1});
    }

    int y = 620;
    int i = 0;
    for (const auto& [name, mesh] : shop.meshes) {
        int x = (i % perRow) * cell, top = y + (i / perRow) * (cell + 20);
        Raster raster(cell, cell, 3);
        raster.SetView(-1.15f, -1.15f, 1.15f, 1.15f);
        raster.Clear({0.03f, 0.03f, 0.06f});
        raster.Draw(mesh, Placed(mesh, 0, 0, 1.0f, 0.0f), shop.Textures());
        sheet.Paste(raster.Resolve(), x, top);
        Label(sheet, sans, name + " " + std::to_string(mesh.Faces().size()), x + 4, top + cell + 2, {1, 1, 1}, 13);
        ++i;
    }
    y += meshRows * (cell + 20);

    i = 0;
    for (const auto& [name, picture] : shop.textures) {
        if (name.rfind("eexplo", 0) == 0) continue;
        sheet.Paste(picture.Resized(128, 128), 8 + i * 140, y);
        Label(sheet, sans, name, 8 + i * 140, y + 130, {1, 1, 1}, 12);
        ++i;
    }
    y += 150;
    for (int f = 1; f <= kExplosionFrames; ++f) {
        auto it = shop.textures.find(ExplosionFrameName(f));
        if (it == shop.textures.end()) continue;
        sheet.Paste(it->second.Resized(96, 96), 4 + (f - 1) * 100, y);
    }
    y += 130;

    i = 0;
    for (const auto& [name, bytes] : shop.files) {
        if (name.rfind("backs\\", 0) != 0) continue;
        Image picture = DecodeJpeg(bytes);
        int w = picture.Width() * 128 / picture.Height();
        int x = 8 + (i % 11) * 144, top = y + (i / 11) * 150;
        sheet.Paste(picture.Resized(std::min(w, 136), 128), x, top);
        Label(sheet, sans, name.substr(6), x, top + 130, {1, 1, 1}, 12);
        ++i;
    }
    y += pictureRows * 150;
    i = 0;
    for (const std::string& name : kCartNames) {
        auto it = shop.files.find(name);
        if (it == shop.files.end()) continue;
        sheet.Paste(DecodeJpeg(it->second), 8 + (i % 3) * 480, y + (i / 3) * 580);
        ++i;
    }
    return EncodePng(sheet);
}

}  // namespace content
