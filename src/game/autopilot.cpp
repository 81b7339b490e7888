#include "game/autopilot.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "framework/display.h"
#include "framework/gameglobals.h"
#include "framework/tgame.h"
#include "game/asteroid.h"
#include "game/autopilot_foresight.h"
#include "game/projectile.h"
#include "game/session_globals.h"
#include "game/ship.h"
#include "platform/keyboard.h"
#include "platform/game_window.h"

namespace {

constexpr double kPi = 3.14159265358979;
// Look-ahead for dodging, and the gap to threats that counts as safe.
constexpr double kHorizon = 1.0;
constexpr double kSafeGap = 1.5;
// A hit this soon whatever the ship does calls for the shield.
constexpr double kMoment = 0.2;

double WrapAngle(double a) {
    while (a > kPi) a -= 2 * kPi;
    while (a < -kPi) a += 2 * kPi;
    return a;
}

// Positions in the plane of play: an object's centre carries its drawing
// depth in z.
Vector3 Flat(const Vector3& v) { return {v.x, v.y, 0}; }

bool IsPowerup(const TAsteroid& a) { return (a.kind.flags & KIND_POWERUP) != 0; }
bool IsShootable(const TAsteroid& a) { return !(a.kind.flags & (KIND_POWERUP | KIND_SHOT_PROOF)); }
bool Shoots(const TAsteroid& a) { return (a.kind.flags & (KIND_SCATTER_FIRE | KIND_AIMED_FIRE)) != 0; }

Vector3 VelocityOf(const TAsteroid& a) { return Flat(a.direction) * static_cast<float>(a.speed); }

// Where a shot fired now meets the object, as an offset from the ship (one
// refinement of the flight time).
Vector3 Lead(const TAsteroid& a, const Vector3& from, double shotSpeed) {
    Vector3 offset = WrappedOffset(from, a.centre);
    Vector3 p = offset;
    for (int i = 0; i < 2; ++i) p = offset + VelocityOf(a) * static_cast<float>(D3DXVec3Length(p) / shotSpeed);
    return p;
}

// Seconds until the object comes within `reach` of the ship, or infinity.
double TimeToContact(const TAsteroid& a, const TShip& ship, double reach) {
    Vector3 rel = WrappedOffset(ship.position, a.centre);
    Vector3 vel = VelocityOf(a) - Flat(ship.velocity);
    double dist = D3DXVec3Length(rel) - reach;
    if (dist <= 0) return 0;
    double closing = -D3DXVec3Dot(rel, vel) / std::max(D3DXVec3Length(rel), 1e-6f);
    return closing > 0 ? dist / closing : std::numeric_limits<double>::infinity();
}

// The held controls with the most room over the look-ahead, keeping
// `preferred` while it is safe or no worse than the others.
HeldControls Dodge(const Foresight& foresight, HeldControls preferred, bool freeFlight) {
    double best = foresight.Clearance(preferred, kHorizon);
    if (best >= kSafeGap) return preferred;
    HeldControls chosen = preferred;
    for (int steer = -1; steer <= 1; ++steer)
        for (bool thrust : {false, true}) {
            if (thrust && !freeFlight) continue;
            HeldControls c{steer, thrust};
            double gap = foresight.Clearance(c, kHorizon);
            if (gap > best + 0.05) best = gap, chosen = c;
        }
    return chosen;
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
            PostEvent(theGameWindow, CharacterEvent('r'));
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
    const uint32_t ch = typed_ < name_.size() ? static_cast<unsigned char>(name_[typed_]) : 13;
    PostEvent(theGameWindow, CharacterEvent(ch));
    ++typed_;
}

bool Autopilot::ShieldNeeded(const Foresight& foresight, const HeldControls& controls) const {
    const TShip& ship = *theShip;
    return ship.invulnerable <= 0 && ship.shieldEnergy > 0 && foresight.Clearance(controls, kMoment) < 0.1;
}

void Autopilot::FlyFree() {
    const TShip& ship = *theShip;
    const double shotSpeed = ProjectileSpeedForSetting(settings.playerMissile);
    const double reach = ship.worldSphere.radius;
    const Foresight foresight(ship);

    const TAsteroid* target = nullptr;
    const TAsteroid* prize = nullptr;
    double targetScore = std::numeric_limits<double>::infinity();
    double prizeDistance = 14.0;
    bool onTheNose = false;
    int crowd = 0;
    for (int i = 0; i < theAsteroids->count; ++i) {
        const TAsteroid& a = *theAsteroids->objects[i];
        double distance = D3DXVec3Length(WrappedOffset(ship.position, a.centre));
        if (IsPowerup(a)) {
            if (distance < prizeDistance) prizeDistance = distance, prize = &a;
            continue;
        }
        if (distance < a.worldSphere.radius + 7) ++crowd;
        if (!IsShootable(a)) continue;
        Vector3 lead = Lead(a, ship.position, shotSpeed);
        double turn = std::fabs(WrapAngle(std::atan2(-lead.x, lead.y) - ship.heading));
        double leadDistance = std::max(double(D3DXVec3Length(lead)), 0.1);
        if (turn < std::atan2(a.worldSphere.radius + 0.2, leadDistance)) onTheNose = true;
        // Prefer what is coming, what is near, what needs little turning and
        // what shoots back.
        double contact = TimeToContact(a, ship, reach + a.worldSphere.radius);
        double score = distance + std::min(contact, 5.0) * 6 + turn * 2 - (Shoots(a) ? 8 : 0);
        if (score < targetScore) targetScore = score, target = &a;
    }

    // A power-up is worth the trip when nothing is close to shoot, or when
    // it mends what is short.
    bool chase = prize && (!target || targetScore > 12 || prizeDistance < 5 ||
                           (prize->kind.powerupKind == POWERUP_HULL && ship.hull < ship.maxHull));
    const TAsteroid* aim = chase ? prize : target;
    HeldControls preferred;
    double error = 0;
    if (aim) {
        Vector3 d = chase ? WrappedOffset(ship.position, aim->centre) : Lead(*aim, ship.position, shotSpeed);
        error = WrapAngle(std::atan2(-d.x, d.y) - ship.heading);
        preferred.steer = error > 0.06 ? 1 : error < -0.06 ? -1 : 0;
        preferred.thrust = chase && std::fabs(error) < 0.3;
    }
    const HeldControls controls = Dodge(foresight, preferred, true);
    Hold(settings.keyLeft, controls.steer > 0);
    Hold(settings.keyRight, controls.steer < 0);
    Hold(settings.keyThrust, controls.thrust);
    Hold(settings.keyFire, onTheNose);

    const bool shield = ShieldNeeded(foresight, controls);
    Hold(settings.keyShield, shield);
    const TGame* game = CurrentGame();
    bool burst = game && game->UsesAltStarburst()
                     ? !chase && target && std::fabs(error) < 0.1 && crowd >= 3
                     : crowd >= 4 || (!shield && foresight.Clearance(controls, kMoment) < 0.1);
    Hold(settings.keyAltFire, burst && ship.starbursts > 0);
}

void Autopilot::FlySlider() {
    const TShip& ship = *theShip;
    const double shotSpeed = ProjectileSpeedForSetting(settings.playerMissile);
    const double reach = ship.worldSphere.radius + 1.0;
    const Foresight foresight(ship);

    // Spinners first (one that gets past costs the ship), then what is on
    // course for the ship, then the lowest.
    const TAsteroid* target = nullptr;
    const TAsteroid* prize = nullptr;
    double targetScore = std::numeric_limits<double>::infinity();
    double prizeHeight = std::numeric_limits<double>::infinity();
    int lowerHalf = 0;
    bool spinnerEscaping = false;
    for (int i = 0; i < theAsteroids->count; ++i) {
        const TAsteroid& a = *theAsteroids->objects[i];
        if (a.centre.y > 21) continue;  // not in view yet
        if (IsPowerup(a)) {
            if (a.centre.y < prizeHeight) prizeHeight = a.centre.y, prize = &a;
            continue;
        }
        if (a.centre.y < 0) ++lowerHalf;
        const Vector3 v = VelocityOf(a);
        const bool spinner = a.kind.kindParam == KEY_SPINNER;
        if (spinner && v.y < 0 && a.centre.y - a.worldSphere.radius + v.y * 0.3f < -20) spinnerEscaping = true;
        if (!IsShootable(a) || a.centre.y <= ship.position.y) continue;
        double fall = v.y < 0 ? (a.centre.y - ship.position.y) / -v.y : 10.0;
        double crossing = a.centre.x + v.x * fall;
        bool onCourse = std::fabs(crossing - ship.position.x) < a.worldSphere.radius + reach;
        double score = a.centre.y - (spinner ? 40 : 0) - (onCourse ? 15 : 0);
        if (score < targetScore) targetScore = score, target = &a;
    }

    double goal = ship.position.x;
    if (target) {
        // Shots fly straight up: meet the object where it will be.
        double t = (target->centre.y - ship.position.y) / shotSpeed;
        goal = target->centre.x + VelocityOf(*target).x * t;
    }
    if (prize && prize->centre.y < ship.position.y + 8 && (!target || targetScore > -10)) goal = prize->centre.x;
    double error = goal - ship.position.x;
    HeldControls preferred{error < -0.4 ? -1 : error > 0.4 ? 1 : 0, false};
    const HeldControls controls = Dodge(foresight, preferred, false);
    Hold(settings.keyLeft, controls.steer < 0);
    Hold(settings.keyRight, controls.steer > 0);
    Hold(settings.keyFire, true);

    const bool shield = ShieldNeeded(foresight, controls) ||
                        (spinnerEscaping && ship.invulnerable <= 0 && ship.shieldEnergy > 0);
    Hold(settings.keyShield, shield);
    bool burst = lowerHalf >= 4 || spinnerEscaping || (!shield && foresight.Clearance(controls, kMoment) < 0.1);
    Hold(settings.keyAltFire, burst && ship.starbursts > 0);
}
