// GL frame cost in the game window: an empty frame (clear and present), the
// background alone, a typical wave and a full field (128 field objects, 128
// projectiles, 128 explosions, head-up display and background), per window
// size.
#pragma once

#include <string>
#include <vector>

#include "bench_stats.h"

// What a scene's frame asks of the driver, on average.
struct DrawCounts {
    double draws = 0, programSwitches = 0, uniformUploads = 0, textureBinds = 0, triangles = 0, backdropsCopied = 0;
};

struct SceneTiming {
    std::string scene;  // "empty", "background", "wave", "full"
    Timing ms;
    DrawCounts perFrame;
};

struct FrameSizeResult {
    int width = 0, height = 0;
    std::vector<SceneTiming> scenes;
    // From the start of this size's run, where the kernel allows; 0: unknown.
    double peakResidentMb = 0;
};

struct FrameResult {
    bool ok = false;
    std::string renderer;
    std::vector<FrameSizeResult> sizes;
};

// `framesPerScene` timed frames of each scene at 1280 x 720, then at
// 800 x 600, and the peak resident memory of each size's run (the second
// also holds what the first left resident).
// With `picturesDir`, the last full-field frame of each size is saved there
// as full-WxH.png (the scene is the same in every run, to compare drawings).
FrameResult RunFrameBench(const std::string& library, int framesPerScene, const std::string& picturesDir = "");
