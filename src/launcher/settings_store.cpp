#include "launcher/settings_store.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "framework/gameglobals.h"
#include "framework/tgame.h"
#include "framework/tgamepack.h"
#include "persist/highscore.h"
#include "persist/kwparam.h"
#include "platform/message_box.h"

namespace {

struct IntSetting {
    const char* name;
    int32_t TSettings::*field;
};

// Pack-wide values, in store order.
const IntSetting kPackSettings[] = {
    {"adapter", &TSettings::adapter},         {"windowed", &TSettings::windowed},
    {"width", &TSettings::width},             {"height", &TSettings::height},
    {"inputdevice", &TSettings::inputDevice}, {"didsurvey", &TSettings::didSurvey},
};

// Per-game values, in store order. The rotation option is read as
// "enablerotation" and written as "enableRotation": names match without
// regard to case, so both are the same value.
struct GameSetting {
    const char* readName;
    const char* writeName;
    int32_t TSettings::*field;
    bool missileSpeed;  // not stored by games that hide the speed settings
};

const GameSetting kGameSettings[] = {
    {"difficulty", "difficulty", &TSettings::difficulty, false},
    {"shipHull", "shipHull", &TSettings::shipHull, false},
    {"asteroidHull", "asteroidHull", &TSettings::asteroidHull, false},
    {"background", "background", &TSettings::background, false},
    {"wireFrame", "wireFrame", &TSettings::wireFrame, false},
    {"enableSound", "enableSound", &TSettings::enableSound, false},
    {"enableSpecular", "enableSpecular", &TSettings::enableSpecular, false},
    {"showbounding", "showbounding", &TSettings::showBounding, false},
    {"showfps", "showfps", &TSettings::showFps, false},
    {"presentimmedaite", "presentimmedaite", &TSettings::presentImmediate, false},
    {"timingfallback", "timingfallback", &TSettings::timingFallback, false},
    {"enablecheat", "enablecheat", &TSettings::enableCheat, false},
    {"enablebarricades", "enablebarricades", &TSettings::enableBarricades, false},
    {"enablerotation", "enableRotation", &TSettings::enableRotation, false},
    {"accel", "accel", &TSettings::accel, false},
    {"playermissile", "playermissile", &TSettings::playerMissile, true},
    {"ufomissile", "ufomissile", &TSettings::ufoMissile, true},
    {"keyfire", "keyfire", &TSettings::keyFire, false},
    {"keyfire0", "keyfire0", &TSettings::keyFire0, false},
    {"keyfire1", "keyfire1", &TSettings::keyFire1, false},
    {"keyfire2", "keyfire2", &TSettings::keyFire2, false},
    {"keyaltfire", "keyaltfire", &TSettings::keyAltFire, false},
    {"keyshield", "keyshield", &TSettings::keyShield, false},
    {"keybrake", "keybrake", &TSettings::keyBrake, false},
    {"keythrust", "keythrust", &TSettings::keyThrust, false},
    {"keyleft", "keyleft", &TSettings::keyLeft, false},
    {"keyright", "keyright", &TSettings::keyRight, false},
    {"mousevelocity", "mousevelocity", &TSettings::mouseVelocity, false},
    {"pauseonfocusloss", "pauseOnFocusLoss", &TSettings::pauseOnFocusLoss, false},
};

std::string IndexedName(const char* format, int i) {
    char name[32];
    std::snprintf(name, sizeof(name), format, i);
    return name;
}

// Row `row` of the stored high score table; `fallback` for what is not stored.
THighScore ReadScoreRow(TParamStore& store, int row, const THighScore& fallback) {
    char name[1024];
    ReadParamString(store, IndexedName("name_%d", row).c_str(), fallback.playerName.c_str(), name, sizeof(name));
    return {name, ReadParamInt(store, IndexedName("score_%d", row).c_str(), fallback.score)};
}

using Table = std::array<THighScore, NUM_HIGH_SCORES>;

// Per game key, the table as this program last loaded or saved it: rows
// stored since then that it does not hold were saved by another copy of the
// program.
std::map<std::string, Table> knownTables;

void RememberTable(const TGame& game) {
    std::copy(std::begin(highScores), std::end(highScores), knownTables[game.GetRegistryKeyName()].begin());
}

// Adds to the table the scores another copy of the program stored since this
// one last loaded or saved it, so that the save does not lose them. Nothing
// is added to a table this program never loaded or saved.
void JoinScoresStoredElsewhere(const TGame& game, TParamStore& store) {
    const auto table = knownTables.find(game.GetRegistryKeyName());
    if (table == knownTables.end() || store.Disposition != PARAM_OPENED_EXISTING_KEY) return;
    std::vector<THighScore> known(table->second.begin(), table->second.end());
    for (int i = 0; i < NUM_HIGH_SCORES; ++i) {
        const THighScore stored = ReadScoreRow(store, i, {});
        const auto same = std::find_if(known.begin(), known.end(), [&](const THighScore& k) {
            return k.score == stored.score && k.playerName == stored.playerName;
        });
        if (same != known.end()) {
            known.erase(same);
            continue;
        }
        const int row = InsertHighScore(stored.score);
        if (row >= 0) highScores[row].playerName = stored.playerName;
    }
}

}  // namespace

void ResetKeys() {
    settings.keyFire = 0x11;
    settings.keyFire0 = 0x41;
    settings.keyFire1 = 0x53;
    settings.keyFire2 = 0x44;
    settings.keyAltFire = 0x12;
    settings.keyShield = 0x10;
    settings.keyBrake = 0x28;
    settings.keyThrust = 0x26;
    settings.keyLeft = 0x25;
    settings.keyRight = 0x27;
}

void ResetSettings(TGame& game) {
    settings = TSettings{};
    ClearHighScores();
    game.SetDifficulty(2);
    settings.gameId = game.GetGameId();
    settings.adapter = 0;
    settings.windowed = 0;
    settings.width = 800;
    settings.height = 600;
    settings.background = game.GetDefaultBackground();
    settings.wireFrame = 0;
    settings.enableSound = 1;
    settings.enableSpecular = game.GetDefaultEnableSpecular();
    settings.showBounding = 0;
    settings.showFps = 0;
    settings.presentImmediate = 0;
    settings.timingFallback = 0;
    settings.didSurvey = 0;
    settings.enableCheat = 0;
    settings.accel = game.GetDefaultAccel();
    settings.playerMissile = game.GetDefaultPlayerMissile();
    settings.ufoMissile = game.GetDefaultUfoMissile();
    settings.inputDevice = 0;
    settings.mouseVelocity = 5;
    settings.enableBarricades = game.GetDefaultEnableBarricades();
    settings.enableRotation = game.GetDefaultEnableRotation();
    settings.pauseOnFocusLoss = 1;
    ResetKeys();
}

void LoadSettings(const TGamePack& pack, TGame& game) {
    {
        TParamStore store;
        OpenParams(pack.GetRegistryKeyName(), pack.GetRegistryKeyName(), store, 1);
        for (const IntSetting& s : kPackSettings) settings.*s.field = ReadParamInt(store, s.name, settings.*s.field);
        CloseParams(store);
    }
    TParamStore store;
    OpenParams(game.GetRegistryKeyName(), game.GetRegistryKeyName(), store, 1);
    for (const GameSetting& s : kGameSettings) settings.*s.field = ReadParamInt(store, s.readName, settings.*s.field);
    for (int i = 0; i < NUM_HIGH_SCORES; ++i) highScores[i] = ReadScoreRow(store, i, highScores[i]);
    CloseParams(store);
    RememberTable(game);
}

bool SaveSettings(const TGamePack& pack, TGame& game) {
    bool saved = true;
    {
        TParamStore store;
        OpenParams(pack.GetRegistryKeyName(), pack.GetRegistryKeyName(), store, 1);
        for (const IntSetting& s : kPackSettings) WriteParamInt(store, s.name, settings.*s.field);
        saved = CloseParams(store) && saved;
    }
    TParamStore store;
    OpenParams(game.GetRegistryKeyName(), game.GetRegistryKeyName(), store, 1);
    JoinScoresStoredElsewhere(game, store);
    for (const GameSetting& s : kGameSettings) {
        if (s.missileSpeed && game.HidesMissileSpeed()) continue;
        WriteParamInt(store, s.writeName, settings.*s.field);
    }
    for (int i = 0; i < NUM_HIGH_SCORES; ++i) {
        WriteParamString(store, IndexedName("name_%d", i).c_str(), highScores[i].playerName.c_str());
        WriteParamInt(store, IndexedName("score_%d", i).c_str(), highScores[i].score);
    }
    // A table that did not reach the disk is not known there: a later save
    // must not take the rows it replaced for another copy's.
    if (!CloseParams(store)) return false;
    RememberTable(game);
    return saved;
}

bool SaveChosenSettings(const TGamePack& pack, TGame& game, const TSettings& chosen) {
    const TSettings playing = settings;
    settings = chosen;
    const bool saved = SaveSettings(pack, game);
    settings = playing;
    return saved;
}

void ReportStoreProblems() {
    static std::string toldFailure;
    const std::string reason = ParamStoreError();
    std::string text = TakeParamStoreNotices();
    if (!text.empty()) text = "Some saved settings were damaged:\n" + text;
    if (!FlushParams() && reason != toldFailure) {
        toldFailure = reason;
        text += "Your settings and high scores could not be saved: " + reason +
                ".\nPlay goes on with them, and every later save tries again.";
    }
    if (!text.empty()) MessageBox(text, "Settings");
}
