// The sound slot each event of the world plays: hits, explosions, power-ups
// and fire once each; the second game's spinner, saucer and cube loop their
// own sounds from spawn until they leave the field.
#include <map>

#include "game/gamepacks.h"
#include "sound/tone_wav.h"
#include "sound_world_fixture.h"

namespace {

constexpr uint32_t LOOPING = SOUND_STATUS_PLAYING | SOUND_STATUS_LOOPING;

class EventSoundsTest : public SoundWorldTest {
protected:
    void SetUp() override {
        WorldTest::SetUp();
        StartSound(false);
        const auto tone = ToneWav(440.0, 0.5);
        for (int slot = 1; slot <= SOUND_UFO; ++slot)
            ASSERT_EQ(LoadSoundData(tone.data(), tone.size(), slot, 2), slot);
    }

    // The latest play of any voice.
    static uint64_t LatestPlay() {
        uint64_t latest = 0;
        for (const TSoundSlot& slot : soundTable)
            for (int i = 0; i < slot.bufferCount; ++i) latest = std::max(latest, GetSoundPlay(slot.buffers[i]));
        return latest;
    }
    // The plays of each slot that `event` started, looping ones counted apart.
    struct Plays {
        std::map<int, int> once, looping;
    };
    template <typename Event>
    static Plays PlaysOf(Event&& event) {
        const uint64_t before = LatestPlay();
        event();
        Plays plays;
        for (int s = 0; s < NUM_SOUND_SLOTS; ++s)
            for (int i = 0; i < soundTable[s].bufferCount; ++i) {
                const SoundBuffer* voice = soundTable[s].buffers[i];
                if (GetSoundPlay(voice) <= before) continue;
                ++(GetSoundStatus(voice) & SOUND_STATUS_LOOPING ? plays.looping : plays.once)[s];
            }
        return plays;
    }
    static std::map<int, int> Once(int slot, int n = 1) { return {{slot, n}}; }
};

TEST_F(EventSoundsTest, AHitSoundsOnceAndTheLastHitAlsoExplodes) {
    TAsteroid* rock = Place(RockKind(), {0, 0, 0}, {1, 0, 0}, 1.0);
    rock->hull = 2;
    rock->splitsLeft = 0;
    rock->dropPercent = 0;
    Plays plays = PlaysOf([&] { field->Hit(0, {1, 0, 0}); });
    EXPECT_EQ(plays.once, Once(SOUND_HIT));
    EXPECT_TRUE(plays.looping.empty());
    plays = PlaysOf([&] { field->Hit(0, {1, 0, 0}); });
    EXPECT_EQ(plays.once, (std::map<int, int>{{SOUND_HIT, 1}, {SOUND_EXPLOSION, 1}}));
    EXPECT_EQ(field->count, 0);

    // A shot-proof object is not hit at all.
    Place(PowerupKind(), {0, 0, 0}, {1, 0, 0}, 1.0);
    EXPECT_TRUE(PlaysOf([&] { field->Hit(0, {1, 0, 0}); }).once.empty());
}

TEST_F(EventSoundsTest, TheShipExplodesWhenHitOrCrashedAndChimesForAPowerup) {
    ship->invulnerable = 0;
    EXPECT_EQ(PlaysOf([&] { ship->Damage(1, 2, 0); }).once, Once(SOUND_EXPLOSION));
    ship->invulnerable = 0;
    EXPECT_EQ(PlaysOf([&] { ship->CrashAt(1, -30, 0); }).once, Once(SOUND_EXPLOSION));
    // Protected, the ship takes no hit and makes no sound.
    EXPECT_TRUE(PlaysOf([&] { ship->Damage(1, 2, 0); }).once.empty());

    TAsteroid* powerup = Place(PowerupKind(), {3, 0, 0}, {1, 0, 0}, 1.0);
    EXPECT_EQ(PlaysOf([&] { ship->CollectPowerup(*powerup); }).once, Once(SOUND_POWERUP));
}

TEST_F(EventSoundsTest, FiringPlaysTheShipsFireSoundPhasersUnlessSetOtherwise) {
    ship->controls.fire = 1;
    ship->fireCooldown = 0;
    EXPECT_EQ(PlaysOf([&] { ship->FireAndShield(0.01); }).once, Once(SOUND_PHASERS));
    // Still cooling down: no shot, no sound.
    EXPECT_TRUE(PlaysOf([&] { ship->FireAndShield(0.01); }).once.empty());
    ship->fireSound = SOUND_RICOCHET;
    ship->fireCooldown = 0;
    EXPECT_EQ(PlaysOf([&] { ship->FireAndShield(0.01); }).once, Once(SOUND_RICOCHET));
}

TEST_F(EventSoundsTest, TheSecondGamesLoopsStartAtSpawnAndStopAtRemoval) {
    settings.gameId = GAME_ID_SECOND;
    field->fallingMode = 1;
    AddTableKinds(*field, kShardstormKinds, TShardstorm());

    Plays plays = PlaysOf([&] { ASSERT_NE(field->SpawnSpinner(), nullptr); });
    EXPECT_EQ(plays.looping, Once(SOUND_SPINNER));
    EXPECT_TRUE(plays.once.empty());

    // Saucer and cube are both visitors: spawn until each has come.
    std::map<int, int> visitorLoops;
    for (int tries = 0; tries < 50 && visitorLoops.size() < 2; ++tries) {
        TAsteroid* visitor = nullptr;
        plays = PlaysOf([&] { visitor = field->Spawn(KIND_VISITOR, KEY_VISITOR, -1); });
        ASSERT_NE(visitor, nullptr);
        const int expected = (visitor->kind.flags & KIND_WOBBLE) ? SOUND_UFO : SOUND_BORG;
        EXPECT_EQ(plays.looping, Once(expected)) << "visitor of scale " << visitor->kind.scale;
        visitorLoops[expected] = 1;
        field->Remove(field->count - 1);
        EXPECT_EQ(GetSoundStatus(soundTable[expected].buffers[0]) | GetSoundStatus(soundTable[expected].buffers[1]),
                  0u);
    }
    EXPECT_EQ(visitorLoops.size(), 2u);

    // Rocks and seekers are silent while they live.
    plays = PlaysOf([&] {
        field->Spawn(KIND_ROCK, KEY_ROCK, -1);
        field->SpawnSeeker();
    });
    EXPECT_TRUE(plays.looping.empty());
    EXPECT_TRUE(plays.once.empty());

    // The spinner is the field's first object; removing it stops its loop.
    ASSERT_EQ(GetSoundStatus(soundTable[SOUND_SPINNER].buffers[0]), LOOPING);
    field->Remove(0);
    EXPECT_EQ(GetSoundStatus(soundTable[SOUND_SPINNER].buffers[0]), 0u);
}

}  // namespace
