#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "mix_helpers.h"
#include "sound/wav.h"
#include "tone_wav.h"

namespace {

constexpr double FULL_RMS = 0.5 * 32767 / M_SQRT2;  // a half-scale sine at full volume
constexpr double SILENT_RMS = 2.0;

class SoundSlotTest : public LoopbackSoundTest {};

TEST_F(SoundSlotTest, PlaysTakeThePoolInTurnAndRestartTheOldest) {
    const auto tone = ToneWav(440, 1.0);
    ASSERT_EQ(LoadSoundData(tone.data(), tone.size(), SOUND_TONE1, 2), SOUND_TONE1);
    const TSoundSlot& slot = soundTable[SOUND_TONE1];
    ASSERT_EQ(slot.bufferCount, 2);
    EXPECT_EQ(slot.nextBuffer, 0);

    SoundBuffer* first = PlaySound(SOUND_TONE1, false);
    RenderSoundMix(Frames(0.1));
    SoundBuffer* second = PlaySound(SOUND_TONE1, false);
    RenderSoundMix(Frames(0.1));
    EXPECT_EQ(first, slot.buffers[0]);
    EXPECT_EQ(second, slot.buffers[1]);
    EXPECT_GT(GetSoundPosition(first), Frames(0.15));

    SoundBuffer* third = PlaySound(SOUND_TONE1, false);
    EXPECT_EQ(third, first);
    EXPECT_EQ(GetSoundPosition(first), 0);
    EXPECT_EQ(GetSoundStatus(first), SOUND_STATUS_PLAYING);
    EXPECT_GT(GetSoundPosition(second), 0);
    EXPECT_EQ(slot.nextBuffer, 1);
}

TEST_F(SoundSlotTest, EnableSwitchSilencesPlaysWithoutMovingThePool) {
    const auto tone = ToneWav(440, 0.2);
    ASSERT_EQ(LoadSoundData(tone.data(), tone.size(), SOUND_TONE2, 2), SOUND_TONE2);
    SetSoundEnabled(false);
    EXPECT_EQ(PlaySound(SOUND_TONE2, false), nullptr);
    EXPECT_EQ(PlaySound(SOUND_TONE2, true), nullptr);
    EXPECT_EQ(soundTable[SOUND_TONE2].nextBuffer, 0);
    EXPECT_EQ(GetSoundStatus(soundTable[SOUND_TONE2].buffers[0]), 0u);
    EXPECT_LT(Rms(RenderSoundMix(Frames(0.1))), SILENT_RMS);

    SetSoundEnabled(true);
    EXPECT_EQ(PlaySound(SOUND_TONE2, false), soundTable[SOUND_TONE2].buffers[0]);
}

TEST_F(SoundSlotTest, EmptyDisabledAndUnknownSlotsPlayNothing) {
    EXPECT_EQ(PlaySound(0, false), nullptr);  // never loaded
    EXPECT_EQ(PlaySound(-1, false), nullptr);
    EXPECT_EQ(PlaySound(NUM_SOUND_SLOTS, false), nullptr);

    const auto tone = ToneWav(440, 0.2);
    auto broken = tone;
    broken[36] = 'D';
    EXPECT_EQ(LoadSoundData(broken.data(), broken.size(), SOUND_BOMB, 4), -1);
    EXPECT_EQ(soundTable[SOUND_BOMB].nextBuffer, -1);
    EXPECT_EQ(PlaySound(SOUND_BOMB, false), nullptr);

    // No voices asked for: enabled, but nothing to play.
    EXPECT_EQ(LoadSoundData(tone.data(), tone.size(), SOUND_BORG, 0), SOUND_BORG);
    EXPECT_EQ(soundTable[SOUND_BORG].nextBuffer, 0);
    EXPECT_EQ(PlaySound(SOUND_BORG, false), nullptr);
}

TEST_F(SoundSlotTest, PoolsHoldAtMostSixteenVoicesSharingOneSound) {
    const auto quiet = ToneWav(440, 0.2, 0.03);
    ASSERT_EQ(LoadSoundData(quiet.data(), quiet.size(), SOUND_HIT, 40), SOUND_HIT);
    EXPECT_EQ(soundTable[SOUND_HIT].bufferCount, MAX_BUFFERS);
    for (int i = 0; i < MAX_BUFFERS; ++i) EXPECT_EQ(PlaySound(SOUND_HIT, false), soundTable[SOUND_HIT].buffers[i]);
    EXPECT_EQ(soundTable[SOUND_HIT].nextBuffer, 0);
    // Sixteen overlapping plays of one sound add up.
    EXPECT_GT(Rms(RenderSoundMix(Frames(0.1))), 8 * 0.03 / 0.5 * FULL_RMS);
}

TEST_F(SoundSlotTest, LoadWavTakesMonoAndStereoOfEightAndSixteenBits) {
    for (int channels : {1, 2})
        for (int bits : {8, 16}) {
            const auto tone = ToneWav(440, 0.2, 0.5, channels, bits, 11025);
            ASSERT_EQ(LoadSoundData(tone.data(), tone.size(), SOUND_UFO, 1), SOUND_UFO) << channels << "×" << bits;
            PlaySound(SOUND_UFO, false);
            EXPECT_GT(Rms(RenderSoundMix(Frames(0.1))), FULL_RMS / 4) << channels << "×" << bits;
            RenderSoundMix(Frames(0.2));
        }
    const auto deep = ToneWav(440, 0.2, 0.5, 1, 24);
    EXPECT_EQ(LoadWav(deep.data(), deep.size()), nullptr);
    const auto empty = ToneWav(440, 0.0);
    EXPECT_EQ(LoadWav(empty.data(), empty.size()), nullptr);
}

TEST_F(SoundSlotTest, FillSoundBufferWritesInsideTheSamplesOfAnUnsharedVoice) {
    const auto tone = ToneWav(440, 0.2);
    SoundBuffer* voice = LoadWav(tone.data(), tone.size());
    ASSERT_NE(voice, nullptr);
    const size_t size = tone.size() - WAV_HEADER_SIZE;
    const std::vector<uint8_t> zeros(size, 0);
    EXPECT_FALSE(FillSoundBuffer(voice, 0, zeros.data(), 0));
    EXPECT_FALSE(FillSoundBuffer(voice, 2, zeros.data(), size));
    EXPECT_FALSE(FillSoundBuffer(voice, size + 1, zeros.data(), 1));
    SoundBuffer* twin = DuplicateSoundBuffer(voice);
    ASSERT_NE(twin, nullptr);
    EXPECT_FALSE(FillSoundBuffer(voice, 0, zeros.data(), size));
    DeleteSoundBuffer(twin);

    // Silence the second half, then play it from a slot.
    ASSERT_TRUE(FillSoundBuffer(voice, size / 2, zeros.data(), size / 2));
    TSoundSlot& slot = soundTable[SOUND_TONE4];
    slot.buffers[0] = voice;
    slot.bufferCount = 1;
    slot.nextBuffer = 0;
    PlaySound(SOUND_TONE4, false);
    const auto mix = RenderSoundMix(Frames(0.2));
    EXPECT_GT(Rms(mix, 0, Frames(0.09)), FULL_RMS * 0.9);
    EXPECT_LT(Rms(mix, Frames(0.11), Frames(0.2)), SILENT_RMS);
}

TEST_F(SoundSlotTest, StopLoopingSoundsStopsOnlyLoopingVoices) {
    const auto tone = ToneWav(440, 1.0);
    ASSERT_EQ(LoadSoundData(tone.data(), tone.size(), SOUND_SPINNER, 2), SOUND_SPINNER);
    ASSERT_EQ(LoadSoundData(tone.data(), tone.size(), SOUND_PHASERS, 2), SOUND_PHASERS);

    SoundBuffer* once = PlaySound(SOUND_PHASERS, false);
    StopLoopingSounds();  // no looping play yet
    EXPECT_EQ(GetSoundStatus(once), SOUND_STATUS_PLAYING);

    SoundBuffer* looping = PlaySound(SOUND_SPINNER, true);
    EXPECT_EQ(GetSoundStatus(looping), SOUND_STATUS_PLAYING | SOUND_STATUS_LOOPING);
    StopLoopingSounds();
    EXPECT_EQ(GetSoundStatus(looping), 0u);
    EXPECT_EQ(GetSoundStatus(once), SOUND_STATUS_PLAYING);
}

TEST_F(SoundSlotTest, LoadWavNeedsAnOpenDevice) {
    ShutdownSound();
    const auto tone = ToneWav(440, 0.2);
    EXPECT_EQ(LoadWav(tone.data(), tone.size()), nullptr);
    EXPECT_EQ(LoadSoundData(tone.data(), tone.size(), SOUND_TONE1, 2), -1);
    EXPECT_EQ(PlaySound(SOUND_TONE1, false), nullptr);
}

TEST(NoAudioDeviceTest, InitSoundGoesOnSilentWithOneLineOnStandardError) {
    ::testing::internal::CaptureStderr();
    const bool opened = InitSound(nullptr);
    const std::string err = ::testing::internal::GetCapturedStderr();
    if (opened) {
        ShutdownSound();
        GTEST_SKIP() << "this machine has an audio device";
    }
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find("no audio device"), std::string::npos) << err;
    EXPECT_EQ(PlaySound(SOUND_HIT, false), nullptr);
    EXPECT_TRUE(RenderSoundMix(100).empty());
    ShutdownSound();
}

TEST(SoundCaptureTest, AnUnwritableCaptureFileLeavesSoundOff) {
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(InitSound(nullptr, "/nonexistent-folder/mix.wav"));
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    const auto tone = ToneWav(440, 0.2);
    EXPECT_EQ(LoadWav(tone.data(), tone.size()), nullptr);
}

}  // namespace
