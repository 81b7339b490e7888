#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "gamelib/libman.h"
#include "mix_helpers.h"
#include "tone_wav.h"

namespace {

namespace fs = std::filesystem;

struct TableRow {
    int slot;
    const char* file;
    int buffers;
    double gain;
};
const TableRow TABLE[] = {
    {1, "thunderous hit.wav", 16, 1.0}, {2, "explosion3.wav", 16, 0.562}, {3, "powerup_x.wav", 4, 1.0},
    {4, "tone1.wav", 2, 1.0},           {5, "tone2.wav", 2, 1.0},         {6, "tone3.wav", 2, 1.0},
    {7, "tone4.wav", 2, 1.0},           {8, "bomb7.wav", 4, 1.0},         {9, "spinner.wav", 10, 0.750},
    {10, "phasers3.wav", 8, 0.316},     {11, "ricochet.wav", 8, 1.0},     {13, "uforep.wav", 4, 0.562},
};
// "borg.wav" (slot 12) is left out of the library.

// Sound set up from a game library of loose files holding every sound of the
// table but one.
class SoundTableTest : public LoopbackSoundTest {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("rockpile-sounds-" + std::to_string(::getpid()));
        fs::create_directories(dir_ / "sounds");
        const auto tone = ToneWav(440, 0.2);
        for (const TableRow& row : TABLE)
            std::ofstream(dir_ / "sounds" / row.file, std::ios::binary)
                .write(reinterpret_cast<const char*>(tone.data()), std::streamsize(tone.size()));
        savedUseGameLib_ = useGameLib;
        useGameLib = 0;
        library_ = std::make_unique<TGameLib>("unused.lib", nullptr);
        library_->defaultPaths[0] = dir_.string();
        library_->defaultPathCount = 1;
        theGameLib = library_.get();
        LoopbackSoundTest::SetUp();
    }
    void TearDown() override {
        LoopbackSoundTest::TearDown();
        theGameLib = nullptr;
        library_.reset();
        useGameLib = savedUseGameLib_;
        fs::remove_all(dir_);
    }
    double PlayedRms(int slot) {
        PlaySound(slot, false);
        const double rms = Rms(RenderSoundMix(Frames(0.15)), 256);
        RenderSoundMix(Frames(0.1));
        return rms;
    }

    fs::path dir_;
    std::unique_ptr<TGameLib> library_;
    int32_t savedUseGameLib_ = 0;
};

TEST_F(SoundTableTest, EverySlotGetsItsSoundPoolAndVolume) {
    for (const TableRow& row : TABLE) {
        EXPECT_EQ(soundTable[row.slot].bufferCount, row.buffers) << row.file;
        EXPECT_EQ(soundTable[row.slot].nextBuffer, 0) << row.file;
    }
    const double full = PlayedRms(SOUND_HIT);
    ASSERT_GT(full, 1000.0);
    for (const TableRow& row : TABLE) EXPECT_NEAR(PlayedRms(row.slot) / full, row.gain, 0.005) << row.file;
}

TEST_F(SoundTableTest, SlotsWithoutASoundStayDisabled) {
    for (int slot : {0, 12, 14, 15}) {
        EXPECT_EQ(soundTable[slot].nextBuffer, -1) << slot;
        EXPECT_EQ(soundTable[slot].bufferCount, 0) << slot;
        EXPECT_EQ(PlaySound(slot, false), nullptr) << slot;
    }
}

TEST_F(SoundTableTest, AMissingSoundLeavesTheSlotAsItWas) {
    EXPECT_EQ(LoadSound("borg.wav", SOUND_TONE1, 2), -1);
    EXPECT_EQ(soundTable[SOUND_TONE1].bufferCount, 2);
    EXPECT_NE(PlaySound(SOUND_TONE1, false), nullptr);
    EXPECT_EQ(LoadSound("ricochet.wav", SOUND_BORG, 3), SOUND_BORG);
    EXPECT_EQ(soundTable[SOUND_BORG].bufferCount, 3);
}

}  // namespace
