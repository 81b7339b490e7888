#include "effects/explode.h"

#include <algorithm>

#include "framework/bounds_sphere.h"
#include "framework/engine_utils.h"
#include "gamelib/texman.h"
#include "platform/crt_rand.h"
#include "platform/device.h"

namespace {

constexpr float kExplosionPlane = -10.0f;
constexpr double kClusterSpread = 0.05;
constexpr double kClusterDelay = 0.05;

}  // namespace

void TExplosion::Step(double dt, const Vector3& ship) {
    dead = 0;
    if (flags & EXPLOSION_ATTACH_TO_SHIP) position = spawnPosition + (ship - shipAtSpawn);
    float s = static_cast<float>(size);
    world = D3DXMatrixMultiply(
        D3DXMatrixMultiply(D3DXMatrixRotationZ(static_cast<float>(rotation)), D3DXMatrixScaling(s, s, s)),
        D3DXMatrixTranslation(position.x, position.y, position.z));
    time += dt * rate;
    int frame = static_cast<int>(time * EXPLOSION_FRAMES_PER_SECOND);
    if (frame >= sprite.numTextures) {
        dead = 1;
        return;
    }
    sprite.quadTexture = frame;
}

void TExplosion::Draw(QuadBatch& batch, Texture* atlas) const {
    const int frame = sprite.quadTexture;
    if (atlas) {
        batch.Add(sprite, atlas, world, FrameAtlasCell(frame, sprite.numTextures));
    } else if (frame >= 0 && frame < MAX_MAT_PER_MESH) {
        const TTextureEntry* entry = sprite.textures[frame];
        batch.Add(sprite, entry ? entry->texture : nullptr, world);
    }
    if (!showBounds) return;
    batch.Draw(*device);
    DrawBoundsSphere(device, Sphere{position, static_cast<float>(size)}, boundsMesh, OverlayMaterial(colours::Blue),
                     0.1f);
}

TExplosion* TExplosions::Add(float x, float y, float, double size, uint32_t flags) {
    if (count >= MAX_EXPLOSIONS) return nullptr;
    explosions[count] = std::make_unique<TExplosion>();
    TExplosion& e = *explosions[count++];
    e.shipAtSpawn = shipPosition_();
    e.device = device;
    e.sprite = templates[0];
    e.position = e.spawnPosition = Vector3(x, y, kExplosionPlane);
    e.size = size;
    e.flags = flags;
    return &e;
}

TExplosion* TExplosions::AddCluster(float x, float y, float z, double size, int n, uint32_t flags) {
    TExplosion* last = nullptr;
    for (int i = 0; i < n; ++i) {
        int r1 = rp::rand() % 10;
        int r2 = rp::rand() % 10;
        last = Add(static_cast<float>(x + kClusterSpread * r1), static_cast<float>(y + kClusterSpread * r2), z, size,
                   flags);
        if (!last) continue;
        last->rotation = (rp::rand() % 360) / 360.0;
        last->time = kClusterDelay * i;
    }
    return last;
}

void TExplosions::StepAll(double dt) {
    const Vector3 ship = shipPosition_();
    for (int i = 0; i < count;) {
        TExplosion& e = *explosions[i];
        e.showBounds = showBounds;
        e.Step(dt, ship);
        if (!e.dead) {
            ++i;
            continue;
        }
        explosions[i].reset();
        std::move(explosions.begin() + i + 1, explosions.begin() + count, explosions.begin() + i);
        --count;
    }
}

void TExplosions::DrawAll() const {
    for (int i = 0; i < count; ++i) explosions[i]->Draw(batch_, frameAtlas);
    if (device) batch_.Draw(*device);
}

void TExplosions::AddTemplate(const TMesh& sprite) {
    if (templateCount >= MAX_EXPLOSION_TEMPLATES) return;
    templates[templateCount++] = sprite;
}
