// A clock the tests set by hand.
#pragma once

#include <vector>

#include "platform/clock.h"

class FakeClock : public Clock {
public:
    bool QueryPerformanceCounter(int64_t* c) override {
        if (!counterWorks) return false;
        *c = counts.empty() ? count : Next();
        return true;
    }
    bool QueryPerformanceFrequency(int64_t* f) override {
        *f = frequency;
        return frequencyWorks;
    }
    uint32_t timeGetTime() override { return milliseconds; }

    int64_t Next() {
        int64_t c = counts.front();
        counts.erase(counts.begin());
        return c;
    }

    bool counterWorks = true, frequencyWorks = true;
    int64_t count = 0, frequency = 1000;
    std::vector<int64_t> counts;  // successive readings, when given
    uint32_t milliseconds = 0;
};
