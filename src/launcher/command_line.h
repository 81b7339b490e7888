// The program's command line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct CommandLine {
    bool help = false;
    bool version = false;
    bool play = false;           // run one game without the launcher
    std::string game;            // title (case ignored) or catalogue index
    std::optional<int> difficulty;
    bool windowed = false;
    int width = 0, height = 0;   // 0: the stored setting
    bool headless = false;
    int64_t frames = 0;          // 0: until the player quits
    double fixedDt = 0;          // 0: measured frame times
    std::optional<uint32_t> seed;
    bool autopilot = false;
    bool stats = false;
    std::string screenshot;
    std::string library;
    bool batch = false;
    std::string soundCapture;
    std::string record;          // write a replay of the game to this file
    std::string replay;          // play this replay instead of a game
    bool verify = false;         // with replay: fail at the first frame that differs
    // The launcher's.
    std::string launcherShots;   // write pictures of the launcher's windows here and exit
    double demoAfter = 60;       // seconds of idle time before the demo starts; 0: never
    bool timings = false;        // report start-up and Play times on standard error
};

// Parses argv; on a bad argument returns nullopt with `error` set.
std::optional<CommandLine> ParseCommandLine(int argc, const char* const* argv, std::string& error);
const char* CommandLineHelp();
