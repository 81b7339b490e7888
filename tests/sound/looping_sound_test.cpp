// A looping sound held by its owner: it stops and moves only its own play,
// never a newer play that the pool gave its voice to.
#include <gtest/gtest.h>

#include "mix_helpers.h"
#include "sound/looping_sound.h"
#include "sound/pan_law.h"
#include "tone_wav.h"

namespace {

constexpr double SILENT_RMS = 2.0;

class LoopingSoundTest : public LoopbackSoundTest {
protected:
    void SetUp() override {
        LoopbackSoundTest::SetUp();
        ShutdownSound();
        SetSoundPlacement(true);
        ASSERT_TRUE(InitSound(nullptr, capturePath_));
    }
    void TearDown() override {
        LoopbackSoundTest::TearDown();
        SetSoundPlacement(false);
    }
    void Load(int voices) {
        const auto tone = ToneWav(440, 0.5);
        ASSERT_EQ(LoadSoundData(tone.data(), tone.size(), SOUND_BORG, voices), SOUND_BORG);
    }
    // Left over right of the mix in dB, once the mixer has taken the latest
    // change; 0 when silent.
    static double Balance() {
        RenderSoundMix(Frames(0.05));
        const auto mix = RenderSoundMix(Frames(0.1));
        double left = 0.0, right = 0.0;
        for (size_t i = 0; i + 1 < mix.size(); i += 2) {
            left += double(mix[i]) * mix[i];
            right += double(mix[i + 1]) * mix[i + 1];
        }
        return left + right > 0.0 ? 10.0 * std::log10((left + 1.0) / (right + 1.0)) : 0.0;
    }
    static double Level() {
        RenderSoundMix(Frames(0.05));
        return Rms(RenderSoundMix(Frames(0.1)));
    }
    static uint32_t Status(int voice) { return GetSoundStatus(soundTable[SOUND_BORG].buffers[voice]); }
};

constexpr uint32_t LOOPING = SOUND_STATUS_PLAYING | SOUND_STATUS_LOOPING;

TEST_F(LoopingSoundTest, ALoopThatLostItsVoiceNeitherMovesNorStopsTheNewerPlay) {
    Load(1);
    LoopingSound older, newer;
    older.Start(SOUND_BORG, -1.0f);
    EXPECT_NEAR(Balance(), EDGE_DIFFERENCE_DB, 0.5);
    newer.Start(SOUND_BORG, 1.0f);
    EXPECT_NEAR(Balance(), -EDGE_DIFFERENCE_DB, 0.5);

    older.Pan(-1.0f);
    EXPECT_NEAR(Balance(), -EDGE_DIFFERENCE_DB, 0.5);
    older.Stop();
    EXPECT_EQ(Status(0), LOOPING);
    EXPECT_GT(Level(), 1000.0);

    newer.Pan(-1.0f);
    EXPECT_NEAR(Balance(), EDGE_DIFFERENCE_DB, 0.5);
    newer.Stop();
    EXPECT_LT(Level(), SILENT_RMS);
}

TEST_F(LoopingSoundTest, LettingGoStopsOnlyItsOwnLoop) {
    Load(3);
    LoopingSound kept;
    kept.Start(SOUND_BORG, 0.0f);
    {
        LoopingSound dropped;
        dropped.Start(SOUND_BORG, 0.0f);
        EXPECT_EQ(Status(1), LOOPING);
    }
    EXPECT_EQ(Status(0), LOOPING);
    EXPECT_EQ(Status(1), 0u);
    // Starting again lets go of the loop held before.
    kept.Start(SOUND_BORG, 0.0f);
    EXPECT_EQ(Status(0), 0u);
    EXPECT_EQ(Status(2), LOOPING);
}

TEST_F(LoopingSoundTest, AHeldLoopIsNoneOfANewSetUpsBusiness) {
    Load(1);
    LoopingSound held;
    held.Start(SOUND_BORG, 0.0f);
    ShutdownSound();
    ASSERT_TRUE(InitSound(nullptr, capturePath_));
    Load(1);
    PlaySound(SOUND_BORG, true);
    held.Pan(-1.0f);
    held.Stop();
    EXPECT_EQ(Status(0), LOOPING);
    EXPECT_NEAR(Balance(), 0.0, 0.1);
}

}  // namespace
