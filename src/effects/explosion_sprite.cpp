// The explosion sprite: its quad, its frame textures and their alpha.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include "effects/explode.h"
#include "gamelib/texman.h"
#include "platform/resources.h"

namespace {

constexpr int kFrames = 16;
constexpr D3DCOLOR kColourKey = 0xFF000000;
constexpr uint32_t kAlphaUnvisited = 0xC0;
constexpr uint32_t kAlphaEdge = 0x20;
constexpr int kBrightness = 120;

uint32_t Alpha(uint32_t pixel) { return pixel >> 24; }
void SetAlpha(uint32_t& pixel, uint32_t alpha) { pixel = (pixel & 0x00FFFFFFu) | (alpha << 24); }

int Brightness(uint32_t pixel) {
    int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
    return static_cast<int>(std::sqrt(static_cast<double>(r * r + g * g + b * b)));
}

void FillLevel(uint32_t* bits, uint32_t rowWords, uint32_t width, uint32_t height) {
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) SetAlpha(bits[y * rowWords + x], kAlphaUnvisited);

    // Every pixel is pushed at most once, so the stack never exceeds the level.
    std::vector<std::pair<uint32_t, uint32_t>> stack;
    stack.reserve(std::min<size_t>(static_cast<size_t>(width) * height, 65536));
    SetAlpha(bits[0], 0);
    stack.emplace_back(0, 0);
    auto visit = [&](uint32_t x, uint32_t y) {
        uint32_t& pixel = bits[y * rowWords + x];
        if (Alpha(pixel) != kAlphaUnvisited) return;
        if (Brightness(pixel) >= kBrightness) {
            SetAlpha(pixel, kAlphaEdge);
            return;
        }
        SetAlpha(pixel, 0);
        stack.emplace_back(x, y);
    };
    while (!stack.empty()) {
        auto [x, y] = stack.back();
        stack.pop_back();
        if (x < width - 1) visit(x + 1, y);
        if (x > 0) visit(x - 1, y);
        if (y < height - 1) visit(x, y + 1);
        if (y > 0) visit(x, y - 1);
    }
}

}  // namespace

void MakeSpriteAlpha(Texture* texture) {
    if (!texture || texture->BytesPerTexel() != 4) return;
    for (uint32_t level = 0; level < texture->GetLevelCount(); ++level) {
        D3DSURFACE_DESC desc;
        if (FAILED(texture->GetLevelDesc(level, &desc)) || desc.Width == 0 || desc.Height == 0) continue;
        D3DLOCKED_RECT locked;
        if (FAILED(texture->LockRect(level, &locked, 0))) continue;
        FillLevel(static_cast<uint32_t*>(locked.pBits), static_cast<uint32_t>(locked.Pitch) / 4, desc.Width,
                  desc.Height);
        texture->UnlockRect(level);
    }
}

std::unique_ptr<Texture> MakeFrameAtlas(const TMesh& sprite) {
    const int frames = sprite.numTextures;
    if (frames <= 0 || frames > MAX_MAT_PER_MESH) return nullptr;
    const Texture* first = sprite.textures[0] ? sprite.textures[0]->texture : nullptr;
    if (!first || first->BytesPerTexel() != 4) return nullptr;
    for (int f = 0; f < frames; ++f) {
        const Texture* t = sprite.textures[f] ? sprite.textures[f]->texture : nullptr;
        if (!t || t->Format() != first->Format() || t->Width() != first->Width() ||
            t->Height() != first->Height() || t->GetLevelCount() != first->GetLevelCount())
            return nullptr;
    }
    const uint32_t columns = FRAME_ATLAS_COLUMNS, rows = (frames + columns - 1) / columns;
    auto atlas = std::make_unique<Texture>(first->Width() * columns, first->Height() * rows,
                                           first->GetLevelCount(), first->Format());
    for (uint32_t level = 0; level < first->GetLevelCount(); ++level) {
        const uint32_t w = first->Width(level), h = first->Height(level);
        uint8_t* to = atlas->MutableBits(level);
        const size_t pitch = size_t{atlas->Width(level)} * 4;
        for (int f = 0; f < frames; ++f) {
            const uint8_t* from = sprite.textures[f]->texture->Bits(level);
            const size_t x = (f % columns) * w, y = (f / columns) * h;
            for (uint32_t row = 0; row < h; ++row)
                std::memcpy(to + (y + row) * pitch + x * 4, from + size_t{row} * w * 4, size_t{w} * 4);
        }
        atlas->UnlockRect(level);
    }
    return atlas;
}

TexRect FrameAtlasCell(int frame, int frames) {
    const int columns = FRAME_ATLAS_COLUMNS, rows = (frames + columns - 1) / columns;
    const float w = 1.0f / columns, h = 1.0f / static_cast<float>(rows > 0 ? rows : 1);
    const float u = static_cast<float>(frame % columns) * w, v = static_cast<float>(frame / columns) * h;
    return {u, v, u + w, v + h};
}

TMesh TExplosions::LoadExplosionSprite() {
    TMesh sprite = CreateQuad(device, MESH_ALPHA_BLEND, 1.0, 1.0, false);
    sprite.numTextures = 0;
    for (int n = 1; n <= kFrames; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "eexplo%03d.bmp", n);
        TTextureEntry* entry = theTextureManager ? theTextureManager->LoadTexture(name, TEX_COLOR_KEY, kColourKey)
                                                 : nullptr;
        sprite.textures[sprite.numTextures++] = entry;
        if (entry) MakeSpriteAlpha(entry->texture);
    }
    std::unique_ptr<Texture> atlas = MakeFrameAtlas(sprite);
    TTextureEntry* entry = atlas && theTextureManager ? theTextureManager->AddTexture("eexplo atlas", std::move(atlas), 0)
                                                      : nullptr;
    frameAtlas = entry ? entry->texture : nullptr;
    return sprite;
}
