// The ship's frame step, motion, collisions, damage, lives and power-ups.
#include "game/ship.h"

#include <algorithm>

#include "effects/explode.h"
#include "framework/bounds_sphere.h"
#include "framework/engine_utils.h"
#include "framework/gameglobals.h"
#include "framework/tgame.h"
#include "game/angles.h"
#include "game/asteroid.h"
#include "game/bounding.h"
#include "game/draw_depth.h"
#include "game/field_pan.h"
#include "game/projectile.h"
#include "game/session_globals.h"
#include "game/world_draw.h"
#include "input/joystick.h"
#include "sound/soundman.h"

namespace {

constexpr int kAccelNone = 0;
constexpr double kInstantResponse = 1000.0;
constexpr double kBumpSpeed = 20.0;
constexpr double kHitProtection = 0.1;
constexpr double kRespawnDelay = 2.0;
constexpr double kRespawnProtection = 3.0;
constexpr double kStarburstCooldown = 0.6;
constexpr double kFusedDelay = 0.5;
constexpr int kStarburstCount = 16;
constexpr int kStartLives = 5;

}  // namespace

void AccelForSetting(int setting, double& accel, double& drag) {
    if (setting == kAccelNone) {
        accel = drag = kInstantResponse;
        return;
    }
    int x = 10 - setting;
    double v = Interpolate3(0, x, 10, 30, 50, 100);
    double w = Interpolate3(0, x, 10, 4, 20, 50);
    accel = v * v * 0.02;
    drag = w * w * 0.05;
}

TShip::TShip() : maxHull(settings.shipHull), hull(settings.shipStartHull), fireSound(SOUND_PHASERS) {
    AccelForSetting(settings.accel, accel, drag);
}

void TShip::SetAxis(double x, double y, double z) {
    axis = D3DXVec3Normalize(Vector3(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)));
}

void TShip::NewGame() {
    lives = kStartLives;
    score = peakScore = wavesStarted = 0;
    Respawn();
}

void TShip::Respawn() {
    --lives;
    maxHull = settings.shipHull;
    hull = settings.shipStartHull;
    invulnerable = kRespawnProtection;
    shieldEnergy = 0;
    starbursts = missiles = superMissiles = 0;
    position = startPosition;
}

void TShip::Step(double dt) {
    if (settings.inputDevice == INPUT_MOUSE && theMouse) theMouse->Poll();
    inPlay = false;
    if (lives < 0) return;
    if (respawnTimer > 0) {
        respawnTimer -= dt;
        if (respawnTimer > 0) return;
        Respawn();
    }
    invulnerable = std::max(invulnerable - dt, 0.0);
    ReadControls();
    Steer(dt);
    FireAndShield(dt);
    Move(dt);
    Collide();
    BuildWorld();
    showBounds = settings.showBounding;
    inPlay = true;
}

void TShip::AddScore(int32_t points) {
    score += points;
    peakScore = std::max(peakScore, score);
}

void TShip::SubtractScore(int32_t points) { score = std::max(score - points, 0); }

void TShip::Damage(float x, float y, float z) {
    if (shieldOn || invulnerable > 0) return;
    PlaySound(SOUND_EXPLOSION, false, FieldPan(x));
    if (theExplosions) theExplosions->AddCluster(x, y, z, 2.0, 3, EXPLOSION_ATTACH_TO_SHIP);
    if (--hull < 0) Destroy();
    invulnerable = kHitProtection;
}

void TShip::Bump(const TAsteroid& object, const Vector3& hitPoint) {
    Vector3 away = position - object.position;
    away.z = 0;
    velocity = D3DXVec3Normalize(away) * static_cast<float>(kBumpSpeed);
    Damage(hitPoint.x, hitPoint.y, hitPoint.z);
}

void TShip::CrashAt(float x, float y, float z) {
    if (shieldOn || invulnerable > 0) return;
    y = std::max(y, -20.0f);
    PlaySound(SOUND_EXPLOSION, false, FieldPan(x));
    if (theExplosions) theExplosions->AddCluster(x, y, z, 4.0, 4, 0);
    Destroy();
    invulnerable = kHitProtection;
}

void TShip::Destroy() {
    if (theExplosions) theExplosions->AddCluster(position.x, position.y, position.z, 4.0, 5, 0);
    respawnTimer = kRespawnDelay;
}

void TShip::EndGame() {
    Destroy();
    lives = -1;
    respawnTimer = -1.0;
}

void TShip::CollectPowerup(TAsteroid& object) {
    object.dead = 1;
    PlaySound(SOUND_POWERUP, false, FieldPan(object.position.x));
    switch (object.kind.powerupKind) {
        case POWERUP_HULL:
            if (hull < maxHull) ++hull;
            break;
        case POWERUP_STARBURST:
            if (starbursts < maxStarbursts) ++starbursts;
            break;
        case POWERUP_MISSILES: AddMissiles(); break;
        case POWERUP_SHIP: ++lives; break;
        case POWERUP_SHIELD:
            if (shieldEnergy < maxShield) shieldEnergy += 1.0;
            break;
        default: break;
    }
}

void TShip::AddMissiles() {
    const TGame* game = CurrentGame();
    int grant = game ? game->GetMissileGrant() : 50;
    if (missiles == 0)
        missiles += grant;
    else
        superMissiles += grant;
}

void TShip::FireAndShield(double dt) {
    heading = WrapAngle(heading);
    if (heading < 0) heading = ANGLE_WRAP;
    fireCooldown = std::max(fireCooldown - dt, 0.0);
    altCooldown = std::max(altCooldown - dt, 0.0);

    if (fireCooldown == 0 && controls.fire) {
        int n = 1;
        if (superMissiles > 0) {
            --superMissiles;
            n = 3;
        } else if (missiles > 0) {
            --missiles;
            n = 2;
        }
        PlaySound(fireSound, false, FieldPan(position.x));
        if (theProjectiles)
            theProjectiles->Fire(position.x, position.y, position.z, nose.x, nose.y, nose.z, PROJECTILE_PLAYER, n);
        fireCooldown = 1.0 / fireRate;
    }

    if (controls.altFire && altCooldown == 0 && starbursts > 0) {
        const TGame* game = CurrentGame();
        if (theProjectiles) {
            if (game && game->UsesAltStarburst())
                theProjectiles->FireFused(position.x, position.y, position.z, nose.x, nose.y, nose.z,
                                          PROJECTILE_PLAYER, kFusedDelay);
            else
                theProjectiles->Starburst(position.x, position.y, position.z, nose.x, nose.y, nose.z,
                                          PROJECTILE_PLAYER, kStarburstCount, 0);
        }
        altCooldown = kStarburstCooldown;
        --starbursts;
    }

    shieldOn = 0;
    if (controls.shield) {
        shieldEnergy = std::max(shieldEnergy - dt, 0.0);
        if (shieldEnergy > 0) shieldOn = 1;
    }
}

void TShip::UpdateWorldSphere() {
    float s = static_cast<float>(scale);
    worldSphere.centre = meshSphere.centre * s + position;
    worldSphere.radius = meshSphere.radius * s;
}

void TShip::Move(double dt) {
    velocity += thrustDir * static_cast<float>(thrust * accel * dt);
    float speed = D3DXVec3Length(velocity);
    if (speed > maxSpeed) velocity *= static_cast<float>(maxSpeed / speed);
    if (std::abs(thrust) < 0.001) {
        if (D3DXVec3Length(velocity) < dt * drag)
            velocity = Vector3();
        else
            velocity -= D3DXVec3Normalize(velocity) * static_cast<float>(drag * dt);
    }
    position += velocity * static_cast<float>(dt);
    UpdateWorldSphere();

    float r = worldSphere.radius;
    if (controlFlags & SHIP_CLAMP) {
        position.x = std::clamp(position.x, static_cast<float>(bounds.left + r), static_cast<float>(bounds.right - r));
        position.y = std::clamp(position.y, static_cast<float>(bounds.bottom + r), static_cast<float>(bounds.top - r));
    }
    int edges = EdgeTestCentred(PLAY_AREA_SIZE, PLAY_AREA_SIZE, worldSphere, 0.001);
    if ((edges & EDGE_TOP) && velocity.y > 0) position.y = static_cast<float>(-r - PLAY_AREA_EDGE);
    if ((edges & EDGE_BOTTOM) && velocity.y < 0) position.y = static_cast<float>(r + PLAY_AREA_EDGE);
    if ((edges & EDGE_LEFT) && velocity.x < 0) position.x = static_cast<float>(r + PLAY_AREA_EDGE);
    if ((edges & EDGE_RIGHT) && velocity.x > 0) position.x = static_cast<float>(-r - PLAY_AREA_EDGE);
    UpdateWorldSphere();
}

void TShip::Collide() {
    if (!theAsteroids) return;
    Vector3 nearest;
    int i = theAsteroids->FindHit(worldSphere, position, &nearest, 1);  // powerups included
    if (i < 0) return;
    TAsteroid& object = *theAsteroids->objects[i];
    if (object.kind.flags & KIND_POWERUP)
        CollectPowerup(object);
    else
        Bump(object, nearest);
}

void TShip::BuildWorld() {
    float s = static_cast<float>(scale);
    world = D3DXMatrixMultiply(
        D3DXMatrixMultiply(D3DXMatrixRotationAxis(axis, static_cast<float>(heading)), D3DXMatrixScaling(s, s, s)),
        D3DXMatrixTranslation(position.x, position.y, static_cast<float>(TakeDrawDepth(worldSphere.radius))));
}

void TShip::Draw() const {
    if (!inPlay) return;
    DrawWorldObject(device, mesh, world);
    if (invulnerable > 0.1 || shieldOn)
        DrawWorldSphere(device, worldSphere, boundsMesh, OverlayMaterial(colours::Cyan), 0.3f);
    if (showBounds) DrawWorldSphere(device, worldSphere, boundsMesh, OverlayMaterial(colours::Blue), 0.1f);
}

Vector3 ShipPosition() { return theShip ? theShip->position : Vector3(); }
