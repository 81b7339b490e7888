// Explosions: flat textured quads that play a 16-frame picture sequence once
// at 50 frames per second where something is shot down, struck or blown up.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

#include "gamelib/mesh.h"
#include "gamelib/quad_batch.h"
#include "platform/d3dx_math.h"

class Device;
class D3DXMesh;
class Texture;

constexpr int MAX_EXPLOSIONS = 128;
constexpr int MAX_EXPLOSION_TEMPLATES = 32;
constexpr int EXPLOSION_FRAMES_PER_SECOND = 50;

// Explosion flags: keep the place relative to the moving ship.
constexpr uint32_t EXPLOSION_ATTACH_TO_SHIP = 0x1;

class TExplosion {
public:
    TExplosion() = default;
    TExplosion(const TExplosion&) = delete;
    TExplosion& operator=(const TExplosion&) = delete;

    // Advances the clock and picks the picture of the moment; dead once the
    // pictures run out. `ship` is where the ship is now.
    void Step(double dt, const Vector3& ship);
    // The current picture into `batch` (from `atlas` when there is one), and
    // the bounds when shown, after what the batch holds so far.
    void Draw(QuadBatch& batch, Texture* atlas) const;

    Vector3 shipAtSpawn;
    Vector3 position;
    Vector3 spawnPosition;
    Matrix4 world;
    double size = 1.0;
    double rate = 1.0;
    double rotation = 0.0;
    double time = 0.0;
    uint32_t flags = 0;
    int32_t dead = 0;
    TMesh sprite;
    Device* device = nullptr;
    int32_t showBounds = 0;
    mutable std::shared_ptr<D3DXMesh> boundsMesh;  // made by the first bounds draw
};

// Where the ship is; explosions attached to it follow it.
using ShipPositionSource = std::function<Vector3()>;

class TExplosions {
public:
    explicit TExplosions(ShipPositionSource shipPosition) : shipPosition_(std::move(shipPosition)) {}
    TExplosions(const TExplosions&) = delete;
    TExplosions& operator=(const TExplosions&) = delete;

    // None when 128 explosions are live. Every explosion lies at z = -10.
    TExplosion* Add(float x, float y, float z, double size, uint32_t flags);
    // count explosions spread towards +x/+y by up to 0.45, each starting 0.05 s
    // further into the sequence; returns the last (none if it failed).
    TExplosion* AddCluster(float x, float y, float z, double size, int count, uint32_t flags);
    // Every explosion's step; the finished are removed.
    void StepAll(double dt);
    // Every explosion in list order; explosions share draws.
    void DrawAll() const;
    // The quad with the 16 frame textures "eexplo001.bmp".."eexplo016.bmp",
    // and their atlas.
    TMesh LoadExplosionSprite();
    void AddTemplate(const TMesh& sprite);

    std::array<std::unique_ptr<TExplosion>, MAX_EXPLOSIONS> explosions;
    int count = 0;
    std::array<TMesh, MAX_EXPLOSION_TEMPLATES> templates;
    int templateCount = 0;
    Device* device = nullptr;
    int32_t showBounds = 0;
    // The frames of the sprite in one texture (owned by the texture manager);
    // null when they could not be put together.
    Texture* frameAtlas = nullptr;

private:
    ShipPositionSource shipPosition_;
    mutable QuadBatch batch_;
};

// Alpha of every level of a 32-bit frame texture: the dark background joined
// to the top-left corner becomes transparent (0), the bright pixels bordering
// it faint (32), everything else 192.
void MakeSpriteAlpha(Texture* texture);

// A sprite's frames side by side, FRAME_ATLAS_COLUMNS to a row, each of its
// levels made of the frames' same levels; none when a frame is missing or
// the frames differ in size, levels or format.
constexpr int FRAME_ATLAS_COLUMNS = 4;
std::unique_ptr<Texture> MakeFrameAtlas(const TMesh& sprite);
// Where frame `frame` lies in such an atlas of `frames` frames.
TexRect FrameAtlasCell(int frame, int frames);
