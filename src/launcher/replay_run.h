// Playing a replay file back: the recorded game with its recorded settings,
// high score table, seed, frame times and input, on a window or headless.
#pragma once

#include <cstdint>
#include <string>

#include "launcher/play.h"

class TGame;
class TGamePack;
struct CommandLine;
struct Replay;

struct ReplayOutcome {
    bool refused = false;   // the replay sets what this program does not have
    bool started = false;   // the display and the game's setup succeeded
    bool verified = false;  // every frame played and every world check matched
    int64_t firstMismatch = 0;
    std::string report;     // one line
    PlaySummary summary;
};

// Plays `replay` on `game` with the library open and the display options in
// the settings; the recorded play settings and high score table replace the
// current ones, and nothing is saved. `options` gives the display side
// (headless, screenshot); with `verify` the run ends at the first mismatch.
ReplayOutcome PlayReplay(TGame& game, const Replay& replay, PlayOptions options, bool verify);

// `rockpile --replay FILE`: loads the file, finds its game, opens the library
// and plays it. The exit status: 0 done (and verified, with --verify), 1 a
// failed or differing playback, 2 a file that cannot be played.
int RunReplayFile(TGamePack& pack, const CommandLine& cl);
