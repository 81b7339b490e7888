#include <gtest/gtest.h>

#include "fake_clock.h"
#include "framework/timer.h"

namespace {

class TimerTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetClock(&clock_);
        frameClock.timingFallback = 0;
        ResetTimer();
        ResetFrameStatistics();
    }
    void TearDown() override {
        SetClock(nullptr);
        frameClock.timingFallback = 0;
    }
    FakeClock clock_;
};

TEST_F(TimerTest, FirstCallIsZeroThenCounterDeltas) {
    clock_.count = 5000;
    EXPECT_FLOAT_EQ(GetElapsedSeconds(), 0.0f);
    clock_.count = 5250;
    EXPECT_FLOAT_EQ(GetElapsedSeconds(), 0.25f);
    clock_.count = 10250;  // a five-second stall is reported as it is
    EXPECT_FLOAT_EQ(GetElapsedSeconds(), 5.0f);
}

TEST_F(TimerTest, BackwardReadingIsDiscardedAndReadAgain) {
    clock_.counts = {1000, 2000, 1500, 2100};
    EXPECT_FLOAT_EQ(GetElapsedSeconds(), 1.0f);   // 1000 then 2000
    EXPECT_FLOAT_EQ(GetElapsedSeconds(), 0.1f);   // 1500 is skipped, 2100 taken
}

TEST_F(TimerTest, MissingCounterSwitchesToTheMillisecondClockForGood) {
    clock_.frequencyWorks = false;
    clock_.milliseconds = 1000;
    EXPECT_FLOAT_EQ(GetElapsedSeconds(), 0.0f);
    EXPECT_EQ(frameClock.timingFallback, 1);
    clock_.frequencyWorks = true;
    clock_.milliseconds = 1016;
    EXPECT_NEAR(GetElapsedSeconds(), 0.016f, 1e-6);
}

TEST_F(TimerTest, MillisecondReadingsAreSinglePrecision) {
    frameClock.timingFallback = 1;
    clock_.milliseconds = (1u << 24) + 1;  // not representable: rounds to 2^24
    GetElapsedSeconds();
    clock_.milliseconds = (1u << 24) + 3;  // rounds to 2^24 + 4
    EXPECT_NEAR(GetElapsedSeconds(), 0.004f, 1e-6);
}

TEST_F(TimerTest, StatisticsComputeOnTheFrameThatPassesOneSecond) {
    // 1/32 s is exact in binary, so 32 frames reach exactly 1.0 but not above.
    for (int i = 0; i < 32; ++i) CountFrame(1.0f / 32.0f);
    EXPECT_EQ(frameClock.fps, 0.0);
    EXPECT_EQ(frameClock.fpsFrames, 32);
    CountFrame(1.0f / 32.0f);
    EXPECT_NEAR(frameClock.fps, 32.0, 1e-9);
    EXPECT_EQ(frameClock.fpsFrames, 0);
    EXPECT_EQ(frameClock.fpsTime, 0.0);
    EXPECT_NEAR(frameClock.fpsMin, 32.0, 1e-9);
    EXPECT_NEAR(frameClock.fpsMax, 32.0, 1e-9);
    for (int i = 0; i < 65; ++i) CountFrame(1.0f / 64.0f);
    EXPECT_NEAR(frameClock.fpsMax, 65.0 / (65.0 / 64.0), 1e-9);
    EXPECT_NEAR(frameClock.fpsMin, 32.0, 1e-9);
}

}  // namespace
