#include "framework/gameglobals.h"

#include "framework/tgamepack.h"

TSettings settings;
int32_t texturesEnabled = 1;
TGamePack* theGamePack = nullptr;

TGame* CurrentGame() { return theGamePack ? theGamePack->current : nullptr; }
