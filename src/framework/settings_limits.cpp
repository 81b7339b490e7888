#include "framework/settings_limits.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "framework/gameglobals.h"

namespace {

void Clamp(int32_t& value, int32_t low, int32_t high) { value = std::clamp(value, low, high); }

void Clamp(float& value, float low, float high, float fallback) {
    value = std::isnan(value) ? fallback : std::clamp(value, low, high);
}

}  // namespace

void ClampSettings(TSettings& s) {
    const TSettings defaults;
    Clamp(s.difficulty, 0, 4);
    Clamp(s.width, 320, 16384);
    Clamp(s.height, 200, 16384);
    Clamp(s.adapter, 0, 64);
    Clamp(s.shipHull, 1, 1000);
    Clamp(s.shipStartHull, 1, s.shipHull);
    Clamp(s.asteroidHull, 1, 1000);
    Clamp(s.powerUpChance, 0, 100);
    Clamp(s.baseSpawnInterval, 0.05f, 60.0f, defaults.baseSpawnInterval);
    Clamp(s.baseSpeedMin, 0.0f, 1000.0f, defaults.baseSpeedMin);
    Clamp(s.baseSpeedMax, s.baseSpeedMin, 1000.0f, std::max(s.baseSpeedMin, defaults.baseSpeedMax));
    Clamp(s.inputDevice, 0, 2);
    Clamp(s.background, 0, 5);
    for (int32_t* flag : {&s.windowed, &s.wireFrame, &s.enableSound, &s.enableSpecular, &s.showBounding, &s.showFps,
                          &s.presentImmediate, &s.timingFallback, &s.enableCheat, &s.didSurvey, &s.enableBarricades,
                          &s.enableRotation, &s.pauseOnFocusLoss})
        Clamp(*flag, 0, 1);
    for (int32_t* slider : {&s.accel, &s.playerMissile, &s.ufoMissile, &s.mouseVelocity}) Clamp(*slider, 0, 10);
    for (int32_t* key : {&s.keyFire, &s.keyFire0, &s.keyFire1, &s.keyFire2, &s.keyAltFire, &s.keyShield, &s.keyBrake,
                         &s.keyThrust, &s.keyLeft, &s.keyRight})
        Clamp(*key, -1, 255);  // -1: no key
}
