#include "replay/world_hash.h"

#include <cstring>
#include <type_traits>

#include "effects/explode.h"
#include "game/asteroid.h"
#include "game/projectile.h"
#include "game/session_globals.h"
#include "game/ship.h"
#include "platform/crt_rand.h"

namespace {

// FNV-1a over the bytes of plain values.
class Hasher {
public:
    template <typename T>
    Hasher& operator<<(const T& value) {
        static_assert(std::is_arithmetic_v<T> || std::is_enum_v<T>);
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        for (unsigned char b : bytes) hash_ = (hash_ ^ b) * 0x100000001B3ull;
        return *this;
    }
    Hasher& operator<<(const Vector3& v) { return *this << v.x << v.y << v.z; }
    uint64_t value() const { return hash_; }

private:
    uint64_t hash_ = 0xCBF29CE484222325ull;
};

void HashShip(Hasher& h, const TShip& s) {
    h << s.position << s.velocity << s.heading << s.thrust << s.fireCooldown << s.altCooldown << s.wave
      << s.maxHull << s.hull << s.starbursts << s.missiles << s.superMissiles << s.shieldOn << s.shieldEnergy
      << s.invulnerable << s.respawnTimer << s.lives << s.score << s.peakScore << s.wavesStarted << s.waveIndex
      << s.controls.fire << s.controls.left << s.controls.right << s.controls.thrust << s.controls.altFire
      << s.controls.shield;
}

void HashField(Hasher& h, const TAsteroids& field) {
    h << field.count << field.wave << field.spawnTimer << field.speedMin << field.speedMax << field.spawnInterval;
    for (int i = 0; i < field.count; ++i) {
        const TAsteroid& a = *field.objects[i];
        h << a.kind.flags << a.kind.kindParam << a.position << a.direction << a.speed << a.size << a.hull
          << a.splitsLeft << a.spinAngle << a.wobbleAngle << a.orbitAngle << a.fireTimer << a.bouncesLeft
          << a.touchedEdge << a.homing;
    }
}

void HashProjectiles(Hasher& h, const TProjectiles& shots) {
    h << shots.count;
    for (int i = 0; i < shots.count; ++i) {
        const TProjectile& p = *shots.projectiles[i];
        h << p.kind.flags << p.position << p.direction << p.speed << p.fuse;
    }
}

void HashExplosions(Hasher& h, const TExplosions& explosions) {
    h << explosions.count;
    for (int i = 0; i < explosions.count; ++i) {
        const TExplosion& e = *explosions.explosions[i];
        h << e.position << e.time << e.size << e.rotation;
    }
}

}  // namespace

uint64_t WorldHash(uint64_t drawsBefore) {
    Hasher h;
    h << rp::randState() << (rp::randDraws() - drawsBefore) << gameState << paused;
    if (theShip) HashShip(h, *theShip);
    if (theAsteroids) HashField(h, *theAsteroids);
    if (theProjectiles) HashProjectiles(h, *theProjectiles);
    if (theExplosions) HashExplosions(h, *theExplosions);
    return h.value();
}
