#include "framework/gameglobals.h"

#include "framework/tgamepack.h"

TSettings settings;
TGamePack* theGamePack = nullptr;

TGame* CurrentGame() { return theGamePack ? theGamePack->current : nullptr; }
