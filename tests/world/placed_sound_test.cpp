// Sounds of the field placed where they happen, heard through the loopback
// capture: explosions by where the object was, a saucer's loop following it
// across the field. The sounds are steady tones, so that levels compare.
#include <cmath>

#include "game/field_pan.h"
#include "sound/pan_law.h"
#include "sound/peak_limiter.h"
#include "sound/tone_wav.h"
#include "sound_world_fixture.h"

namespace {

constexpr double FRAME = 1.0 / 60.0;

// Level of one channel of an interleaved stereo capture, in dB.
double ChannelDb(const std::vector<int16_t>& mix, int channel, size_t fromFrame = 0, size_t toFrame = SIZE_MAX) {
    toFrame = std::min(toFrame, mix.size() / 2);
    double sum = 0.0;
    for (size_t i = fromFrame; i < toFrame; ++i) {
        const double s = mix[2 * i + size_t(channel)];
        sum += s * s;
    }
    return 10.0 * std::log10(sum / double(std::max<size_t>(toFrame - fromFrame, 1)) + 1e-9);
}
double LeftOverRightDb(const std::vector<int16_t>& mix, size_t fromFrame = 0, size_t toFrame = SIZE_MAX) {
    return ChannelDb(mix, 0, fromFrame, toFrame) - ChannelDb(mix, 1, fromFrame, toFrame);
}

class PlacedSoundTest : public SoundWorldTest {
protected:
    void SetUp() override {
        WorldTest::SetUp();
        StartSound(true);
        for (int slot : {SOUND_HIT, SOUND_EXPLOSION, SOUND_UFO}) {
            const auto tone = ToneWav(220.0 * slot, slot == SOUND_UFO ? 1.0 : 0.3);
            ASSERT_EQ(LoadSoundData(tone.data(), tone.size(), slot, 4), slot);
        }
    }
    // Blows up a rock of one hull point at `x` and captures the sound.
    std::vector<int16_t> ExplodeAt(float x) {
        TAsteroid* rock = Place(RockKind(), {x, 5, 0}, {0, 1, 0}, 1.0);
        rock->hull = 1;
        field->Hit(field->count - 1, {0, 1, 0});
        const auto mix = RenderSoundMix(Frames(0.25));
        RenderSoundMix(Frames(0.2));
        return mix;
    }
};

TEST_F(PlacedSoundTest, AnExplosionIsLouderOnItsSideByTheDesignedAmount) {
    const size_t from = PeakLimiter::LOOKAHEAD, to = size_t(Frames(0.25));
    const auto left = ExplodeAt(-float(PLAY_AREA_EDGE));
    EXPECT_NEAR(LeftOverRightDb(left, from, to), EDGE_DIFFERENCE_DB, 0.3);
    const auto right = ExplodeAt(float(PLAY_AREA_EDGE));
    EXPECT_NEAR(LeftOverRightDb(right, from, to), -EDGE_DIFFERENCE_DB, 0.3);
    const auto centre = ExplodeAt(0.0f);
    EXPECT_NEAR(LeftOverRightDb(centre, from, to), 0.0, 0.05);
    // Beyond an edge is the edge; half way out, half the difference or so.
    EXPECT_NEAR(LeftOverRightDb(ExplodeAt(-30.0f), from, to), EDGE_DIFFERENCE_DB, 0.3);
    const double halfWay = LeftOverRightDb(ExplodeAt(-10.0f), from, to);
    EXPECT_GT(halfWay, 3.0);
    EXPECT_LT(halfWay, EDGE_DIFFERENCE_DB - 3.0);
    // Placing a sound moves it, not its loudness: both channels together
    // carry what the middle carries.
    auto power = [&](const std::vector<int16_t>& mix) {
        return std::pow(10.0, ChannelDb(mix, 0, from, to) / 10) + std::pow(10.0, ChannelDb(mix, 1, from, to) / 10);
    };
    EXPECT_NEAR(10 * std::log10(power(left) / power(centre)), 0.0, 0.1);
}

TEST_F(PlacedSoundTest, ASaucerCrossingTheFieldTakesItsLoopFromLeftToRight) {
    TMesh saucer = SphereKind(KIND_VISITOR, KEY_VISITOR, 1.5);
    saucer.soundId = SOUND_UFO;
    field->AddKind(saucer);
    TAsteroid* ufo = field->Spawn(KIND_VISITOR, KEY_VISITOR, -1);
    ASSERT_NE(ufo, nullptr);
    ASSERT_EQ(GetSoundStatus(soundTable[SOUND_UFO].buffers[0]), SOUND_STATUS_PLAYING | SOUND_STATUS_LOOPING);
    ufo->position = Vector3(-19.0f, 0.0f, 0.0f);
    ufo->SetDirection(1.0, 0.0);
    ufo->speed = 20.0;

    // A second and nine tenths of frames: from x = -19 to x = 19.
    std::vector<int16_t> mix;
    for (int frame = 0; frame < 114; ++frame) {
        field->StepAll(FRAME);
        const auto part = RenderSoundMix(Frames(FRAME));
        mix.insert(mix.end(), part.begin(), part.end());
    }
    ASSERT_EQ(field->count, 1);
    const size_t tenth = size_t(Frames(0.1)), frames = mix.size() / 2;
    EXPECT_GT(LeftOverRightDb(mix, PeakLimiter::LOOKAHEAD, tenth), EDGE_DIFFERENCE_DB - 1.5);
    EXPECT_NEAR(LeftOverRightDb(mix, frames / 2 - tenth / 2, frames / 2 + tenth / 2), 0.0, 1.0);
    EXPECT_LT(LeftOverRightDb(mix, frames - tenth), -(EDGE_DIFFERENCE_DB - 1.5));
    // Passing the middle, the balance only moves one way.
    double previous = LeftOverRightDb(mix, 0, tenth);
    for (size_t from = tenth; from + tenth <= frames; from += tenth) {
        const double now = LeftOverRightDb(mix, from, from + tenth);
        EXPECT_LT(now, previous + 0.1) << "at frame " << from;
        previous = now;
    }

    // Gone from the field, its loop stops.
    field->Remove(0);
    RenderSoundMix(Frames(0.05));
    EXPECT_LT(Rms(RenderSoundMix(Frames(0.1))), 2.0);
}

TEST_F(PlacedSoundTest, TheShipsSoundsComeFromWhereTheShipIs) {
    const auto tone = ToneWav(330.0, 0.3);
    ASSERT_EQ(LoadSoundData(tone.data(), tone.size(), SOUND_PHASERS, 2), SOUND_PHASERS);
    ship->position = Vector3(float(PLAY_AREA_EDGE), 0, 0);
    ship->controls.fire = 1;
    ship->fireCooldown = 0;
    ship->FireAndShield(FRAME);
    const auto mix = RenderSoundMix(Frames(0.25));
    EXPECT_NEAR(LeftOverRightDb(mix, PeakLimiter::LOOKAHEAD, size_t(Frames(0.25))), -EDGE_DIFFERENCE_DB, 0.3);
}

}  // namespace
