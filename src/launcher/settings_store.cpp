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

using namespace setting_columns;

// The store's values are 32-bit integers; a setting of an enum type is kept as its number.
template <class T>
void ReadSetting(TParamStore& store, const char* key, T& value) {
    value = static_cast<T>(ReadParamInt(store, key, static_cast<int32_t>(value)));
}

template <class T>
void WriteSetting(TParamStore& store, const char* key, const T& value) {
    WriteParamInt(store, key, static_cast<int32_t>(value));
}

// The stores under the pack's key and under a game's key.
bool UnderPackKey(Store store) { return store == PACK; }
bool UnderGameKey(Store store) { return store == GAME || store == GAME_MISSILE; }

// Reads the settings kept under one key, in list order.
void ReadSettings(TParamStore& store, bool (*under)(Store)) {
#define READ(type, field, where, key, written, def, low, high, reset, replay, control) \
    if (under(where)) ReadSetting(store, key, settings.field);
    ROCKPILE_SETTINGS(READ)
#undef READ
}

// Writes the settings kept under one key, in list order; a game that hides
// the missile speeds does not write them.
void WriteSettings(TParamStore& store, bool (*under)(Store), const TGame& game) {
    const bool hidesMissileSpeed = game.HidesMissileSpeed();
#define WRITE(type, field, where, key, written, def, low, high, reset, replay, control) \
    if (under(where) && !(where == GAME_MISSILE && hidesMissileSpeed)) WriteSetting(store, written, settings.field);
    ROCKPILE_SETTINGS(WRITE)
#undef WRITE
}

// The reset column: what the game sets after the record is cleared to its defaults.
template <class T>
void ApplyReset(FixedRule, T&, TGame&) {}
template <class T>
void ApplyReset(KeyBindingRule, T&, TGame&) {}
template <class T>
void ApplyReset(ByDifficultyRule, T&, TGame&) {}
void ApplyReset(SetDifficultyRule, int32_t& level, TGame& game) { game.SetDifficulty(level); }
template <class Getter, class T>
void ApplyReset(Getter perGame, T& value, TGame& game) {
    value = static_cast<T>(perGame(game));
}

template <class Rule, class T>
void ResetKey(Rule, T&, const T&) {}
void ResetKey(KeyBindingRule, int32_t& key, const int32_t& fallback) { key = fallback; }

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
    const TSettings defaults;
#define RESET_KEY(type, field, store, key, written, def, low, high, reset, replay, control) \
    ResetKey(reset, settings.field, defaults.field);
    ROCKPILE_SETTINGS(RESET_KEY)
#undef RESET_KEY
}

void ResetSettings(TGame& game) {
    settings = TSettings{};
    ClearHighScores();
#define RESET(type, field, store, key, written, def, low, high, reset, replay, control) \
    ApplyReset(reset, settings.field, game);
    ROCKPILE_SETTINGS(RESET)
#undef RESET
}

void LoadSettings(const TGamePack& pack, TGame& game) {
    {
        TParamStore store;
        OpenParams(pack.GetRegistryKeyName(), pack.GetRegistryKeyName(), store, 1);
        ReadSettings(store, UnderPackKey);
        CloseParams(store);
    }
    TParamStore store;
    OpenParams(game.GetRegistryKeyName(), game.GetRegistryKeyName(), store, 1);
    ReadSettings(store, UnderGameKey);
    for (int i = 0; i < NUM_HIGH_SCORES; ++i) highScores[i] = ReadScoreRow(store, i, highScores[i]);
    CloseParams(store);
    RememberTable(game);
}

bool SaveSettings(const TGamePack& pack, TGame& game) {
    bool saved = true;
    {
        TParamStore store;
        OpenParams(pack.GetRegistryKeyName(), pack.GetRegistryKeyName(), store, 1);
        WriteSettings(store, UnderPackKey, game);
        saved = CloseParams(store) && saved;
    }
    TParamStore store;
    OpenParams(game.GetRegistryKeyName(), game.GetRegistryKeyName(), store, 1);
    JoinScoresStoredElsewhere(game, store);
    WriteSettings(store, UnderGameKey, game);
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
