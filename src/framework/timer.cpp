#include "framework/timer.h"

#include "platform/clock.h"

FrameClock frameClock;

namespace {

float MillisecondElapsed() {
    FrameClock& c = frameClock;
    Clock& clock = CurrentClock();
    if (!c.clockReady) {
        c.lastMilliseconds = static_cast<float>(clock.timeGetTime());
        c.clockReady = 1;
    }
    float t = static_cast<float>(clock.timeGetTime());
    float result = (t - c.lastMilliseconds) * 0.001f;
    c.lastMilliseconds = t;
    return result;
}

}  // namespace

float GetElapsedSeconds() {
    FrameClock& c = frameClock;
    Clock& clock = CurrentClock();
    for (;;) {
        if (c.timingFallback) return MillisecondElapsed();
        if (!c.counterReady) {
            if (!clock.QueryPerformanceCounter(&c.lastCount)) {
                c.timingFallback = 1;
                continue;
            }
            if (!clock.QueryPerformanceFrequency(&c.counterFrequency) || c.counterFrequency <= 0) {
                c.timingFallback = 1;
                continue;
            }
            c.counterReady = 1;
        }
        int64_t now = 0;
        if (!clock.QueryPerformanceCounter(&now)) {
            c.timingFallback = 1;
            continue;
        }
        int64_t delta = now - c.lastCount;
        if (delta < 0) continue;
        c.lastCount = now;
        return static_cast<float>(static_cast<double>(delta) / static_cast<double>(c.counterFrequency));
    }
}

void ResetTimer() {
    FrameClock& c = frameClock;
    c.counterReady = 0;
    c.clockReady = 0;
}

void CountFrame(float dt) {
    FrameClock& c = frameClock;
    c.fpsFrames += 1;
    c.fpsTime += dt;
    if (c.fpsTime > 1.0) {
        c.fps = c.fpsFrames / c.fpsTime;
        c.fpsTime = 0;
        c.fpsFrames = 0;
        if (c.fps < c.fpsMin) c.fpsMin = c.fps;
        if (c.fps > c.fpsMax) c.fpsMax = c.fps;
    }
}

void ResetFrameStatistics() {
    const FrameClock fresh;
    FrameClock& c = frameClock;
    c.fpsTime = fresh.fpsTime;
    c.fps = fresh.fps;
    c.fpsMin = fresh.fpsMin;
    c.fpsMax = fresh.fpsMax;
    c.fpsFrames = fresh.fpsFrames;
}
