#include "replay/replay_settings.h"

#include <cstring>

#include "framework/gameglobals.h"
#include "persist/highscore.h"

namespace {

struct PlaySetting {
    const char* name;
    int32_t TSettings::*integer;
    float TSettings::*real;
};

// Everything the simulation, the ship's controls or the window procedure
// read; display, sound and drawing options are left out.
const PlaySetting kPlaySettings[] = {
    {"difficulty", &TSettings::difficulty, nullptr},
    {"gameId", &TSettings::gameId, nullptr},
    {"shipHull", &TSettings::shipHull, nullptr},
    {"shipStartHull", &TSettings::shipStartHull, nullptr},
    {"asteroidHull", &TSettings::asteroidHull, nullptr},
    {"powerUpChance", &TSettings::powerUpChance, nullptr},
    {"baseSpawnInterval", nullptr, &TSettings::baseSpawnInterval},
    {"baseSpeedMin", nullptr, &TSettings::baseSpeedMin},
    {"baseSpeedMax", nullptr, &TSettings::baseSpeedMax},
    {"inputDevice", &TSettings::inputDevice, nullptr},
    {"background", &TSettings::background, nullptr},
    {"enableCheat", &TSettings::enableCheat, nullptr},
    {"accel", &TSettings::accel, nullptr},
    {"playerMissile", &TSettings::playerMissile, nullptr},
    {"ufoMissile", &TSettings::ufoMissile, nullptr},
    {"enableBarricades", &TSettings::enableBarricades, nullptr},
    {"enableRotation", &TSettings::enableRotation, nullptr},
    {"keyFire", &TSettings::keyFire, nullptr},
    {"keyFire0", &TSettings::keyFire0, nullptr},
    {"keyFire1", &TSettings::keyFire1, nullptr},
    {"keyFire2", &TSettings::keyFire2, nullptr},
    {"keyAltFire", &TSettings::keyAltFire, nullptr},
    {"keyShield", &TSettings::keyShield, nullptr},
    {"keyBrake", &TSettings::keyBrake, nullptr},
    {"keyThrust", &TSettings::keyThrust, nullptr},
    {"keyLeft", &TSettings::keyLeft, nullptr},
    {"keyRight", &TSettings::keyRight, nullptr},
    {"mouseVelocity", &TSettings::mouseVelocity, nullptr},
    {"pauseOnFocusLoss", &TSettings::pauseOnFocusLoss, nullptr},
};

}  // namespace

void CaptureReplaySettings(Replay& replay) {
    replay.settings.clear();
    for (const PlaySetting& s : kPlaySettings) {
        int32_t value = 0;
        if (s.integer)
            value = settings.*s.integer;
        else
            std::memcpy(&value, &(settings.*s.real), sizeof value);
        replay.settings.push_back({s.name, value});
    }
    replay.highScores.clear();
    for (const THighScore& h : highScores) replay.highScores.push_back({h.playerName, h.score});
}

bool ApplyReplaySettings(const Replay& replay, std::string& unknown) {
    for (const ReplaySetting& r : replay.settings) {
        const PlaySetting* found = nullptr;
        for (const PlaySetting& s : kPlaySettings)
            if (r.name == s.name) found = &s;
        if (!found) {
            unknown = r.name;
            return false;
        }
        if (found->integer)
            settings.*found->integer = r.value;
        else
            std::memcpy(&(settings.*found->real), &r.value, sizeof r.value);
    }
    ClearHighScores();
    for (size_t i = 0; i < replay.highScores.size() && i < NUM_HIGH_SCORES; ++i) {
        highScores[i].playerName = replay.highScores[i].name;
        highScores[i].score = replay.highScores[i].score;
    }
    return true;
}
