// Program-wide globals: the settings record the launcher fills and the games
// read, the pack and its current game.
#pragma once

#include <cstdint>

#include "framework/settings_list.h"

class TGame;
class TGamePack;

// One field per setting of ROCKPILE_SETTINGS, with its default.
struct TSettings {
#define ROCKPILE_SETTING_FIELD(type, field, store, key, written, def, low, high, reset, replay, control) \
    type field = def;
    ROCKPILE_SETTINGS(ROCKPILE_SETTING_FIELD)
#undef ROCKPILE_SETTING_FIELD
};

extern TSettings settings;

// The pack descriptor and its current game (set by whoever runs the program).
extern TGamePack* theGamePack;
TGame* CurrentGame();
