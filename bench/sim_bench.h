// The simulation benchmark: a full field stepped on the null device.
#pragma once

#include "bench_stats.h"

// Steps `frames` frames: microseconds per frame.
Timing RunSimBench(int frames);
