// The second game's session: a stream of falling objects that speeds up
// every 10,000 points.
#include <optional>

#include "framework/display.h"
#include "framework/gameglobals.h"
#include "game/asteroid.h"
#include "game/background.h"
#include "game/field_kinds.h"
#include "game/gamepacks.h"
#include "game/session_common.h"
#include "game/session_globals.h"
#include "game/ship.h"
#include "gamelib/fontman.h"
#include "sound/soundman.h"

namespace {

struct DifficultyRow {
    int shipHull;
    float spawnInterval, speedMin, speedMax;
};
constexpr DifficultyRow kRows[5] = {
    {12, 1.4f, 5.0f, 15.0f}, {8, 1.2f, 7.0f, 18.0f}, {5, 1.0f, 10.0f, 20.0f},
    {4, 0.8f, 15.0f, 25.0f}, {3, 0.6f, 20.0f, 30.0f},
};

const SessionRules kRules{true};

}  // namespace

void TShardstorm::SetDifficulty(int level) {
    settings.difficulty = level;
    settings.powerUpChance = 10;
    settings.asteroidHull = 1;
    settings.baseSpawnInterval = 1.0f;
    settings.baseSpeedMin = 10.0f;
    settings.baseSpeedMax = 20.0f;
    if (level >= 0 && level <= 4) {
        settings.shipHull = kRows[level].shipHull;
        settings.baseSpawnInterval = kRows[level].spawnInterval;
        settings.baseSpeedMin = kRows[level].speedMin;
        settings.baseSpeedMax = kRows[level].speedMax;
    }
    settings.shipStartHull = settings.shipHull;
}

void TShardstorm::OnNewGame() {
    nextSpeedUpScore = 10000;
    if (!theAsteroids) return;
    theAsteroids->spawnInterval = settings.baseSpawnInterval;
    theAsteroids->speedMin = settings.baseSpeedMin;
    theAsteroids->speedMax = settings.baseSpeedMax;
}

GameEventHandler TShardstorm::GetEventHandler() {
    return SessionEventHandler(kRules);
}

void TShardstorm::LoadTextures() { LoadRockTextures(); }

void TShardstorm::LoadFieldKinds() { RegisterFieldKinds(kShardstormKinds, *this); }

void TShardstorm::LoadBackgroundPictures() { theBackground->AddPicture("backs\\shardstormback1.jpg"); }

bool TShardstorm::Setup() {
    Matrix4 view, projection;
    SetupSessionBasics(view, projection);

    TMesh ship, missile, ufoMissile;
    if (!LoadRequiredMesh("ship2.x", 0, 0, 1.0, ship) ||
        !LoadRequiredMesh("missile.x", PLAYER_MISSILE_KIND, 0, 0.5, missile) ||
        !LoadRequiredMesh("ufomissile.x", ENEMY_MISSILE_KIND, 0, 0.5, ufoMissile))
        return false;

    theAsteroids = std::make_unique<TAsteroids>();
    theAsteroids->device = theDevice;
    theAsteroids->fallingMode = 1;
    theAsteroids->timedSpawns = 1;
    theAsteroids->splitSpeedFactor = 1.25f;
    theAsteroids->visitorRate = 6;
    LoadTextures();
    LoadFieldKinds();
    if (!HasFieldKind(KIND_ROCK, KEY_ROCK)) return false;
    RegisterPowerups(kShardstormKinds.powerupFlags);

    theShip = std::make_unique<TShip>();
    theShip->controlFlags = SHIP_SLIDER | SHIP_CLAMP;
    theShip->device = theDevice;
    theShip->SetAxis(0, 0, 1);
    theShip->startPosition = {0, -18, 0};
    theShip->maxSpeed = 20.0;
    theShip->mesh = ship;
    theShip->meshSphere = GetMeshSphere(theShip->mesh);
    theShip->NewGame();
    theShip->fireSound = SOUND_RICOCHET;

    if (!CreateSessionObjects(missile, ufoMissile)) return false;

    theBackground = std::make_unique<TBackground>(theDevice);
    theBackground->SetMode(settings.background);
    LoadBackgroundPictures();

    gameState = GAME_STATE_PLAYING;
    OnNewGame();
    return true;
}

int TShardstorm::Display(float dt) {
    if (quitting) return 1;
    if (theShip && theAsteroids && theShip->peakScore > nextSpeedUpScore) {
        nextSpeedUpScore += 10000;
        theAsteroids->speedMin *= 1.1f;
        theAsteroids->speedMax *= 1.1f;
        theAsteroids->spawnInterval *= 0.9f;
    }
    PlaySessionFrame(dt, kRules);
    if (endRequested) {
        quitting = 1;
        Cleanup();
        DestroyGameWindow(theGameWindow);
    }
    return 1;
}

void TShardstorm::Cleanup() {
    ReleaseFonts();
    StopLoopingSounds();
    ResetSessionGlobals();
    ResetToWindowed(theDevice);
}
