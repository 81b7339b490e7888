#include "game/gamepacks.h"

TRockpileGamePack::TRockpileGamePack() {
    Add(new TDriftrockClassic);
    Add(new TDriftrockRetro);
    Add(new TMeteorMarshalNewCartImage);
    Add(new TShardstorm);
}

const char* TRockpileGamePack::GetWebAddress() const { return "https://example.org/rockpile/"; }
const char* TRockpileGamePack::GetWebPage() const { return "https://example.org/rockpile/"; }
