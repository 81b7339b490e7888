// Runs the flagship game in a window through the normal Play path with a
// tap of the benchmark's own, for the frame and start-up parts.
#pragma once

#include <cstdint>
#include <string>

class PlayTap;

struct SessionRun {
    std::string library;
    int width = 800, height = 600;
    int64_t frames = 0;
    bool autopilot = true;
    std::string screenshot;  // a PNG of the last frame, when named
};

// False when the display or the game could not be set up.
bool RunFlagship(const SessionRun& run, PlayTap& tap);
