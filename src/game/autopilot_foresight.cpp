#include "game/autopilot_foresight.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "game/asteroid.h"
#include "game/projectile.h"
#include "game/session_globals.h"
#include "game/ship.h"

namespace {

constexpr double kStep = 1.0 / 30;
constexpr double kTurnRate = 6.0;  // radians per second, as the ship turns
constexpr float kPlayArea = 40.0f;

Vector3 Flat(const Vector3& v) { return {v.x, v.y, 0}; }

float Wrap(float d) {
    if (d > kPlayArea / 2) return d - kPlayArea;
    if (d < -kPlayArea / 2) return d + kPlayArea;
    return d;
}

}  // namespace

Vector3 WrappedOffset(const Vector3& from, const Vector3& to, bool vertical) {
    const float dy = to.y - from.y;
    return {Wrap(to.x - from.x), vertical ? Wrap(dy) : dy, 0};
}

Foresight::Foresight(const TShip& ship) : ship_(ship) {
    if (theAsteroids)
        for (int i = 0; i < theAsteroids->count; ++i) {
            const TAsteroid& a = *theAsteroids->objects[i];
            if (a.kind.flags & KIND_POWERUP) continue;
            threats_.push_back(
                {Flat(a.centre), Flat(a.direction) * static_cast<float>(a.speed), a.worldSphere.radius});
        }
    if (theProjectiles)
        for (int i = 0; i < theProjectiles->count; ++i) {
            const TProjectile& p = *theProjectiles->projectiles[i];
            if (!(p.kind.flags & PROJECTILE_ENEMY)) continue;
            threats_.push_back(
                {Flat(p.position), Flat(p.direction) * static_cast<float>(p.speed), p.worldSphere.radius});
        }
}

double Foresight::Clearance(const HeldControls& controls, double horizon) const {
    const bool slider = ship_.controlFlags & SHIP_SLIDER;
    const float radius = ship_.worldSphere.radius;
    Vector3 position = Flat(ship_.position), velocity = Flat(ship_.velocity);
    double heading = ship_.heading;
    double least = std::numeric_limits<double>::infinity();
    for (double t = 0; t <= horizon; t += kStep) {
        for (const Mover& m : threats_) {
            Vector3 at = m.position + m.velocity * static_cast<float>(t);
            least = std::min(least, double(D3DXVec3Length(WrappedOffset(position, at, !slider))) - radius - m.radius);
        }
        // The ship's next step, as its controls move it.
        Vector3 push;
        if (slider) {
            push = Vector3(static_cast<float>(controls.steer), 0, 0);
        } else {
            heading += controls.steer * kTurnRate * kStep;
            if (controls.thrust)
                push = Vector3(static_cast<float>(-std::sin(heading)), static_cast<float>(std::cos(heading)), 0);
        }
        if (D3DXVec3Length(push) > 0) {
            velocity += push * static_cast<float>(ship_.accel * kStep);
            float speed = D3DXVec3Length(velocity);
            if (speed > ship_.maxSpeed) velocity *= static_cast<float>(ship_.maxSpeed / speed);
        } else {
            float speed = D3DXVec3Length(velocity);
            float slowed = std::max(0.0f, speed - static_cast<float>(ship_.drag * kStep));
            velocity = speed > 0 ? velocity * (slowed / speed) : velocity;
        }
        position += velocity * static_cast<float>(kStep);
        if (slider) position.x = std::clamp(position.x, -20.0f + radius, 20.0f - radius);
    }
    return least;
}
