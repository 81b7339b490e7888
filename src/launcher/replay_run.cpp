#include "launcher/replay_run.h"

#include <cstdio>

#include "framework/tgame.h"
#include "framework/tgamepack.h"
#include "game/highscore_board.h"
#include "launcher/command_line.h"
#include "launcher/command_line_game.h"
#include "replay/replay_file.h"
#include "replay/replay_player.h"
#include "replay/replay_settings.h"

ReplayOutcome PlayReplay(TGame& game, const Replay& replay, PlayOptions options, bool verify) {
    ReplayOutcome outcome;
    std::string unknown;
    if (!ApplyReplaySettings(replay, unknown)) {
        outcome.refused = true;
        outcome.report = "replay refused: it sets \"" + unknown + "\", which this program does not have";
        return outcome;
    }
    ReplayPlayer player(replay, verify);
    options.frames = static_cast<int64_t>(replay.frames.size());
    options.fixedDt = 0;
    options.autopilot = false;
    options.tap = &player;
    std::function<void()> saveNames = THighScoreBoard::onNameEntered;
    THighScoreBoard::onNameEntered = nullptr;
    outcome.started = PlayGame(game, options, outcome.summary);
    THighScoreBoard::onNameEntered = saveNames;
    outcome.verified = outcome.started && player.Verified();
    outcome.firstMismatch = player.firstMismatch();
    outcome.report = player.Report();
    return outcome;
}

int RunReplayFile(TGamePack& pack, const CommandLine& cl) {
    std::string error;
    std::optional<Replay> replay = LoadReplay(cl.replay, error);
    if (!replay) {
        std::fprintf(stderr, "rockpile: %s\n", error.c_str());
        return 2;
    }
    TGame* game = pack.FindGame(replay->gameId);
    if (!game) {
        std::fprintf(stderr, "rockpile: %s is a replay of \"%s\" (game id %d), which this pack does not have\n",
                     cl.replay.c_str(), replay->gameTitle.c_str(), replay->gameId);
        return 2;
    }
    // The display options are the player's own; play comes from the file.
    PrepareCommandLineGame(pack, *game, cl);
    ApplyDisplayOptions(cl);
    PlayOptions options;
    options.headless = cl.headless;
    options.screenshot = cl.screenshot;
    options.soundCapture = cl.soundCapture;
    ReplayOutcome outcome = PlayReplay(*game, *replay, options, cl.verify);
    if (cl.stats && outcome.started) std::printf("%s\n", SummaryJson(*game, outcome.summary).c_str());
    std::fprintf(stderr, "rockpile: %s: %s\n", cl.replay.c_str(), outcome.report.c_str());
    if (!outcome.started) return outcome.refused ? 2 : 1;
    return cl.verify && !outcome.verified ? 1 : 0;
}
