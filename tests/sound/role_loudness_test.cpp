// The default library's sounds heard through the placed loopback capture:
// each as loud as its role's table value, and in play, after the slot
// volumes the games set, the explosion on top and the loops under the effects.
#include <gtest/gtest.h>

#include <map>

#include "dsp.h"
#include "gamelib/libman.h"
#include "mix_helpers.h"
#include "names.h"
#include "sound_levels.h"

namespace {

// A slot the games leave empty.
constexpr int SPARE_SLOT = 14;

class RoleLoudnessTest : public LoopbackSoundTest {
protected:
    void SetUp() override {
        savedUseGameLib_ = useGameLib;
        useGameLib = 1;
        library_ = std::make_unique<TGameLib>(ROCKPILE_LIBRARY_FILE, nullptr);
        library_->Open();
        theGameLib = library_.get();
        SetSoundPlacement(true);
        LoopbackSoundTest::SetUp();
    }
    void TearDown() override {
        LoopbackSoundTest::TearDown();
        SetSoundPlacement(false);
        theGameLib = nullptr;
        library_.reset();
        useGameLib = savedUseGameLib_;
    }
    // The loudness of the slot's sound as the capture holds it, both sides
    // together; a loop is heard for a second and a half.
    double HeardDbfs(int slot, bool loop) {
        SoundBuffer* voice = PlaySound(slot, loop);
        EXPECT_NE(voice, nullptr) << slot;
        std::vector<int16_t> mix;
        for (int part = 0; part < 30 && (loop || GetSoundStatus(voice)); ++part) {
            const auto more = RenderSoundMix(Frames(0.05));
            mix.insert(mix.end(), more.begin(), more.end());
        }
        StopSound(voice);
        RenderSoundMix(Frames(0.05));
        contentgen::Signal signal(mix.begin(), mix.end());
        for (float& s : signal) s /= 32767.0f;
        return contentgen::ActiveRmsDbfs(signal, 2);
    }

    std::unique_ptr<TGameLib> library_;
    int32_t savedUseGameLib_ = 0;
};

TEST_F(RoleLoudnessTest, EachSoundIsHeardAtItsRolesLoudness) {
    for (const std::string& name : content::kSoundNames) {
        ASSERT_EQ(LoadSound(name.c_str(), SPARE_SLOT, 1), SPARE_SLOT) << name;
        const content::SoundRole role = content::RoleOfSound(name);
        EXPECT_NEAR(HeardDbfs(SPARE_SLOT, role == content::SoundRole::Loop), content::LoudnessOf(role), 3.0)
            << name;
    }
}

TEST_F(RoleLoudnessTest, InPlayTheExplosionIsOnTopAndTheLoopsSitUnderTheEffects) {
    const std::map<int, double> effects = {
        {SOUND_EXPLOSION, HeardDbfs(SOUND_EXPLOSION, false)}, {SOUND_HIT, HeardDbfs(SOUND_HIT, false)},
        {SOUND_POWERUP, HeardDbfs(SOUND_POWERUP, false)},     {SOUND_RICOCHET, HeardDbfs(SOUND_RICOCHET, false)},
        {SOUND_PHASERS, HeardDbfs(SOUND_PHASERS, false)},
    };
    const std::map<int, double> loops = {{SOUND_SPINNER, HeardDbfs(SOUND_SPINNER, true)},
                                         {SOUND_BORG, HeardDbfs(SOUND_BORG, true)},
                                         {SOUND_UFO, HeardDbfs(SOUND_UFO, true)}};
    for (const auto& [slot, level] : effects) {
        if (slot == SOUND_EXPLOSION) continue;
        EXPECT_GT(effects.at(SOUND_EXPLOSION), level + 1.0) << "slot " << slot;
    }
    for (const auto& [loop, level] : loops) {
        // Well under the hits, explosions, power-ups and ricochet shots; under
        // the phaser shots, which their slot keeps 10 dB down.
        for (int effect : {SOUND_EXPLOSION, SOUND_HIT, SOUND_POWERUP, SOUND_RICOCHET})
            EXPECT_LT(level, effects.at(effect) - 6.0) << "loop slot " << loop << " against slot " << effect;
        EXPECT_LT(level, effects.at(SOUND_PHASERS)) << "loop slot " << loop;
    }
}

}  // namespace
