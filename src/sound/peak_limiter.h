// Turns a float mix into 16-bit samples without clipping. The gain ramps
// down ahead of a peak so that the peak lands on the ceiling with the wave's
// shape kept, then recovers over about a tenth of a second. Looking ahead
// delays the output by LOOKAHEAD samples.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

class PeakLimiter {
public:
    static constexpr size_t LOOKAHEAD = 64;  // about 3 ms at 22,050 samples per second

    explicit PeakLimiter(int sampleRate);
    // Takes `mix` in and gives as many samples out, LOOKAHEAD samples late
    // (silence first).
    std::vector<int16_t> Process(const std::vector<float>& mix);

private:
    std::deque<float> pending_;
    float gain_ = 1.0f;
    float recovery_;
};
