// Start-up costs: opening the game library (the default one and one of
// 256 MB, which must cost the same) and Play to the first presented frame.
#pragma once

#include <cstdint>
#include <string>

#include "bench_stats.h"

struct StartupResult {
    bool ok = false;
    uint64_t defaultBytes = 0, largeBytes = 0;
    Timing openDefaultMs, openLargeMs;
    Timing playToFirstFrameMs;
};

// The large library is written into `scratchDir` and removed afterwards.
StartupResult RunStartupBench(const std::string& library, const std::string& scratchDir);
