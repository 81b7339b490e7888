#include "launcher/command_line_game.h"

#include <string>

#include "framework/gameglobals.h"
#include "framework/tgame.h"
#include "framework/tgamepack.h"
#include "gamelib/libman.h"
#include "launcher/command_line.h"
#include "launcher/find_library.h"
#include "launcher/settings_store.h"

void PrepareCommandLineGame(TGamePack& pack, TGame& game, const CommandLine& cl) {
    pack.current = &game;
    settings.gameId = game.GetGameId();
    const std::string library = cl.library.empty() ? FindLibraryOrExit(pack.GetLibraryFile(), game) : cl.library;
    useGameLib = 1;
    logGameLibUsage = 0;
    OpenGameLib(library.c_str(), pack.GetUsageFile());
    ResetSettings(game);
    LoadSettings(pack, game);
}

void ApplyDisplayOptions(const CommandLine& cl) {
    if (cl.windowed) settings.windowed = 1;
    if (cl.width) settings.width = cl.width, settings.height = cl.height;
}
