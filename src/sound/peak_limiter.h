// Turns a float mix into 16-bit samples without clipping. The gain ramps
// down ahead of a peak so that the peak lands on the ceiling with the wave's
// shape kept, then recovers over about a tenth of a second. Looking ahead
// delays the output by LOOKAHEAD sample frames. The channels of a frame share
// one gain, so a sound keeps its place between the speakers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

class PeakLimiter {
public:
    static constexpr size_t LOOKAHEAD = 64;  // about 3 ms at 22,050 frames per second

    explicit PeakLimiter(int sampleRate, int channels = 1);
    // Takes `mix` in (channels interleaved, whole frames) and gives as many
    // samples out, LOOKAHEAD frames late (silence first).
    std::vector<int16_t> Process(const std::vector<float>& mix);

private:
    size_t channels_;
    std::deque<float> pending_;
    float gain_ = 1.0f;
    float recovery_;
};
