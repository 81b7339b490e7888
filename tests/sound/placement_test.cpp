// The placement switch: off, the mix is the mono one whatever the pans; on,
// each voice sits between the speakers by its pan and the capture holds left
// and right. The pan law itself, and the limiter's shared gain.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "mix_helpers.h"
#include "sound/pan_law.h"
#include "sound/peak_limiter.h"
#include "sound/wav.h"
#include "tone_wav.h"

namespace {

constexpr double FULL_RMS = 0.5 * 32767 / M_SQRT2;

std::vector<int16_t> Channel(const std::vector<int16_t>& stereo, int channel) {
    std::vector<int16_t> out;
    for (size_t i = size_t(channel); i < stereo.size(); i += 2) out.push_back(stereo[i]);
    return out;
}

WavFormat CaptureFormat(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    WavFormat f;
    EXPECT_TRUE(ReadWavHeader(bytes.data(), bytes.size(), f));
    return f;
}

TEST(PanLaw, KeepsThePowerAndReachesTheDesignedDifferenceAtTheEdges) {
    const StereoGains middle = PanGains(0.0f);
    EXPECT_FLOAT_EQ(middle.left, middle.right);
    float previousLeft = 2.0f;
    for (float pan = -1.0f; pan <= 1.0f; pan += 0.125f) {
        const StereoGains g = PanGains(pan);
        EXPECT_NEAR(g.left * g.left + g.right * g.right, 1.0f, 1e-5f) << pan;
        EXPECT_LT(g.left, previousLeft) << pan;
        previousLeft = g.left;
        const StereoGains mirror = PanGains(-pan);
        EXPECT_NEAR(g.left, mirror.right, 1e-6f) << pan;
    }
    const StereoGains edge = PanGains(-1.0f);
    EXPECT_NEAR(20 * std::log10(edge.left / edge.right), EDGE_DIFFERENCE_DB, 1e-3);
    EXPECT_GT(edge.right, 0.0f);  // a moderate width: never one speaker alone
    EXPECT_FLOAT_EQ(PanGains(-7.0f).left, edge.left);
    EXPECT_FLOAT_EQ(PanGains(3.0f).right, edge.left);
}

TEST(PeakLimiter, TheChannelsOfAFrameShareOneGain) {
    PeakLimiter limiter(22050, 2);
    std::vector<float> mix;
    for (int i = 0; i < 4000; ++i) {
        const float s = std::sin(float(i) * 0.2f);
        mix.push_back(3.0f * s);  // far over the ceiling on the left
        mix.push_back(0.3f * s);
    }
    const auto out = limiter.Process(mix);
    ASSERT_EQ(out.size(), mix.size());
    const auto left = Channel(out, 0), right = Channel(out, 1);
    const double late = Rms(left, 2000), lateRight = Rms(right, 2000);
    EXPECT_LT(late, 0.95 * 32767);
    EXPECT_NEAR(lateRight / late, 0.1, 0.002);
}

class PlacementTest : public LoopbackSoundTest {
protected:
    void TearDown() override {
        LoopbackSoundTest::TearDown();
        SetSoundPlacement(false);
    }
    void StartPlaced() {
        ShutdownSound();
        SetSoundPlacement(true);
        ASSERT_TRUE(InitSound(nullptr, capturePath_));
    }
    void Load(int slot, int buffers = 2) {
        const auto tone = ToneWav(440, 0.2);
        ASSERT_EQ(LoadSoundData(tone.data(), tone.size(), slot, buffers), slot);
    }
};

TEST_F(PlacementTest, OffAPanChangesNothingAndTheCaptureStaysMono) {
    Load(SOUND_EXPLOSION);
    for (float pan : {-1.0f, 0.0f, 1.0f}) {
        PlaySound(SOUND_EXPLOSION, false, pan);
        EXPECT_NEAR(Rms(RenderSoundMix(Frames(0.15)), 256), FULL_RMS, FULL_RMS * 0.02) << pan;
        RenderSoundMix(Frames(0.1));
    }
    SoundBuffer* voice = PlaySound(SOUND_EXPLOSION, false);
    PanSound(voice, -1.0f);
    EXPECT_NEAR(Rms(RenderSoundMix(Frames(0.15)), 256), FULL_RMS, FULL_RMS * 0.02);
    ShutdownSound();
    EXPECT_EQ(CaptureFormat(capturePath_).channels, 1);
}

TEST_F(PlacementTest, OnEachVoiceSitsByItsPanAndTheCaptureHoldsBothSides) {
    StartPlaced();
    Load(SOUND_EXPLOSION, 3);
    SetSoundVolume(SOUND_EXPLOSION, -1000);
    const double quieter = FULL_RMS * 0.3162;
    for (float pan : {-1.0f, -0.5f, 0.0f, 1.0f}) {
        SoundBuffer* voice = PlaySound(SOUND_EXPLOSION, false, pan);
        ASSERT_NE(voice, nullptr);
        const auto mix = RenderSoundMix(Frames(0.15));
        ASSERT_EQ(mix.size(), size_t(2 * Frames(0.15)));
        const StereoGains g = PanGains(pan);
        EXPECT_NEAR(Rms(Channel(mix, 0), 256), quieter * g.left, quieter * 0.02) << pan;
        EXPECT_NEAR(Rms(Channel(mix, 1), 256), quieter * g.right, quieter * 0.02) << pan;
        RenderSoundMix(Frames(0.1));
    }
    // A play without a place is in the middle, whatever the voice played before.
    PlaySound(SOUND_EXPLOSION, false, -1.0f);
    RenderSoundMix(Frames(0.25));
    PlaySound(SOUND_EXPLOSION, false, 1.0f);
    RenderSoundMix(Frames(0.25));
    PlaySound(SOUND_EXPLOSION, false);
    const auto middle = RenderSoundMix(Frames(0.15));
    EXPECT_NEAR(Rms(Channel(middle, 0), 256), Rms(Channel(middle, 1), 256), 2.0);

    // Status and position are the voice's, and stopping stops both sides.
    SoundBuffer* loop = PlaySound(SOUND_EXPLOSION, true, 1.0f);
    RenderSoundMix(Frames(0.3));
    EXPECT_EQ(GetSoundStatus(loop), SOUND_STATUS_PLAYING | SOUND_STATUS_LOOPING);
    EXPECT_GT(GetSoundPosition(loop), 0);
    PanSound(loop, -1.0f);
    RenderSoundMix(Frames(0.1));  // the mixer takes a change at its next update
    const auto moved = RenderSoundMix(Frames(0.1));
    const StereoGains edge = PanGains(-1.0f);
    EXPECT_NEAR(Rms(Channel(moved, 0)) / Rms(Channel(moved, 1)), edge.left / edge.right, 0.05);
    StopLoopingSounds();
    RenderSoundMix(Frames(0.02));
    EXPECT_LT(Rms(RenderSoundMix(Frames(0.1))), 2.0);

    SoundCaptureAdvance(0.5);
    ShutdownSound();
    const WavFormat f = CaptureFormat(capturePath_);
    EXPECT_EQ(f.channels, 2);
    EXPECT_EQ(f.blockAlign, 4);
    // Rendered by hand, then half a second advanced: frames, not samples, count.
    EXPECT_GE(f.dataSize, uint32_t(Frames(0.5) * 4));
}

}  // namespace
