#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "sound/peak_limiter.h"

namespace {

std::vector<float> Sine(float amplitude, size_t n) {
    std::vector<float> s(n);
    for (size_t i = 0; i < n; ++i) s[i] = amplitude * std::sin(static_cast<float>(i) * 0.2f);
    return s;
}

TEST(PeakLimiter, QuietMixPassesUnchangedButLate) {
    PeakLimiter limiter(22050);
    std::vector<float> in = Sine(0.5f, 1000);
    std::vector<int16_t> out = limiter.Process(in);
    ASSERT_EQ(out.size(), in.size());
    for (size_t i = 0; i < PeakLimiter::LOOKAHEAD; ++i) EXPECT_EQ(out[i], 0);
    for (size_t i = PeakLimiter::LOOKAHEAD; i < out.size(); ++i)
        EXPECT_NEAR(out[i], std::lround(in[i - PeakLimiter::LOOKAHEAD] * 32767), 1) << i;
}

TEST(PeakLimiter, LoudMixNeverClipsAndKeepsItsShape) {
    PeakLimiter limiter(22050);
    std::vector<int16_t> out = limiter.Process(Sine(3.0f, 4000));
    int atTop = 0, largest = 0;
    for (size_t i = 1; i < out.size(); ++i) {
        largest = std::max(largest, std::abs(static_cast<int>(out[i])));
        if (std::abs(out[i]) >= 32000 && out[i] == out[i - 1]) ++atTop;  // cut flat
    }
    EXPECT_LE(largest, std::lround(0.95 * 32767) + 1);
    EXPECT_GT(largest, 30000);  // still loud
    EXPECT_EQ(atTop, 0);
}

TEST(PeakLimiter, GainRecoversAfterABurst) {
    PeakLimiter limiter(22050);
    limiter.Process(Sine(3.0f, 500));
    std::vector<int16_t> out = limiter.Process(Sine(0.5f, 22050));
    int late = 0;
    for (size_t i = out.size() - 200; i < out.size(); ++i) late = std::max(late, std::abs(static_cast<int>(out[i])));
    EXPECT_NEAR(late, 0.5 * 32767, 400);
}

}  // namespace
