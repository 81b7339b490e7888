#include "game/gamepacks.h"

TRockpileGamePack::TRockpileGamePack() {
    Add(new TDriftrockClassic);
    Add(new TDriftrockRetro);
    Add(new TMeteorMarshalNewCartImage);
    Add(new TShardstorm);
}
