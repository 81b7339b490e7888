// rockpile: the game pack's program.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <ctime>
#include <string>

#include "framework/gameglobals.h"
#include "game/gamepacks.h"
#include "game/highscore_board.h"
#include "launcher/command_line.h"
#include "launcher/command_line_game.h"
#include "launcher/ui/launcher_app.h"
#include "launcher/play.h"
#include "launcher/replay_run.h"
#include "launcher/settings_store.h"
#include "platform/crt_rand.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "replay/replay_file.h"
#include "replay/replay_recorder.h"

namespace {

int PlayFromCommandLine(TRockpileGamePack& pack, const CommandLine& cl) {
    TGame* game = pack.current;
    if (!cl.game.empty()) {
        game = pack.FindGameNamed(cl.game);
        if (!game) {
            std::fprintf(stderr, "rockpile: no game '%s'; the games are:", cl.game.c_str());
            int index = 0;
            for (const TGame& listed : pack.Games())
                std::fprintf(stderr, " %d \"%s\"", index++, listed.GetTitle());
            std::fprintf(stderr, "\n");
            return 2;
        }
    }
    // A recording is written after the game: a place it cannot go is said first.
    std::error_code ignored;
    if (!cl.record.empty() &&
        (::access(DirectoryOf(cl.record).c_str(), W_OK | X_OK) != 0 || std::filesystem::is_directory(cl.record, ignored))) {
        std::fprintf(stderr, "rockpile: cannot write the replay %s: its folder is missing or not writable\n",
                     cl.record.c_str());
        return 1;
    }
    PrepareCommandLineGame(pack, *game, cl);
    const TSettings stored = settings;
    if (cl.difficulty) settings.difficulty = *cl.difficulty;
    ApplyDisplayOptions(cl);
    game->SetDifficulty(settings.difficulty);

    // A name entered in the table is saved at once, with the stored settings
    // rather than this run's command-line choices.
    THighScoreBoard::onNameEntered = [&] { SaveChosenSettings(pack, *game, stored); };

    PlayOptions options;
    options.headless = cl.headless;
    options.fixedDt = cl.fixedDt;
    options.frames = cl.frames;
    options.autopilot = cl.autopilot;
    options.soundCapture = cl.soundCapture;
    options.screenshot = cl.screenshot;
    ReplayRecorder recorder;
    if (!cl.record.empty()) options.tap = &recorder;
    PlaySummary summary;
    bool ok = PlayGame(*game, options, summary) && !summary.screenshotFailed;
    THighScoreBoard::onNameEntered = nullptr;
    if (!cl.headless) ReportStoreProblems();
    std::string error;
    if (ok && !cl.record.empty() && !SaveReplay(cl.record, recorder.replay(), error)) {
        std::fprintf(stderr, "rockpile: %s\n", error.c_str());
        ok = false;
    }
    if (cl.stats) std::printf("%s\n", SummaryJson(*game, summary).c_str());
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const auto started = std::chrono::steady_clock::now();
    std::string error;
    std::optional<CommandLine> cl = ParseCommandLine(argc, argv, error);
    if (!cl) {
        std::fprintf(stderr, "rockpile: %s\n", error.c_str());
        return 2;
    }
    if (cl->help) {
        std::fputs(CommandLineHelp(), stdout);
        return 0;
    }
    if (cl->version) {
        std::printf("rockpile %s\n", ROCKPILE_VERSION);
        return 0;
    }
    SetBatchMode(cl->batch);
    rp::srand(cl->seed ? *cl->seed : static_cast<uint32_t>(std::time(nullptr)) ^ static_cast<uint32_t>(getpid()));

    TRockpileGamePack pack;
    theGamePack = &pack;
    int status = 0;
    if (!cl->replay.empty()) {
        status = RunReplayFile(pack, *cl);
    } else if (cl->play) {
        status = PlayFromCommandLine(pack, *cl);
    } else {
        LauncherOptions options;
        options.library = cl->library;
        options.shotsFolder = cl->launcherShots;
        options.demoAfterSeconds = cl->demoAfter;
        options.timings = cl->timings;
        options.started = started;
        status = RunLauncher(pack, options);
    }
    theGamePack = nullptr;
    return status;
}
