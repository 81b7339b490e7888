// What the field contains: special spawns, the second game's timed spawns,
// and the wave builders (the flagship table, the classic and count rules).
#include "framework/gameglobals.h"
#include "game/asteroid.h"
#include "game/session_globals.h"
#include "game/ship.h"
#include "platform/crt_rand.h"

namespace {

constexpr int kWaveCount = 25;
constexpr double kRingStep = 1.0471976;   // 60 degrees
constexpr double kFullTurn = 6.2831855;
constexpr double kRingSpacing = 3.0;
constexpr double kInvaderSpacing = 4.0;
constexpr double kSpecialSize = 2.0;

// One wave of the flagship game, built in this order: rocks, invader column,
// whirlygig ring, zone, monoliths, basestars.
struct WaveRow {
    int rocks;
    int group;  // ROCK_TEXTURES_* for the rocks; -1 leaves them as loaded
    int invaders;
    int ringCount;
    int ringKey;
    int zoneKey;
    int monoliths;
    int basestars;
};

constexpr WaveRow kWaves[kWaveCount] = {
    {1, -1, 0, 0, 0, 0, 0, 0},                    // 1
    {2, -1, 0, 0, 0, 0, 0, 0},                    // 2
    {3, -1, 0, 0, 0, 0, 0, 0},                    // 3
    {1, -1, 5, 0, 0, 0, 0, 0},                    // 4
    {5, -1, 0, 0, 0, 0, 0, 0},                    // 5
    {0, -1, 20, 0, 0, 0, 0, 0},                   // 6
    {2, -1, 0, 6, 1, 0, 0, 0},                    // 7
    {2, -1, 0, 10, 2, 0, 0, 0},                   // 8
    {3, -1, 0, 6, 3, 0, 0, 0},                    // 9
    {4, -1, 0, 6, 4, 0, 0, 0},                    // 10
    {0, -1, 0, 0, 0, 5, 0, 0},                    // 11
    {5, ROCK_TEXTURES_STONE, 0, 0, 0, 0, 0, 0},   // 12
    {3, ROCK_TEXTURES_STONE, 0, 6, 1, 0, 0, 0},   // 13
    {4, ROCK_TEXTURES_STONE, 0, 6, 3, 0, 0, 0},   // 14
    {0, -1, 0, 0, 0, 0, 4, 0},                    // 15
    {5, ROCK_TEXTURES_FIRE, 0, 0, 0, 0, 0, 0},    // 16
    {4, ROCK_TEXTURES_FIRE, 6, 0, 0, 0, 0, 0},    // 17
    {4, ROCK_TEXTURES_FIRE, 0, 0, 0, 0, 1, 0},    // 18
    {0, -1, 0, 0, 0, 0, 0, 3},                    // 19
    {5, ROCK_TEXTURES_RUST, 0, 0, 0, 0, 0, 0},    // 20
    {4, ROCK_TEXTURES_RUST, 0, 7, 3, 0, 0, 0},    // 21
    {4, ROCK_TEXTURES_RUST, 0, 9, 2, 0, 0, 0},    // 22
    {0, -1, 0, 0, 0, 0, 0, 0},                    // 23: empty, skipped on the next frame
    {5, ROCK_TEXTURES_MUD, 0, 0, 0, 0, 0, 0},     // 24
    {5, ROCK_TEXTURES_MUD, 0, 4, 1, 0, 0, 0},     // 25
};

}  // namespace

void TAsteroids::SpawnRocks(int n, uint32_t flags, int32_t group) {
    for (int i = 0; i < n; ++i) Spawn(flags, KEY_ROCK, group);
}

TAsteroid* TAsteroids::SpawnInvader(double x, double y, double rate) {
    TAsteroid* object = NewObject();
    if (!object) return nullptr;
    const TMesh* kind = PickKind(KIND_INVADER, KEY_ANY);
    if (!kind) {
        Remove(count - 1);
        return nullptr;
    }
    Adopt(*object, *kind);
    object->SetDirection(0, -1);
    object->position = Vector3(static_cast<float>(x), static_cast<float>(y), 0.0f);
    object->spinRate = rate;
    object->SetSpinAxis(0, 1, 0);
    if (!settings.enableRotation) object->noRotation = 1;
    object->SetSize(kSpecialSize);
    object->splitsLeft = 0;
    return object;
}

void TAsteroids::SpawnInvaderColumn(int n) {
    for (int i = 0; i < n; ++i) {
        int a = rp::rand(), b = rp::rand();
        SpawnInvader(a % 40 - 20, 20.0 + kInvaderSpacing * i, b % 2 + 1);
    }
}

TAsteroid* TAsteroids::SpawnWhirlygig(int32_t key, double x, double y, double rate) {
    TAsteroid* object = NewObject();
    if (!object) return nullptr;
    const TMesh* kind = PickKind(KIND_WHIRLYGIG, key);
    if (!kind) {
        Remove(count - 1);
        return nullptr;
    }
    Adopt(*object, *kind);
    object->position = Vector3(static_cast<float>(x), static_cast<float>(y), 0.0f);
    object->spinRate = rate;
    object->SetSize(kSpecialSize);
    object->splitsLeft = 0;
    return object;
}

TAsteroid* TAsteroids::SpawnWhirlygigRing(int32_t key, int n) {
    int a = rp::rand(), b = rp::rand(), c = rp::rand();
    double x = a % 40 - 20;
    double y = 20 + (b % 50) * 0.1;
    double phase = (c % 10) * 0.1;
    TAsteroid* last = nullptr;
    for (int i = 0; i < n; ++i) {
        phase += kRingStep;
        if (phase > kFullTurn) phase -= kFullTurn;
        int r = rp::rand();
        y += kRingSpacing;
        last = SpawnWhirlygig(key, x, static_cast<int>(y), r % 2 + 1);
        if (!last) continue;
        last->orbitAngle = phase;
        last->orbitRate = 1.5;
    }
    return last;
}

TAsteroid* TAsteroids::SpawnZone(int32_t key) {
    TAsteroid* object = Spawn(KIND_ZONE, key, -1);
    if (!object) return nullptr;
    object->splitsLeft = 0;
    if (key == 5) object->SetSize(3.0);
    return object;
}

TAsteroid* TAsteroids::SpawnSpinner() {
    TAsteroid* object = Spawn(KIND_ROCK, KEY_SPINNER, -1);
    if (!object) return nullptr;
    object->scoreValue = 250;
    object->splitsLeft = 0;
    object->spinRate = 10.0;
    object->spinSign = -1.0;
    object->SetSpinAxis(0, 0, 1);
    object->tilt = 1.5707964;
    return object;
}

TAsteroid* TAsteroids::SpawnSeeker() {
    TAsteroid* object = Spawn(KIND_ROCK, KEY_SEEKER, -1);
    if (!object) return nullptr;
    object->keepFalling = 1;
    object->scoreValue = 50;
    object->splitsLeft = 0;
    object->spinRate = 10.0;
    object->homing = 1;
    return object;
}

TAsteroid* TAsteroids::SpawnTimed() {
    if (rp::rand() % 5 == 0) return SpawnSpinner();
    if (rp::rand() % 8 == 0) return SpawnSeeker();
    TAsteroid* rock = Spawn(KIND_ROCK, KEY_ROCK, -1);
    if (!rock) return nullptr;
    int shrinks = 0;
    switch (rp::rand() % 4) {
        case 0: shrinks = 2; break;
        case 1:
        case 2: shrinks = 1; break;
        default: break;
    }
    for (int i = 0; i < shrinks; ++i) {
        --rock->splitsLeft;
        rock->Shrink();
    }
    return rock;
}

void TAsteroids::BuildFlagshipWave(int n) {
    if (n < 1 || n > kWaveCount) return;
    const WaveRow& row = kWaves[n - 1];
    SpawnRocks(row.rocks, KIND_ROCK, row.group);
    SpawnInvaderColumn(row.invaders);
    if (row.ringCount) SpawnWhirlygigRing(row.ringKey, row.ringCount);
    if (row.zoneKey) SpawnZone(row.zoneKey);
    for (int i = 0; i < row.monoliths; ++i) Spawn(KIND_ROCK, KEY_MONOLITH, -1);
    for (int i = 0; i < row.basestars; ++i)
        if (TAsteroid* basestar = Spawn(KIND_VISITOR, KEY_BASESTAR, -1)) basestar->splitsLeft = 0;
}

void TAsteroids::BuildClassicWave(int n) {
    int rocks = n <= 1 ? 4 : n == 2 ? 6 : 10;
    for (int i = 0; i < rocks; ++i) Spawn(KIND_ROCK, KEY_ROCK, -1);
}

void TAsteroids::BuildCountWave(int n) {
    for (int i = 0; i < n; ++i) Spawn(KIND_ROCK, KEY_ROCK, -1);
}

void TAsteroids::StartWave(int n) {
    if (theShip) theShip->wave = n;
    int32_t game = settings.gameId;
    bool classic = game == GAME_ID_CLASSIC || game == GAME_ID_RETRO;
    if (game != GAME_ID_FLAGSHIP && !classic && game != GAME_ID_SECOND) return;
    Clear();
    if (game == GAME_ID_FLAGSHIP)
        BuildFlagshipWave(n);
    else if (classic)
        BuildClassicWave(n);
    else
        BuildCountWave(n);
    if (theShip) theShip->waveIndex = n - 1;
}

void TAsteroids::NextWave() {
    ++wave;
    if (settings.gameId == GAME_ID_FLAGSHIP && wave == kWaveCount + 1) wave = 1;
    if (theShip) ++theShip->wavesStarted;
    StartWave(wave);
}

void TAsteroids::Restart() {
    wave = 0;
    Clear();
    NextWave();
}
