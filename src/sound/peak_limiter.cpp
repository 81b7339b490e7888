#include "sound/peak_limiter.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr float kCeiling = 0.95f;
constexpr double kRecoverySeconds = 0.1;

float NeededGain(float sample) {
    float peak = std::fabs(sample);
    return peak > kCeiling ? kCeiling / peak : 1.0f;
}
}  // namespace

PeakLimiter::PeakLimiter(int sampleRate)
    : pending_(LOOKAHEAD, 0.0f),
      recovery_(static_cast<float>(std::exp(-1.0 / (kRecoverySeconds * std::max(sampleRate, 1))))) {}

std::vector<int16_t> PeakLimiter::Process(const std::vector<float>& mix) {
    std::vector<int16_t> out;
    out.reserve(mix.size());
    for (float next : mix) {
        pending_.push_back(next);
        // Ramp down steeply enough to meet every peak in the look-ahead:
        // a peak j samples away needs 1/(j+1) of the way down now.
        float gain = 1.0f - (1.0f - gain_) * recovery_;
        float lowest = gain;
        for (size_t j = 0; j < pending_.size(); ++j) {
            float needed = NeededGain(pending_[j]);
            if (needed < gain) lowest = std::min(lowest, gain - (gain - needed) / static_cast<float>(j + 1));
        }
        gain_ = lowest;
        float s = std::clamp(pending_.front() * gain_, -1.0f, 1.0f);
        pending_.pop_front();
        out.push_back(static_cast<int16_t>(std::lround(s * 32767.0f)));
    }
    return out;
}
