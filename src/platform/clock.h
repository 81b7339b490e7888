// The two clocks the frame timer reads: a high-resolution counter and a
// millisecond tick. Both are SDL's by default and replaceable in tests.
#pragma once

#include <cstdint>

class Clock {
public:
    virtual ~Clock() = default;
    // False when the counter is not available.
    virtual bool QueryPerformanceCounter(int64_t* count) = 0;
    virtual bool QueryPerformanceFrequency(int64_t* frequency) = 0;
    virtual uint32_t timeGetTime() = 0;
};

// The clock in use; never null.
Clock& CurrentClock();
// Installs a clock (null restores the system clock). The caller keeps ownership.
void SetClock(Clock* clock);
