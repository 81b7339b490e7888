// Frame timing: elapsed seconds between frames from the high-resolution
// counter (or the millisecond clock as a fallback), and the frame-rate
// statistics the head-up display shows.
#pragma once

#include <cstdint>

// The frame clock: the time sources' state and the frame-rate statistics.
struct FrameClock {
    // The millisecond clock instead of the high-resolution counter: the
    // player's choice, or set by the clock when the counter fails.
    int32_t timingFallback = 0;
    int32_t counterReady = 0;
    int64_t lastCount = 0;
    int64_t counterFrequency = 0;
    int32_t clockReady = 0;
    float lastMilliseconds = 0.0f;

    int32_t fpsFrames = 0;
    double fpsTime = 0.0;
    double fps = 0.0;
    double fpsMin = 500.0;
    double fpsMax = 0.0;
};
extern FrameClock frameClock;

// Seconds since the previous call; 0 on the first call after the ready flags
// were cleared; never negative.
float GetElapsedSeconds();
// Clears both ready flags so the next call starts afresh.
void ResetTimer();
// One frame of dt seconds (already clamped) for the statistics.
void CountFrame(float dt);
// Frame statistics back to their session start values.
void ResetFrameStatistics();
