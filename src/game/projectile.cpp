#include "game/projectile.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "effects/explode.h"
#include "framework/bounds_sphere.h"
#include "framework/engine_utils.h"
#include "framework/gameglobals.h"
#include "game/angles.h"
#include "game/asteroid.h"
#include "game/bounding.h"
#include "game/draw_depth.h"
#include "game/session_globals.h"
#include "game/ship.h"
#include "game/world_draw.h"
#include "platform/crt_rand.h"
#include "platform/invariant.h"

namespace {

constexpr int kPresetColours = 6;
constexpr float kSideways = 1.57f;
constexpr int kFuseBurst = 16;
constexpr double kFullRing = 6.28;

}  // namespace

double ProjectileSpeedForSetting(int setting) { return 1.0 + (30.0 - 1.0) / 5.0 * setting; }

TProjectiles::TProjectiles()
    : playerSpeed(ProjectileSpeedForSetting(settings.playerMissile)),
      enemySpeed(ProjectileSpeedForSetting(settings.ufoMissile)) {}

int TProjectiles::AddKind(const TMesh& mesh) {
    if (kindCount >= MAX_PROJECTILE_KINDS) return -1;
    kinds[kindCount] = mesh;
    GetMeshSphere(kinds[kindCount]);
    return kindCount++;
}

TProjectile* TProjectiles::Fire(float x, float y, float z, float dx, float dy, float /*dz*/, uint32_t flags, int n) {
    uint32_t wanted = flags & (PROJECTILE_PLAYER | PROJECTILE_ENEMY);
    std::array<int, MAX_PROJECTILE_KINDS> matches;
    int found = 0;
    for (int i = 0; i < kindCount; ++i)
        if ((kinds[i].flags & wanted) == wanted) matches[found++] = i;
    const TMesh* mesh = found ? &kinds[matches[rp::rand() % found]] : nullptr;
    RP_INVARIANT(mesh != NULL, "projectile");

    static constexpr float kOffsets[3][3] = {{0, 0, 0}, {-1, 1, 0}, {-1, 0, 1}};
    n = std::min(n, 3);
    double speed = (flags & PROJECTILE_PLAYER) ? playerSpeed : (flags & PROJECTILE_ENEMY) ? enemySpeed : defaultSpeed;
    Vector3 heading = D3DXVec3Normalize(Vector3(dx, dy, 0));
    Vector3 left = D3DXVec3TransformNormal(heading, D3DXMatrixRotationZ(kSideways));
    TProjectile* last = nullptr;
    for (int i = 0; i < n; ++i) {
        if (count >= MAX_PROJECTILES) break;
        projectiles[count] = std::make_unique<TProjectile>();
        TProjectile& p = *projectiles[count++];
        p.device = device;
        p.speed = speed;
        p.direction = heading;
        p.origin = p.position = Vector3(x, y, z);
        p.meshSphere = mesh->sphere;
        p.kind = *mesh;
        if (mesh->flags & KIND_RANDOM_COLOUR) SetPresetMaterial(p.kind, rp::rand() % kPresetColours);
        p.position += left * kOffsets[n - 1][i];
        p.scale = mesh->scale * sizeFactor / p.meshSphere.radius;
        last = &p;
    }
    return last;
}

TProjectile* TProjectiles::FireFused(float x, float y, float z, float dx, float dy, float dz, uint32_t flags,
                                     double fuse) {
    TProjectile* p = Fire(x, y, z, dx, dy, dz, flags | PROJECTILE_FUSED, 1);
    if (p) p->fuse = fuse;
    return p;
}

void TProjectiles::Starburst(float x, float y, float z, float dx, float dy, float dz, uint32_t flags, int n,
                             int skip) {
    if (n <= 0) return;
    double step = kFullRing / n;
    double angle = 0;
    for (int i = 0; i < n; ++i) {
        Vector3 v = D3DXVec3TransformNormal(Vector3(dx, dy, dz), D3DXMatrixRotationZ(static_cast<float>(angle)));
        if (!(skip && i == n / 2)) Fire(x, y, z, v.x, v.y, v.z, flags, 1);
        angle += step;
    }
}

void TProjectiles::Burn(TProjectile& p, double dt) {
    if (p.fuse <= 0) return;
    p.fuse -= dt;
    if (p.fuse > 0) return;
    Starburst(p.position.x, p.position.y, p.position.z, p.direction.x, p.direction.y, p.direction.z,
              PROJECTILE_PLAYER, kFuseBurst, 1);
    p.dead = 1;
}

bool TProjectiles::HitSomething(TProjectile& p) {
    Vector3 nearest;
    if (p.kind.flags & PROJECTILE_PLAYER) {
        if (!theAsteroids) return false;
        int i = theAsteroids->FindHit(p.worldSphere, p.position, &nearest, FIND_SKIP_POWERUPS);
        if (i < 0) return false;
        if (theExplosions) theExplosions->AddCluster(nearest.x, nearest.y, nearest.z, 1.0, 3, 0);
        theAsteroids->Hit(i, nearest - p.position);
        return true;
    }
    if (p.kind.flags & PROJECTILE_ENEMY) {
        if (!theShip) return false;
        if (!ProbeHits(p.worldSphere, p.position, theShip->worldSphere, theShip->mesh, theShip->world, &nearest))
            return false;
        if (theExplosions) theExplosions->AddCluster(nearest.x, nearest.y, nearest.z, 1.0, 3, 0);
        theShip->Damage(nearest.x, nearest.y, nearest.z);
        return true;
    }
    return false;
}

void TProjectiles::Step(TProjectile& p, double dt) {
    p.spinAngle = WrapAngle(p.spinAngle + dt);
    p.position += p.direction * static_cast<float>(dt * p.speed);
    float s = static_cast<float>(p.scale);
    p.worldSphere.centre = p.position + p.meshSphere.centre * s;
    p.worldSphere.radius = p.meshSphere.radius * s;
    int edges = EdgeTestCentred(PLAY_AREA_SIZE, PLAY_AREA_SIZE, p.worldSphere, 0.001);
    if (((edges & EDGE_TOP) && p.direction.y > 0) || ((edges & EDGE_BOTTOM) && p.direction.y < 0) ||
        ((edges & EDGE_LEFT) && p.direction.x < 0) || ((edges & EDGE_RIGHT) && p.direction.x > 0))
        p.dead = 1;

    Burn(p, dt);
    if (!p.dead && HitSomething(p)) {
        p.dead = 1;
        Burn(p, 1.0);
    }

    p.world = D3DXMatrixMultiply(
        D3DXMatrixScaling(s, s, s),
        D3DXMatrixTranslation(p.position.x, p.position.y, static_cast<float>(TakeDrawDepth(p.worldSphere.radius))));
    if (p.kind.flags & PROJECTILE_ALONG_HEADING) {
        double a = std::acos(std::clamp(static_cast<double>(p.direction.y), -1.0, 1.0));
        if (p.direction.x > 0) a = -a;
        p.world = D3DXMatrixMultiply(D3DXMatrixRotationZ(static_cast<float>(a)), p.world);
    }
}

void TProjectile::Draw() const {
    DrawWorldObject(device, kind, world);
    if (showBounds) DrawWorldSphere(device, worldSphere, boundsMesh, OverlayMaterial(colours::Blue), 0.1f);
}

void TProjectiles::StepAll(double dt) {
    for (int i = 0; i < count;) {
        TProjectile& p = *projectiles[i];
        p.showBounds = settings.showBounding;
        Step(p, dt);
        if (p.dead)
            Remove(i);
        else
            ++i;
    }
}

void TProjectiles::DrawAll() const {
    for (int i = 0; i < count; ++i) projectiles[i]->Draw();
}

int TProjectiles::CountWithFlags(uint32_t flags) const {
    int n = 0;
    for (int i = 0; i < count; ++i)
        if ((projectiles[i]->kind.flags & flags) == flags) ++n;
    return n;
}

void TProjectiles::Remove(int index) {
    if (index < 0 || index >= count) return;
    projectiles[index].reset();
    std::move(projectiles.begin() + index + 1, projectiles.begin() + count, projectiles.begin() + index);
    --count;
}
