#include "game/autopilot.h"

#include <cmath>
#include <limits>

#include "framework/display.h"
#include "framework/gameglobals.h"
#include "game/asteroid.h"
#include "game/projectile.h"
#include "game/session_globals.h"
#include "game/ship.h"
#include "platform/keyboard.h"
#include "platform/messages.h"

namespace {

constexpr double kPi = 3.14159265358979;

double WrapAngle(double a) {
    while (a > kPi) a -= 2 * kPi;
    while (a < -kPi) a += 2 * kPi;
    return a;
}

// Positions in the plane of play: an object's centre carries its drawing
// depth in z.
Vector3 Flat(const Vector3& v) { return {v.x, v.y, 0}; }
float Distance(const Vector3& a, const Vector3& b) { return D3DXVec3Length(Flat(a) - Flat(b)); }

bool IsPowerup(const TAsteroid& a) { return (a.kind.flags & KIND_POWERUP) != 0; }
bool IsShootable(const TAsteroid& a) { return !(a.kind.flags & (KIND_POWERUP | KIND_SHOT_PROOF)); }

Vector3 VelocityOf(const TAsteroid& a) { return Flat(a.direction) * static_cast<float>(a.speed); }

// Where a shot fired now meets the object (one refinement of the flight time).
Vector3 Lead(const TAsteroid& a, const Vector3& from, double shotSpeed) {
    Vector3 p = Flat(a.centre);
    for (int i = 0; i < 2; ++i) {
        double t = Distance(p, from) / shotSpeed;
        p = Flat(a.centre) + VelocityOf(a) * static_cast<float>(t);
    }
    return p;
}

// Seconds until the object comes within `reach` of the ship, or infinity.
double TimeToContact(const TAsteroid& a, const TShip& ship, double reach) {
    Vector3 rel = Flat(a.centre) - Flat(ship.position);
    Vector3 vel = VelocityOf(a) - Flat(ship.velocity);
    double dist = D3DXVec3Length(rel) - reach;
    if (dist <= 0) return 0;
    double closing = -D3DXVec3Dot(rel, vel) / std::max(D3DXVec3Length(rel), 1e-6f);
    return closing > 0 ? dist / closing : std::numeric_limits<double>::infinity();
}

}  // namespace

Autopilot::~Autopilot() { Release(); }

void Autopilot::Hold(int virtualKey, bool down) { SetDrivenKey(virtualKey, down); }

void Autopilot::Release() { ReleaseAllDrivenKeys(); }

void Autopilot::Drive(double dt) {
    Release();
    if (gameState == GAME_STATE_ENTER_NAME) {
        TypeName();
        return;
    }
    typed_ = 0;
    if (gameState == GAME_STATE_HIGH_SCORES) {
        tableTime_ += dt;
        if (restartDelay > 0 && tableTime_ >= restartDelay && theGameWindow) {
            PostMessage(theGameWindow, WM_CHAR, 'r', 0);
            tableTime_ = 0;
        }
        return;
    }
    tableTime_ = 0;
    if (!theShip || !theAsteroids || theShip->lives < 0 || theShip->respawnTimer > 0) return;
    if (theShip->controlFlags & SHIP_SLIDER)
        FlySlider();
    else
        FlyFree();
}

void Autopilot::TypeName() {
    if (!theGameWindow) return;
    // One character per frame, as a person types.
    WPARAM ch = typed_ < name_.size() ? static_cast<unsigned char>(name_[typed_]) : 13;
    PostMessage(theGameWindow, WM_CHAR, ch, 0);
    ++typed_;
}

void Autopilot::FlyFree() {
    const TShip& ship = *theShip;
    const double shotSpeed = ProjectileSpeedForSetting(settings.playerMissile);
    const double reach = ship.worldSphere.radius;

    const TAsteroid* target = nullptr;
    const TAsteroid* prize = nullptr;
    double targetScore = std::numeric_limits<double>::infinity();
    double prizeDistance = 12.0;
    double soonest = std::numeric_limits<double>::infinity();
    int crowd = 0;
    for (int i = 0; i < theAsteroids->count; ++i) {
        const TAsteroid& a = *theAsteroids->objects[i];
        double distance = Distance(a.centre, ship.position);
        if (IsPowerup(a)) {
            if (distance < prizeDistance) prizeDistance = distance, prize = &a;
            continue;
        }
        double contact = TimeToContact(a, ship, reach + a.worldSphere.radius);
        soonest = std::min(soonest, contact);
        if (distance < a.worldSphere.radius + 8) ++crowd;
        if (!IsShootable(a)) continue;
        // Prefer what is near and what is coming.
        double score = distance + std::min(contact, 10.0) * 2;
        if (score < targetScore) targetScore = score, target = &a;
    }

    bool danger = soonest < 0.6;
    Hold(settings.keyShield, danger && ship.invulnerable <= 0 && ship.shieldEnergy > 0);
    Hold(settings.keyAltFire, crowd >= 3 && ship.starbursts > 0);

    const TAsteroid* aim = (prize && !danger) ? prize : target;
    if (!aim) return;
    Vector3 point = aim == prize ? Flat(aim->centre) : Lead(*aim, ship.position, shotSpeed);
    Vector3 d = point - Flat(ship.position);
    double desired = std::atan2(-d.x, d.y);
    double error = WrapAngle(desired - ship.heading);
    if (error > 0.06)
        Hold(settings.keyLeft, true);
    else if (error < -0.06)
        Hold(settings.keyRight, true);
    bool aligned = std::fabs(error) < 0.15;
    if (aim == target) Hold(settings.keyFire, aligned || D3DXVec3Length(d) < 6);
    // Go for a power-up; otherwise ease away from a rock that is too close.
    bool thrust = (aim == prize && aligned) ||
                  (danger && !aligned && std::fabs(error) > 2.0 && D3DXVec3Length(ship.velocity) < 8);
    Hold(settings.keyThrust, thrust);
}

void Autopilot::FlySlider() {
    const TShip& ship = *theShip;
    const double shotSpeed = ProjectileSpeedForSetting(settings.playerMissile);
    const TAsteroid* target = nullptr;
    const TAsteroid* prize = nullptr;
    double lowest = std::numeric_limits<double>::infinity();
    double prizeHeight = std::numeric_limits<double>::infinity();
    int lowerHalf = 0;
    bool danger = false;
    for (int i = 0; i < theAsteroids->count; ++i) {
        const TAsteroid& a = *theAsteroids->objects[i];
        if (a.centre.y > 21) continue;  // not in view yet
        if (IsPowerup(a)) {
            if (a.centre.y < prizeHeight) prizeHeight = a.centre.y, prize = &a;
            continue;
        }
        if (a.centre.y < 0) ++lowerHalf;
        if (Distance(a.centre, ship.position) < a.worldSphere.radius + ship.worldSphere.radius + 1.5)
            danger = true;
        if (IsShootable(a) && a.centre.y > ship.position.y && a.centre.y < lowest) lowest = a.centre.y, target = &a;
    }
    Hold(settings.keyShield, danger && ship.invulnerable <= 0 && ship.shieldEnergy > 0);
    Hold(settings.keyAltFire, lowerHalf >= 4 && ship.starbursts > 0);
    Hold(settings.keyFire, true);

    double goal = ship.position.x;
    if (target) {
        // Shots fly straight up: meet the object where it will be.
        double t = (target->centre.y - ship.position.y) / shotSpeed;
        goal = target->centre.x + VelocityOf(*target).x * t;
    }
    if (prize && (!target || prize->centre.y < ship.position.y + 8)) goal = prize->centre.x;
    double error = goal - ship.position.x;
    if (error < -0.4)
        Hold(settings.keyLeft, true);
    else if (error > 0.4)
        Hold(settings.keyRight, true);
}
