// Program-wide globals: the settings record the launcher fills and the games
// read, the pack and its current game.
#pragma once

#include <cstdint>

class TGame;
class TGamePack;

struct TSettings {
    int32_t difficulty = 2;
    int32_t width = 800, height = 600;
    int32_t gameId = 0;
    int32_t shipHull = 5, shipStartHull = 5, asteroidHull = 5, powerUpChance = 10;
    // Second game's difficulty values.
    float baseSpawnInterval = 1.0f, baseSpeedMin = 10.0f, baseSpeedMax = 20.0f;
    int32_t inputDevice = 0;  // 0 mouse, 1 keyboard, 2 joystick
    int32_t adapter = 0;
    int32_t windowed = 0;
    int32_t background = 1;
    int32_t wireFrame = 0;
    int32_t enableSound = 1;
    int32_t enableSpecular = 1;
    int32_t showBounding = 0;
    int32_t showFps = 0;
    int32_t presentImmediate = 0;
    int32_t timingFallback = 0;
    int32_t enableCheat = 0;
    int32_t didSurvey = 0;
    int32_t accel = 5;
    int32_t playerMissile = 5, ufoMissile = 5;
    int32_t enableBarricades = 0;
    int32_t enableRotation = 1;
    int32_t keyFire = 0x11, keyFire0 = 0x41, keyFire1 = 0x53, keyFire2 = 0x44, keyAltFire = 0x12,
            keyShield = 0x10, keyBrake = 0x28, keyThrust = 0x26, keyLeft = 0x25, keyRight = 0x27;
    int32_t mouseVelocity = 5;
    // Pause the game when its window loses focus.
    int32_t pauseOnFocusLoss = 1;
};

extern TSettings settings;

// The pack descriptor and its current game (set by whoever runs the program).
extern TGamePack* theGamePack;
TGame* CurrentGame();
