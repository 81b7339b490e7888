#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "mix_helpers.h"
#include "sound/wav.h"
#include "tone_wav.h"

namespace {

constexpr double FULL_RMS = 0.5 * 32767 / M_SQRT2;
constexpr double SILENT_RMS = 2.0;
// Stopping a voice fades it out over a few samples.
constexpr int FADE_FRAMES = 256;

class LoopbackMixTest : public LoopbackSoundTest {
protected:
    void Load(int slot, double seconds, int buffers = 2) {
        const auto tone = ToneWav(440, seconds);
        ASSERT_EQ(LoadSoundData(tone.data(), tone.size(), slot, buffers), slot);
    }
};

TEST_F(LoopbackMixTest, APlayIsAudibleForTheLengthOfItsSound) {
    Load(SOUND_TONE1, 0.1);
    EXPECT_LT(Rms(RenderSoundMix(Frames(0.05))), SILENT_RMS);
    PlaySound(SOUND_TONE1, false);
    const auto mix = RenderSoundMix(Frames(0.3));
    EXPECT_NEAR(Rms(mix, 0, Frames(0.1)), FULL_RMS, FULL_RMS * 0.02);
    EXPECT_LT(Rms(mix, Frames(0.11)), SILENT_RMS);
}

TEST_F(LoopbackMixTest, ALoopKeepsSoundingUntilStopped) {
    Load(SOUND_SPINNER, 0.1);
    SoundBuffer* loop = PlaySound(SOUND_SPINNER, true);
    const auto mix = RenderSoundMix(Frames(1.0));
    EXPECT_NEAR(Rms(mix, Frames(0.9)), FULL_RMS, FULL_RMS * 0.02);

    StopSound(loop);
    const auto after = RenderSoundMix(Frames(0.2));
    EXPECT_LT(Rms(after, FADE_FRAMES), SILENT_RMS);
    StopSound(nullptr);  // allowed, does nothing
}

TEST_F(LoopbackMixTest, MinusOneThousandIsTenDecibelsQuieter) {
    Load(SOUND_TONE1, 0.2);
    Load(SOUND_PHASERS, 0.2);
    SetSoundVolume(SOUND_PHASERS, -1000);
    auto measure = [](int slot) {
        PlaySound(slot, false);
        const double rms = Rms(RenderSoundMix(Frames(0.15)), FADE_FRAMES);
        RenderSoundMix(Frames(0.1));
        return rms;
    };
    const double full = measure(SOUND_TONE1);
    EXPECT_NEAR(measure(SOUND_PHASERS) / full, 0.316, 0.005);

    // Volumes above 0 are refused: the earlier volume stays.
    SetSoundVolume(SOUND_PHASERS, 1000);
    EXPECT_NEAR(measure(SOUND_PHASERS) / full, 0.316, 0.005);
    SetSoundVolume(SOUND_PHASERS, -10001);
    EXPECT_NEAR(measure(SOUND_PHASERS) / full, 0.316, 0.005);
    SetSoundVolume(SOUND_PHASERS, 0);
    EXPECT_NEAR(measure(SOUND_PHASERS) / full, 1.0, 0.005);
    SetSoundVolume(SOUND_TONE1, 250);
    EXPECT_NEAR(measure(SOUND_TONE1) / full, 1.0, 0.005);
}

TEST_F(LoopbackMixTest, TheCaptureFileHoldsTheAdvancedTimeOfTheMix) {
    Load(SOUND_TONE1, 0.1);
    PlaySound(SOUND_TONE1, false);
    SoundCaptureAdvance(0.25);
    for (int i = 0; i < 25; ++i) SoundCaptureAdvance(0.01);
    SoundCaptureAdvance(-1.0);
    SoundCaptureAdvance(0.0);
    ShutdownSound();

    std::ifstream in(capturePath_, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    WavFormat f;
    ASSERT_TRUE(ReadWavHeader(bytes.data(), bytes.size(), f));
    EXPECT_EQ(f.channels, 1);
    EXPECT_EQ(f.samplesPerSec, 22050u);
    EXPECT_EQ(f.bitsPerSample, 16);
    EXPECT_EQ(f.dataSize, uint32_t(Frames(0.5) * 2));
    EXPECT_EQ(bytes.size(), WAV_HEADER_SIZE + f.dataSize);
    std::vector<int16_t> samples(f.dataSize / 2);
    std::memcpy(samples.data(), bytes.data() + WAV_HEADER_SIZE, f.dataSize);
    EXPECT_NEAR(Rms(samples, 0, Frames(0.1)), FULL_RMS, FULL_RMS * 0.02);
    EXPECT_LT(Rms(samples, Frames(0.11)), SILENT_RMS);
}

}  // namespace
