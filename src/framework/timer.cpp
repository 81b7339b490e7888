#include "framework/timer.h"

#include "platform/clock.h"

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

namespace {

float MillisecondElapsed() {
    Clock& clock = CurrentClock();
    if (!clockReady) {
        lastMilliseconds = static_cast<float>(clock.timeGetTime());
        clockReady = 1;
    }
    float t = static_cast<float>(clock.timeGetTime());
    float result = (t - lastMilliseconds) * 0.001f;
    lastMilliseconds = t;
    return result;
}

}  // namespace

float GetElapsedSeconds() {
    Clock& clock = CurrentClock();
    for (;;) {
        if (timingFallback) return MillisecondElapsed();
        if (!counterReady) {
            if (!clock.QueryPerformanceCounter(&lastCount)) {
                timingFallback = 1;
                continue;
            }
            if (!clock.QueryPerformanceFrequency(&counterFrequency) || counterFrequency <= 0) {
                timingFallback = 1;
                continue;
            }
            counterReady = 1;
        }
        int64_t now = 0;
        if (!clock.QueryPerformanceCounter(&now)) {
            timingFallback = 1;
            continue;
        }
        int64_t delta = now - lastCount;
        if (delta < 0) continue;
        lastCount = now;
        return static_cast<float>(static_cast<double>(delta) / static_cast<double>(counterFrequency));
    }
}

void ResetTimer() {
    counterReady = 0;
    clockReady = 0;
}

void CountFrame(float dt) {
    fpsFrames += 1;
    fpsTime += dt;
    if (fpsTime > 1.0) {
        fps = fpsFrames / fpsTime;
        fpsTime = 0;
        fpsFrames = 0;
        if (fps < fpsMin) fpsMin = fps;
        if (fps > fpsMax) fpsMax = fps;
    }
}

void ResetFrameStatistics() {
    fpsTime = 0;
    fps = 0;
    fpsMin = 500.0;
    fpsMax = 0;
    fpsFrames = 0;
}
