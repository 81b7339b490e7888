// The asteroid field: rocks, visiting enemies, whirlygigs, invaders, the
// zone, monoliths and power-ups. Every object is a TAsteroid whose kind (a
// by-value mesh record with kind flags and a key) decides its looks and
// behaviour; one TAsteroids per session owns them all.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "gamelib/mesh.h"
#include "platform/d3dx_math.h"
#include "sound/looping_sound.h"

class Device;
struct TTextureEntry;

constexpr int MAX_ASTEROIDS = 128;
constexpr int MAX_KINDS = 32;

// Kind flags of field objects.
constexpr uint32_t KIND_ESCAPES = 0x20;
constexpr uint32_t KIND_INVADER = 0x40;
constexpr uint32_t KIND_VISITOR = 0x80;
constexpr uint32_t KIND_WOBBLE = 0x100;
constexpr uint32_t KIND_WOBBLE_STEERING = 0x1000;
constexpr uint32_t KIND_WHIRLYGIG = 0x2000;
constexpr uint32_t KIND_RANDOM_COLOUR = 0x4000;
constexpr uint32_t KIND_ZONE = 0x8000;
constexpr uint32_t KIND_ROCK = 0x10000;
constexpr uint32_t KIND_POWERUP = 0x40000;
constexpr uint32_t KIND_SHOT_PROOF = 0x80000;
constexpr uint32_t KIND_SCATTER_FIRE = 0x100000;
constexpr uint32_t KIND_AIMED_FIRE = 0x4000000;
constexpr uint32_t KIND_EXPIRES = 0x8000000;
constexpr uint32_t KIND_ESCAPE_PENALTY = 0x10000000;

// Kind keys with a meaning of their own.
constexpr int32_t KEY_ANY = -1;
constexpr int32_t KEY_MONOLITH = 6;
constexpr int32_t KEY_ROCK = 7;
constexpr int32_t KEY_BASESTAR = 8;
constexpr int32_t KEY_VISITOR = 11;
constexpr int32_t KEY_SPINNER = 31;
constexpr int32_t KEY_SEEKER = 32;

// Texture groups of the rock textures; a wave may texture its rocks from one.
constexpr int32_t ROCK_TEXTURES_STONE = 0x10;
constexpr int32_t ROCK_TEXTURES_MUD = 0x20;
constexpr int32_t ROCK_TEXTURES_RUST = 0x40;
constexpr int32_t ROCK_TEXTURES_FIRE = 0x800;

// FindHit flag: powerups are not hit.
constexpr int FIND_SKIP_POWERUPS = 2;

// Power-up kinds (TMesh::powerupKind).
constexpr int32_t POWERUP_HULL = 0;
constexpr int32_t POWERUP_STARBURST = 1;
constexpr int32_t POWERUP_MISSILES = 2;
constexpr int32_t POWERUP_SHIP = 3;
constexpr int32_t POWERUP_SHIELD = 4;

struct PlayBounds {
    double left = -20, top = 20, right = 20, bottom = -20;
};

class TAsteroid {
public:
    TAsteroid();
    TAsteroid(const TAsteroid&) = delete;
    TAsteroid& operator=(const TAsteroid&) = delete;

    void SetSize(double s);
    void SetDirection(double x, double y);
    void SetSpinAxis(double x, double y, double z);
    void RandomSpinAxis();
    void RandomDirection();
    void EnterFromEdge();
    void Move(double dt);
    void BuildWorld();
    // Move and Fire; from then on the object has a world to draw with.
    void Step(double dt);
    void Fire(double dt);
    // The object, and its bounds when shown; nothing before its first step.
    void Draw() const;
    void Shrink();
    // The texture takes the place of the first textured material slot.
    void ApplyTexture(TTextureEntry* texture);

    Matrix4 world;
    Device* device = nullptr;
    mutable std::shared_ptr<D3DXMesh> boundsMesh;  // made by the first bounds draw
    int32_t touchedEdge = 0;
    int32_t bouncesLeft = 2;
    double tilt = 0.0;
    Vector3 spinAxis{1, 1, 1};
    Vector3 direction{1, -1, 0};
    Vector3 position;
    Vector3 centre;
    Sphere worldSphere;
    Sphere meshSphere;
    double spinAngle = 0.0, wobbleAngle = 0.0, orbitAngle = 0.0;
    double spinSign = 1.0;
    double speed;
    double spinRate = 1.0, wobbleRate = 1.0, orbitRate = 1.0;
    double size = 0.0;
    int32_t showBounds = 0;
    bool stepped = false;
    int32_t hull;
    int32_t initialHull;
    int32_t splitsLeft = 2;
    int32_t scoreValue = 100;
    int32_t dropPercent;
    int32_t noVerticalWrap = 0;
    double scale = 1.0;
    int32_t dead = 0;
    double fireTimer = 1.0;
    PlayBounds bounds;
    double edgeMargin = 0.001;
    double fireRate = 2.0;
    int32_t shotCount = 1;
    int32_t noRotation = 0;
    LoopingSound loopSound;  // the kind's sound, stopped with the object
    int32_t homing = 0;
    int32_t keepFalling = 0;
    TMesh kind;
};

class TAsteroids {
public:
    TAsteroids();
    ~TAsteroids();
    TAsteroids(const TAsteroids&) = delete;
    TAsteroids& operator=(const TAsteroids&) = delete;

    // Field population and per-frame step.
    int AddKind(const TMesh& mesh);
    int AddPowerupKind(const TMesh& mesh, int32_t powerupKind);
    TMesh* PickKind(uint32_t flags, int32_t key);
    TAsteroid* NewObject();
    TAsteroid* Spawn(uint32_t flags, int32_t key, int32_t group);
    void Hit(int index, const Vector3& shotDirection);
    void Split(int index, const Vector3& shotDirection);
    TAsteroid* SplitOff(const TAsteroid& parent);
    void Remove(int index);
    void Clear();
    int FindHit(const Sphere& probe, const Vector3& point, Vector3* nearest, int flags) const;
    int CountWithFlags(uint32_t flags) const;
    // Spawns that are due, then every object's step; the dead are removed.
    void StepAll(double dt);
    void DrawAll() const;

    // Waves and special spawns.
    void SpawnRocks(int count, uint32_t flags, int32_t group);
    TAsteroid* SpawnInvader(double x, double y, double spinRate);
    void SpawnInvaderColumn(int count);
    TAsteroid* SpawnWhirlygig(int32_t key, double x, double y, double spinRate);
    TAsteroid* SpawnWhirlygigRing(int32_t key, int count);
    TAsteroid* SpawnZone(int32_t key);
    TAsteroid* SpawnSpinner();
    TAsteroid* SpawnSeeker();
    TAsteroid* SpawnTimed();
    void StartWave(int n);
    void NextWave();
    void Restart();

    std::array<std::unique_ptr<TAsteroid>, MAX_ASTEROIDS> objects;
    std::array<TMesh, MAX_KINDS> kinds;
    Device* device = nullptr;
    int count = 0;
    int kindCount = 0;
    int32_t wave = 0;
    int32_t splitPieces = 3;
    int32_t fallingMode = 0;
    int32_t timedSpawns = 0;
    float spawnTimer = 0.0f;
    float speedMin = 0.0f, speedMax = 0.0f;
    float splitSpeedFactor = 1.5f;
    float spawnInterval = 1.0f;
    float globalScale = 1.0f;
    int32_t visitorRate = 2;

private:
    // Device, sphere, kind copy and random colour of a new object.
    void Adopt(TAsteroid& object, const TMesh& kind);
    void BuildFlagshipWave(int n);
    void BuildClassicWave(int n);
    void BuildCountWave(int n);
};

// Game ids that pick the wave rules.
constexpr int32_t GAME_ID_FLAGSHIP = 0;
constexpr int32_t GAME_ID_SECOND = 10;
constexpr int32_t GAME_ID_CLASSIC = 12;
constexpr int32_t GAME_ID_RETRO = 13;
