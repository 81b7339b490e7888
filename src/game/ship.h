// The player's ship and the record of the player's game: score, lives, hull,
// shield, special ammunition and the wave number. Flies freely with wrapping
// (flagship family) or slides along the bottom clamped to the play area
// (second game).
#pragma once

#include <cstdint>
#include <memory>

#include "gamelib/mesh.h"
#include "platform/d3dx_math.h"

class Device;
class D3DXMesh;
class TAsteroid;

// controlFlags bits.
constexpr uint32_t SHIP_SLIDER = 0x1;
constexpr uint32_t SHIP_FREE_FLIGHT = 0x2;
constexpr uint32_t SHIP_CLAMP = 0x10;

constexpr double SHIP_MAX_SPEED = 20.0;

struct ShipControls {
    int32_t fire = 0, previousFire = 0, left = 0, right = 0, thrust = 0, brake = 0, altFire = 0, shield = 0;
};

struct ShipBounds {
    double left = -20, right = 20, bottom = -20, top = 20;
};

// Thrust acceleration and coasting drag for the "accel" setting (0..10).
void AccelForSetting(int setting, double& accel, double& drag);

class TShip {
public:
    TShip();
    TShip(const TShip&) = delete;
    TShip& operator=(const TShip&) = delete;

    void SetAxis(double x, double y, double z);
    void NewGame();
    void Respawn();
    // The frame's step: the parts below, in order, while the ship is in play.
    void Step(double dt);
    // The ship, its shield or protection sphere and its bounds, when the last
    // step found it in play.
    void Draw() const;
    void AddScore(int32_t points);
    void SubtractScore(int32_t points);
    void Damage(float x, float y, float z);
    void Bump(const TAsteroid& object, const Vector3& hitPoint);
    void CrashAt(float x, float y, float z);
    void Destroy();
    void EndGame();
    void CollectPowerup(TAsteroid& object);
    void AddMissiles();

    // Parts of Step, in frame order.
    void ReadControls();
    void Steer(double dt);
    void FireAndShield(double dt);
    void Move(double dt);
    void Collide();
    void BuildWorld();

    Vector3 axis{0, 0, 1};
    Vector3 velocity;
    Vector3 thrustDir{0, 1, 0};
    Vector3 nose{0, 1, 0};
    Vector3 startPosition;
    Vector3 position;
    Matrix4 world;
    Device* device = nullptr;
    mutable std::shared_ptr<D3DXMesh> boundsMesh;  // made by the first bounds draw
    Sphere worldSphere;
    Sphere meshSphere;
    double accel;
    double drag;
    double heading = 0.0;
    double thrust = 0.0;
    double scale = 0.2;
    double fireCooldown = 0.0;
    double altCooldown = 0.0;
    double fireRate = 5.0;
    double maxSpeed = SHIP_MAX_SPEED;
    int32_t showBounds = 0;
    bool inPlay = false;
    uint32_t controlFlags = SHIP_FREE_FLIGHT;
    int32_t wave = 0;
    ShipBounds bounds;
    int32_t maxStarbursts = 9;
    int32_t maxHull;
    int32_t hull;
    int32_t starbursts = 0;
    int32_t missiles = 0;
    int32_t superMissiles = 0;
    int32_t fireSound;
    int32_t shieldOn = 0;
    double shieldEnergy = 0.0;
    double maxShield = 9.0;
    double invulnerable = 0.0;
    double respawnTimer = 0.0;
    int32_t lives = 0;
    int32_t score = 0;
    int32_t peakScore = 0;
    int32_t wavesStarted = 0;
    int32_t waveIndex = 0;
    ShipControls controls;
    TMesh mesh;

private:
    void UpdateWorldSphere();
};

// The ship's position, or the origin when there is no ship.
Vector3 ShipPosition();
