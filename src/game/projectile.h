// Shots: the player's missiles, the enemies' missiles, starburst rings and
// the fused missile. One TProjectiles per session owns them all, steps and
// draws them, ends them at the edge of the play area and resolves hits.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "gamelib/mesh.h"
#include "platform/d3dx_math.h"

class Device;
class D3DXMesh;

constexpr int MAX_PROJECTILES = 128;
constexpr int MAX_PROJECTILE_KINDS = 32;

// Projectile flags (requested at launch and carried by the kinds).
constexpr uint32_t PROJECTILE_PLAYER = 0x200;
constexpr uint32_t PROJECTILE_ENEMY = 0x400;
constexpr uint32_t PROJECTILE_FUSED = 0x800;
constexpr uint32_t PROJECTILE_ALONG_HEADING = 0x400000;

class TProjectile {
public:
    TProjectile() = default;
    TProjectile(const TProjectile&) = delete;
    TProjectile& operator=(const TProjectile&) = delete;

    // The projectile, and its bounds when shown.
    void Draw() const;

    Vector3 origin;
    Vector3 direction{1, -1, 0};
    Vector3 position;
    Matrix4 world;
    Device* device = nullptr;
    mutable std::shared_ptr<D3DXMesh> boundsMesh;  // made by the first bounds draw
    Sphere worldSphere;
    Sphere meshSphere;
    double speed = 30.0;
    double scale = 0.1;
    double spinAngle = 0.0;
    int32_t showBounds = 0;
    int32_t dead = 0;
    double fuse = 0.0;
    TMesh kind;
};

// Launch speed of a "playermissile" / "ufomissile" setting: 30 at 5.
double ProjectileSpeedForSetting(int setting);

class TProjectiles {
public:
    TProjectiles();
    TProjectiles(const TProjectiles&) = delete;
    TProjectiles& operator=(const TProjectiles&) = delete;

    int AddKind(const TMesh& mesh);
    // count (1 to 3) projectiles side by side, one unit apart across the
    // heading; returns the last one, or none when the list is full.
    TProjectile* Fire(float x, float y, float z, float dx, float dy, float dz, uint32_t flags, int count);
    TProjectile* FireFused(float x, float y, float z, float dx, float dy, float dz, uint32_t flags, double fuse);
    // A ring of n single projectiles; with skip the one at index n / 2 is left out.
    void Starburst(float x, float y, float z, float dx, float dy, float dz, uint32_t flags, int n, int skip);
    // Every projectile's step (those launched meanwhile included); the dead
    // are removed.
    void StepAll(double dt);
    void DrawAll() const;
    int CountWithFlags(uint32_t flags) const;
    void Remove(int index);

    // One projectile's step: move, fuse, hits, transform.
    void Step(TProjectile& p, double dt);

    std::array<std::unique_ptr<TProjectile>, MAX_PROJECTILES> projectiles;
    std::array<TMesh, MAX_PROJECTILE_KINDS> kinds;
    Device* device = nullptr;
    int count = 0;
    int kindCount = 0;
    float sizeFactor = 1.0f;
    double defaultSpeed = 30.0;
    double playerSpeed;
    double enemySpeed;

private:
    void Burn(TProjectile& p, double dt);
    bool HitSomething(TProjectile& p);
};
