// The description records of the rockpile games.
#pragma once

#include "framework/game_description.h"

extern const GameDescription kMeteorMarshalGame;
// The flagship's catalogue entry: only the cartridge picture differs.
extern const GameDescription kMeteorMarshalNewCartGame;
extern const GameDescription kDriftrockRetroGame;
extern const GameDescription kDriftrockClassicGame;
extern const GameDescription kShardstormGame;
