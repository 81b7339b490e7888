#include "platform/clock.h"

#include <SDL.h>

namespace {

class SystemClock : public Clock {
public:
    bool QueryPerformanceCounter(int64_t* count) override {
        *count = static_cast<int64_t>(SDL_GetPerformanceCounter());
        return true;
    }
    bool QueryPerformanceFrequency(int64_t* frequency) override {
        *frequency = static_cast<int64_t>(SDL_GetPerformanceFrequency());
        return *frequency > 0;
    }
    uint32_t timeGetTime() override { return SDL_GetTicks(); }
};

SystemClock g_systemClock;
Clock* g_clock = &g_systemClock;

}  // namespace

Clock& CurrentClock() { return *g_clock; }
void SetClock(Clock* clock) { g_clock = clock ? clock : &g_systemClock; }
