#include "session_run.h"

#include "framework/gameglobals.h"
#include "game/asteroid.h"
#include "game/gamepacks.h"
#include "gamelib/libman.h"
#include "launcher/play.h"
#include "launcher/settings_store.h"
#include "replay/play_tap.h"

bool RunFlagship(const SessionRun& run, PlayTap& tap) {
    TRockpileGamePack pack;
    theGamePack = &pack;
    TGame* game = pack.FindGame(GAME_ID_FLAGSHIP);
    pack.current = game;
    useGameLib = 1;
    logGameLibUsage = 0;
    OpenGameLib(run.library.c_str(), "");
    ResetSettings(*game);
    settings.windowed = 1;
    settings.width = run.width;
    settings.height = run.height;
    settings.presentImmediate = 1;
    PlayOptions options;
    options.fixedDt = 1.0 / 60;
    options.frames = run.frames;
    options.autopilot = run.autopilot;
    options.tap = &tap;
    options.screenshot = run.screenshot;
    PlaySummary summary;
    bool ok = PlayGame(*game, options, summary);
    theGamePack = nullptr;
    return ok;
}
