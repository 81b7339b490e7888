// Looping sounds belong to their objects. With more saucers than their slot
// has voices, each new saucer takes the pool's next voice and the saucer that
// had it falls silent; removing a saucer stops its loop only while the loop
// is still its own. Heard through the loopback capture: the loops are noise,
// so the mix's power counts the loops sounding.
#include <cmath>
#include <vector>

#include "sound/tone_wav.h"
#include "sound_world_fixture.h"

namespace {

constexpr int VOICES = 4;  // as many as the saucers' slots have
constexpr double AMPLITUDE = 0.08;
// Even noise carries a third of its peak's square.
const double LOOP_POWER = std::pow(AMPLITUDE * 32767, 2) / 3.0;

class LoopVoiceTest : public SoundWorldTest {
protected:
    void SetUp() override {
        WorldTest::SetUp();
        StartSound(false);
        const auto noise = NoiseWav(1.0, AMPLITUDE);
        ASSERT_EQ(LoadSoundData(noise.data(), noise.size(), SOUND_UFO, VOICES), SOUND_UFO);
        TMesh saucer = SphereKind(KIND_VISITOR, KEY_VISITOR, 1.5);
        saucer.soundId = SOUND_UFO;
        field->AddKind(saucer);
    }
    // Saucers spawned a twentieth of a second apart, so that their loops
    // never line up.
    std::vector<TAsteroid*> SpawnSaucers(int n) {
        std::vector<TAsteroid*> saucers;
        for (int i = 0; i < n; ++i) {
            saucers.push_back(field->Spawn(KIND_VISITOR, KEY_VISITOR, -1));
            EXPECT_NE(saucers.back(), nullptr);
            RenderSoundMix(Frames(0.05));
        }
        return saucers;
    }
    void RemoveSaucer(const TAsteroid* saucer) {
        for (int i = 0; i < field->count; ++i)
            if (field->objects[size_t(i)].get() == saucer) return field->Remove(i);
        ADD_FAILURE() << "saucer not in the field";
    }
    // The loops the mix carries, once the mixer has taken the latest change.
    double LoopsHeard() {
        RenderSoundMix(Frames(0.05));
        const double rms = Rms(RenderSoundMix(Frames(0.25)));
        return rms * rms / LOOP_POWER;
    }
};

TEST_F(LoopVoiceTest, RemovingSaucersNeverSilencesALoopThatIsStillAnothersOwn) {
    // Six saucers on four voices: the first two lose theirs to the last two.
    const std::vector<TAsteroid*> saucers = SpawnSaucers(VOICES + 2);
    std::vector<bool> live(saucers.size(), true);
    // A live saucer sounds while no later saucer took its voice.
    auto expectedLoops = [&] {
        int n = 0;
        for (size_t i = 0; i < saucers.size(); ++i)
            if (live[i] && i + VOICES >= saucers.size()) ++n;
        return n;
    };
    EXPECT_NEAR(LoopsHeard(), VOICES, 0.4);
    // The silent ones first, then owners, in no particular order.
    for (size_t gone : {0, 1, 4, 2, 5, 3}) {
        RemoveSaucer(saucers[gone]);
        live[gone] = false;
        EXPECT_NEAR(LoopsHeard(), expectedLoops(), 0.4) << "after removing saucer " << gone;
    }
    EXPECT_EQ(field->count, 0);
}

TEST_F(LoopVoiceTest, ANewSaucerTakesAVoiceAndTheOneThatLostItStopsNothingWhenRemoved) {
    std::vector<TAsteroid*> saucers = SpawnSaucers(VOICES);
    field->Remove(1);
    EXPECT_NEAR(LoopsHeard(), VOICES - 1, 0.4);
    // The pool's next voice is the first saucer's: the newcomer takes it.
    const std::vector<TAsteroid*> newcomer = SpawnSaucers(1);
    EXPECT_NEAR(LoopsHeard(), VOICES - 1, 0.4);
    RemoveSaucer(saucers[0]);
    EXPECT_NEAR(LoopsHeard(), VOICES - 1, 0.4);
    RemoveSaucer(newcomer[0]);
    EXPECT_NEAR(LoopsHeard(), VOICES - 2, 0.4);
    // Clearing the field silences every loop still sounding.
    field->Clear();
    EXPECT_LT(LoopsHeard(), 0.01);
}

TEST_F(LoopVoiceTest, SaucersStillInTheFieldWhenSoundEndsStopNothingLater) {
    SpawnSaucers(VOICES + 1);
    ShutdownSound();
    ASSERT_TRUE(InitSound(nullptr, capturePath_));
    const auto noise = NoiseWav(1.0, AMPLITUDE);
    ASSERT_EQ(LoadSoundData(noise.data(), noise.size(), SOUND_UFO, VOICES), SOUND_UFO);
    // The new set-up's voices play for someone else; the old saucers' loops
    // are gone with the old set-up.
    for (int i = 0; i < VOICES; ++i) {
        PlaySound(SOUND_UFO, true);
        RenderSoundMix(Frames(0.05));
    }
    field->Clear();
    EXPECT_NEAR(LoopsHeard(), VOICES, 0.4);
}

}  // namespace
