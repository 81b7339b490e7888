// Frame timing: elapsed seconds between frames from the high-resolution
// counter (or the millisecond clock as a fallback), and the frame-rate
// statistics the head-up display shows.
#pragma once

#include <cstdint>

extern int32_t timingFallback;
extern int32_t counterReady;
extern int64_t lastCount;
extern int64_t counterFrequency;
extern int32_t clockReady;
extern float lastMilliseconds;

extern int32_t fpsFrames;
extern double fpsTime;
extern double fps;
extern double fpsMin;
extern double fpsMax;

// Seconds since the previous call; 0 on the first call after the ready flags
// were cleared; never negative.
float GetElapsedSeconds();
// Clears both ready flags so the next call starts afresh.
void ResetTimer();
// One frame of dt seconds (already clamped) for the statistics.
void CountFrame(float dt);
// Frame statistics back to their session start values.
void ResetFrameStatistics();
