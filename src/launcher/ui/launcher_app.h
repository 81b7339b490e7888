// The windowed launcher: the main form with its game list, quick-start and
// error windows, from start-up until the player leaves.
#pragma once

#include <chrono>
#include <functional>
#include <string>

class TGamePack;

struct LauncherOptions {
    std::string library;          // use this library instead of looking for one
    std::string shotsFolder;      // write pictures of every window there and leave
    double demoAfterSeconds = 60;  // idle time before the demo starts; 0: never
    bool timings = false;         // report start-up and Play times on standard error
    std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now();
    // Called after each frame; false leaves the launcher (tests drive it so).
    std::function<bool()> afterFrame;
};

// The program's exit status.
int RunLauncher(TGamePack& pack, const LauncherOptions& options);
