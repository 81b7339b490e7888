// One field object: size, heading, spin, movement with wrapping, world
// transform, fire and drawing.
#include "game/asteroid.h"

#include <cmath>

#include "framework/bounds_sphere.h"
#include "framework/engine_utils.h"
#include "framework/gameglobals.h"
#include "game/angles.h"
#include "game/bounding.h"
#include "game/draw_depth.h"
#include "game/projectile.h"
#include "game/session_globals.h"
#include "game/ship.h"
#include "game/spin_axis.h"
#include "game/world_draw.h"
#include "gamelib/texman.h"
#include "platform/crt_rand.h"

namespace {

constexpr double kFireInterval = 1.75;
constexpr float kWobbleTilt = 0.25f;

}  // namespace

TAsteroid::TAsteroid()
    : speed(5.0 + 2.5 * (theShip ? theShip->wavesStarted : 0)),
      hull(settings.asteroidHull),
      initialHull(settings.asteroidHull),
      dropPercent(settings.powerUpChance) {}

void TAsteroid::SetSize(double s) {
    size = s;
    scale = s / meshSphere.radius;
}

void TAsteroid::SetDirection(double x, double y) {
    direction = D3DXVec3Normalize(Vector3(static_cast<float>(x), static_cast<float>(y), 0.0f));
}

void TAsteroid::SetSpinAxis(double x, double y, double z) { spinAxis = ChooseSpinAxis(x, y, z); }

void TAsteroid::RandomSpinAxis() {
    do {
        int a = rp::rand(), b = rp::rand(), c = rp::rand();
        SetSpinAxis(c % 5, b % 5, a % 5);
    } while (std::fabs(spinAxis.x) < 0.001f && std::fabs(spinAxis.y) < 0.001f && std::fabs(spinAxis.z) < 0.001f);
}

void TAsteroid::RandomDirection() {
    do {
        int a = rp::rand(), b = rp::rand();
        SetDirection(b % 8 - 4, a % 8 - 4);
    } while (!(std::fabs(direction.x) >= 0.1f && std::fabs(direction.y) >= 0.1f));
}

void TAsteroid::EnterFromEdge() {
    if (std::fabs(direction.x) < 0.001f && std::fabs(direction.y) < 0.001f) return;
    // A still object would never reach an edge.
    if (speed <= 0.0) return;
    uint32_t savedFlags = kind.flags;
    kind.flags &= ~KIND_ESCAPES;
    touchedEdge = 0;
    while (!touchedEdge) Move(1.0);
    kind.flags = savedFlags;
}

void TAsteroid::Move(double dt) {
    if (homing) {
        Vector3 toShip = D3DXVec3Normalize(ShipPosition() - position);
        direction = D3DXVec3Normalize(direction + toShip * static_cast<float>(dt * 5.0));
    }
    if (keepFalling && direction.y > -0.25f) {
        direction.y = -0.25f;
        direction = D3DXVec3Normalize(direction);
    }
    position += direction * static_cast<float>(dt * speed);
    spinAngle = WrapAngle(spinAngle + dt * spinRate);
    wobbleAngle = WrapAngle(wobbleAngle + dt * wobbleRate);
    orbitAngle = WrapAngle(orbitAngle + dt * orbitRate);
    BuildWorld();
    worldSphere.centre = centre;
    worldSphere.radius = static_cast<float>(meshSphere.radius * scale);

    int edges = EdgeTest(static_cast<int>(bounds.left), static_cast<int>(bounds.top), static_cast<int>(bounds.right),
                         static_cast<int>(bounds.bottom), worldSphere, edgeMargin);
    Vector3 reached = position;
    double radius = worldSphere.radius;
    bool wrapped = false;
    if (!noVerticalWrap) {
        if ((edges & EDGE_TOP) && direction.y > 0) {
            position.y = static_cast<float>(-PLAY_AREA_EDGE - radius);
            wrapped = true;
        }
        if ((edges & EDGE_BOTTOM) && direction.y < 0) {
            position.y = static_cast<float>(PLAY_AREA_EDGE + radius);
            wrapped = true;
        }
    }
    if ((edges & EDGE_LEFT) && direction.x < 0) {
        position.x = static_cast<float>(PLAY_AREA_EDGE + radius);
        wrapped = true;
    }
    if ((edges & EDGE_RIGHT) && direction.x > 0) {
        position.x = static_cast<float>(-PLAY_AREA_EDGE - radius);
        wrapped = true;
    }
    if (!wrapped) return;
    touchedEdge = 1;
    if (kind.flags & KIND_ESCAPES) {
        dead = 1;
        if (theShip) {
            if (kind.flags & KIND_ESCAPE_PENALTY) theShip->SubtractScore(scoreValue / 2);
            if (kind.kindParam == KEY_SPINNER) theShip->CrashAt(reached.x, reached.y, reached.z);
        }
    }
    if (kind.flags & KIND_EXPIRES) {
        if (--bouncesLeft < 0) dead = 1;
    }
}

void TAsteroid::BuildWorld() {
    float s = static_cast<float>(scale);
    Matrix4 scaling = D3DXMatrixScaling(s, s, s);
    Matrix4 translation =
        D3DXMatrixTranslation(position.x, position.y, static_cast<float>(TakeDrawDepth(worldSphere.radius)));
    Matrix4 rotation = noRotation ? D3DXMatrixIdentity()
                                  : D3DXMatrixRotationAxis(spinAxis, static_cast<float>(spinAngle * spinSign));
    Matrix4 spunScaled = D3DXMatrixMultiply(rotation, scaling);
    if (kind.flags & KIND_WHIRLYGIG) {
        Matrix4 swing = D3DXMatrixMultiply(D3DXMatrixTranslation(-5.0f, 0.0f, 0.0f),
                                           D3DXMatrixRotationY(static_cast<float>(orbitAngle)));
        world = D3DXMatrixMultiply(D3DXMatrixMultiply(spunScaled, swing), translation);
    } else {
        world = D3DXMatrixMultiply(spunScaled, translation);
    }
    if (kind.flags & (KIND_WOBBLE | KIND_WOBBLE_STEERING)) {
        float a = static_cast<float>(wobbleAngle);
        Matrix4 wobble = D3DXMatrixMultiply(
            D3DXMatrixMultiply(D3DXMatrixRotationY(-a), D3DXMatrixRotationZ(kWobbleTilt)), D3DXMatrixRotationY(a));
        if (kind.flags & KIND_WOBBLE) world = D3DXMatrixMultiply(wobble, world);
        if (kind.flags & KIND_WOBBLE_STEERING) {
            Vector3 v = D3DXVec3TransformCoord(Vector3(1, 0, 0), wobble);
            SetDirection(v.x, 4.0 * v.y);
        }
    }
    if (std::fabs(tilt) >= 0.001) world = D3DXMatrixMultiply(D3DXMatrixRotationX(static_cast<float>(tilt)), world);
    centre = D3DXVec3TransformCoord(meshSphere.centre, world);
}

void TAsteroid::Step(double dt) {
    Move(dt);
    stepped = true;
    Fire(dt);
}

void TAsteroid::Fire(double dt) {
    if (kind.flags & KIND_SCATTER_FIRE) {
        fireTimer -= dt;
        if (fireTimer < 0) fireTimer = 0;
        if (fireTimer == 0) {
            double dx, dy;
            do {
                dx = (rp::rand() % 10 - 5) * 0.1;
                dy = (rp::rand() % 10 - 5) * 0.1;
            } while (dx == 0 && dy == 0);
            if (theProjectiles)
                theProjectiles->Fire(centre.x, centre.y, centre.z, static_cast<float>(dx), static_cast<float>(dy),
                                     0.0f, PROJECTILE_ENEMY, shotCount);
            fireTimer = kFireInterval;
        }
    }
    if (kind.flags & KIND_AIMED_FIRE) {
        fireTimer -= dt;
        if (fireTimer <= 0) {
            Vector3 heading = D3DXVec3Normalize(ShipPosition() - position);
            if (theProjectiles)
                theProjectiles->Fire(centre.x, centre.y, centre.z, heading.x, heading.y, heading.z, PROJECTILE_ENEMY,
                                     shotCount);
            fireTimer = (rp::rand() % 200) / (fireRate * 100.0);
        }
    }
}

void TAsteroid::Draw() const {
    if (!stepped) return;
    DrawWorldObject(device, kind, world);
    if (showBounds) DrawWorldSphere(device, worldSphere, boundsMesh, OverlayMaterial(colours::Blue), 0.1f);
}

void TAsteroid::Shrink() {
    SetSize(worldSphere.radius / kind.sizeFactor * 0.625);
    scale *= kind.sizeFactor;
}

void TAsteroid::ApplyTexture(TTextureEntry* texture) {
    if (!texture) return;
    for (int i = 0; i < kind.numMaterials && i < MAX_MAT_PER_MESH; ++i) {
        if (!kind.textures[i]) continue;
        kind.textures[i] = texture;
        if (texture->flags & TEX_TINT) kind.materials[0].Diffuse = kind.materials[0].Ambient = texture->tint;
        return;
    }
}
