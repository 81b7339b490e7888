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

PeakLimiter::PeakLimiter(int sampleRate, int channels)
    : channels_(size_t(std::max(channels, 1))),
      pending_(LOOKAHEAD * channels_, 0.0f),
      recovery_(static_cast<float>(std::exp(-1.0 / (kRecoverySeconds * std::max(sampleRate, 1))))) {}

std::vector<int16_t> PeakLimiter::Process(const std::vector<float>& mix) {
    std::vector<int16_t> out;
    out.reserve(mix.size());
    for (size_t frame = 0; frame + channels_ <= mix.size(); frame += channels_) {
        pending_.insert(pending_.end(), mix.begin() + long(frame), mix.begin() + long(frame + channels_));
        // Ramp down steeply enough to meet every peak in the look-ahead:
        // a peak j frames away needs 1/(j+1) of the way down now.
        float gain = 1.0f - (1.0f - gain_) * recovery_;
        float lowest = gain;
        for (size_t i = 0; i < pending_.size(); ++i) {
            float needed = NeededGain(pending_[i]);
            float framesAway = static_cast<float>(i / channels_ + 1);
            if (needed < gain) lowest = std::min(lowest, gain - (gain - needed) / framesAway);
        }
        gain_ = lowest;
        for (size_t c = 0; c < channels_; ++c) {
            float s = std::clamp(pending_.front() * gain_, -1.0f, 1.0f);
            pending_.pop_front();
            out.push_back(static_cast<int16_t>(std::lround(s * 32767.0f)));
        }
    }
    return out;
}
