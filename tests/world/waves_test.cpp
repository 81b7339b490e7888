#include <cmath>
#include <set>
#include <string>

#include "game/gamepacks.h"
#include "gamelib/texman.h"
#include "platform/resources.h"
#include "world_fixture.h"

namespace {

// The flagship game's field kinds, one mesh each.
void RegisterFlagshipKinds(TAsteroids& field) { AddTableKinds(field, kFlagshipKinds, TMeteorMarshal()); }

struct Census {
    int rocks = 0, monoliths = 0, invaders = 0, whirlygigs = 0, zones = 0, basestars = 0;
    bool operator==(const Census&) const = default;
};

Census Count(const TAsteroids& field) {
    Census c;
    for (int i = 0; i < field.count; ++i) {
        const TMesh& k = field.objects[i]->kind;
        if (k.flags & KIND_ROCK) (k.kindParam == KEY_ROCK ? c.rocks : c.monoliths)++;
        if (k.flags & KIND_INVADER) c.invaders++;
        if (k.flags & KIND_WHIRLYGIG) c.whirlygigs++;
        if (k.flags & KIND_ZONE) c.zones++;
        if (k.kindParam == KEY_BASESTAR) c.basestars++;
    }
    return c;
}

class Waves : public WorldTest {
protected:
    void SetUp() override {
        WorldTest::SetUp();
        settings.gameId = GAME_ID_FLAGSHIP;
        field->visitorRate = 0;
        RegisterFlagshipKinds(*field);
    }
};

TEST_F(Waves, FlagshipTableBuildsEachWavesPopulation) {
    // Rocks take their texture from the wave's group; kinds start with a
    // texture of their own, which group -1 leaves.
    TTextureManager textures(&device, "");  // lets go of theTextureManager when gone
    theTextureManager = &textures;
    for (uint32_t group : {0x10u, 0x20u, 0x40u, 0x800u})
        for (const char* suffix : {"a", "b"})
            textures.AddTexture((std::to_string(group) + suffix).c_str(),
                                std::make_unique<Texture>(4, 4, 1, D3DFMT_A8R8G8B8), group);
    TTextureEntry own{};
    for (int i = 0; i < field->kindCount; ++i) field->kinds[i].textures[0] = &own;

    struct Expected {
        Census census;
        int ringKey;  // of every whirlygig; 0 without a ring
        int group;    // of every rock's texture; -1: its own
    };
    // Rocks, monoliths, invaders, whirlygigs, zones, basestars.
    const Expected table[25] = {
        {{1, 0, 0, 0, 0, 0}, 0, -1},     {{2, 0, 0, 0, 0, 0}, 0, -1},     {{3, 0, 0, 0, 0, 0}, 0, -1},
        {{1, 0, 5, 0, 0, 0}, 0, -1},     {{5, 0, 0, 0, 0, 0}, 0, -1},     {{0, 0, 20, 0, 0, 0}, 0, -1},
        {{2, 0, 0, 6, 0, 0}, 1, -1},     {{2, 0, 0, 10, 0, 0}, 2, -1},    {{3, 0, 0, 6, 0, 0}, 3, -1},
        {{4, 0, 0, 6, 0, 0}, 4, -1},     {{0, 0, 0, 0, 1, 0}, 0, -1},     {{5, 0, 0, 0, 0, 0}, 0, 16},
        {{3, 0, 0, 6, 0, 0}, 1, 16},     {{4, 0, 0, 6, 0, 0}, 3, 16},     {{0, 4, 0, 0, 0, 0}, 0, -1},
        {{5, 0, 0, 0, 0, 0}, 0, 2048},   {{4, 0, 6, 0, 0, 0}, 0, 2048},   {{4, 1, 0, 0, 0, 0}, 0, 2048},
        {{0, 0, 0, 0, 0, 3}, 0, -1},     {{5, 0, 0, 0, 0, 0}, 0, 64},     {{4, 0, 0, 7, 0, 0}, 3, 64},
        {{4, 0, 0, 9, 0, 0}, 2, 64},     {{0, 0, 0, 0, 0, 0}, 0, -1},     {{5, 0, 0, 0, 0, 0}, 0, 32},
        {{5, 0, 0, 4, 0, 0}, 1, 32},
    };
    for (int wave = 1; wave <= 25; ++wave) {
        SCOPED_TRACE("wave " + std::to_string(wave));
        const Expected& e = table[wave - 1];
        field->StartWave(wave);
        EXPECT_TRUE(Count(*field) == e.census);
        EXPECT_EQ(ship->wave, wave);
        EXPECT_EQ(ship->waveIndex, wave - 1);
        for (int i = 0; i < field->count; ++i) {
            const TMesh& kind = field->objects[i]->kind;
            if (kind.flags & KIND_WHIRLYGIG) {
                EXPECT_EQ(kind.kindParam, e.ringKey);
            }
            if (kind.flags & KIND_ZONE) {
                EXPECT_EQ(kind.kindParam, 5);
            }
            if ((kind.flags & KIND_ROCK) && kind.kindParam == KEY_ROCK) {
                if (e.group == -1) {
                    EXPECT_EQ(kind.textures[0], &own);
                } else {
                    ASSERT_NE(kind.textures[0], &own);
                    EXPECT_EQ(int(kind.textures[0]->flags), e.group);
                }
            }
        }
    }
    field->StartWave(19);
    for (int i = 0; i < field->count; ++i) EXPECT_EQ(field->objects[i]->splitsLeft, 0);
}

TEST_F(Waves, EmptyWave23IsSkippedOnTheNextFrame) {
    field->wave = 22;
    field->NextWave();
    EXPECT_EQ(field->wave, 23);
    EXPECT_EQ(field->count, 0);
    field->StepAll(0.01);
    EXPECT_EQ(field->wave, 24);
    EXPECT_EQ(Count(*field).rocks, 5);
}

TEST_F(Waves, AfterWave25ComesWave1WithFasterRocks) {
    field->wave = 24;
    ship->wavesStarted = 24;
    field->NextWave();
    EXPECT_EQ(field->wave, 25);
    field->NextWave();
    EXPECT_EQ(field->wave, 1);
    EXPECT_EQ(ship->wavesStarted, 26);
    ASSERT_EQ(field->count, 1);
    EXPECT_DOUBLE_EQ(field->objects[0]->speed, 5.0 + 2.5 * 26);
}

TEST_F(Waves, FirstFrameOfANewFieldStartsWave1) {
    field->StepAll(0.01);
    EXPECT_EQ(field->wave, 1);
    EXPECT_EQ(ship->wavesStarted, 1);
    EXPECT_EQ(field->count, 1);
    EXPECT_DOUBLE_EQ(field->objects[0]->speed, 7.5);
}

TEST_F(Waves, RestartClearsAndBeginsAgainAtWave1) {
    field->StartWave(6);
    field->wave = 6;
    field->Restart();
    EXPECT_EQ(field->wave, 1);
    EXPECT_TRUE(Count(*field) == (Census{1, 0, 0, 0, 0, 0}));
}

TEST_F(Waves, VariantsUseTheClassicRuleAndTheSecondGameCountsRocks) {
    settings.gameId = GAME_ID_CLASSIC;
    const int classic[][2] = {{1, 4}, {2, 6}, {3, 10}, {9, 10}};
    for (auto [wave, rocks] : classic) {
        field->StartWave(wave);
        EXPECT_EQ(field->count, rocks) << "wave " << wave;
    }
    settings.gameId = GAME_ID_RETRO;
    field->StartWave(2);
    EXPECT_EQ(field->count, 6);
    settings.gameId = GAME_ID_SECOND;
    field->StartWave(7);
    EXPECT_EQ(field->count, 7);
    EXPECT_EQ(ship->waveIndex, 6);
}

TEST_F(Waves, OtherGamesBuildNothingAndKeepTheField) {
    field->StartWave(3);
    settings.gameId = 99;
    field->StartWave(5);
    EXPECT_EQ(field->count, 3);
    EXPECT_EQ(ship->wave, 5);
    EXPECT_EQ(ship->waveIndex, 2);
}

TEST_F(Waves, WhirlygigRingHasPhasesSixtyDegreesApartAndHeightsThreeApart) {
    TAsteroid* last = field->SpawnWhirlygigRing(1, 6);
    ASSERT_EQ(field->count, 6);
    EXPECT_EQ(last, field->objects[5].get());
    const TAsteroid& first = *field->objects[0];
    EXPECT_GE(first.position.y, 23.0f);
    EXPECT_LT(first.position.y, 28.0f);
    for (int i = 0; i < 6; ++i) {
        const TAsteroid& w = *field->objects[i];
        EXPECT_EQ(w.position.x, first.position.x);
        EXPECT_FLOAT_EQ(w.position.y, first.position.y + 3 * i);
        EXPECT_EQ(w.position.y, std::trunc(w.position.y));
        double step = std::remainder(w.orbitAngle - first.orbitAngle - 1.0471976 * i, 6.2831855);
        EXPECT_NEAR(step, 0.0, 1e-6);
        EXPECT_GE(w.orbitAngle, 0.0);
        EXPECT_LE(w.orbitAngle, 6.2831855);
        EXPECT_DOUBLE_EQ(w.orbitRate, 1.5);
        EXPECT_DOUBLE_EQ(w.size, 2.0);
        EXPECT_EQ(w.splitsLeft, 0);
    }
    // They drift down and to the right together, at root 2 times the speed.
    for (int i = 0; i < 6; ++i) {
        TAsteroid& w = *field->objects[i];
        w.position.x = 0;
        Vector3 before = w.position;
        w.Move(0.1);
        EXPECT_NEAR(w.position.x - before.x, 0.1 * first.speed, 1e-4);
        EXPECT_NEAR(w.position.y - before.y, -0.1 * first.speed, 1e-4);
    }
}

TEST_F(Waves, InvaderColumnStacksFromTwentyToNinetySixAndFallsAtRockSpeed) {
    ship->wavesStarted = 3;
    settings.enableRotation = 0;
    field->SpawnInvaderColumn(20);
    ASSERT_EQ(field->count, 20);
    for (int i = 0; i < 20; ++i) {
        TAsteroid& inv = *field->objects[i];
        EXPECT_FLOAT_EQ(inv.position.y, 20.0f + 4 * i);
        EXPECT_GE(inv.position.x, -20.0f);
        EXPECT_LT(inv.position.x, 20.0f);
        EXPECT_EQ(inv.direction, Vector3(0, -1, 0));
        EXPECT_DOUBLE_EQ(inv.speed, 5.0 + 2.5 * 3);
        EXPECT_TRUE(inv.spinRate == 1.0 || inv.spinRate == 2.0);
        EXPECT_EQ(inv.noRotation, 1);
        inv.Move(0.5);
        float s = static_cast<float>(inv.scale);
        EXPECT_FLOAT_EQ(inv.world(0, 0), s);  // no turn at all
        EXPECT_FLOAT_EQ(inv.world(0, 2), 0.0f);
    }
}

TEST_F(Waves, ZoneOfKey5IsSizedThree) {
    TAsteroid* zone = field->SpawnZone(5);
    ASSERT_NE(zone, nullptr);
    EXPECT_DOUBLE_EQ(zone->size, 3.0);
    EXPECT_EQ(zone->splitsLeft, 0);
    EXPECT_EQ(field->SpawnZone(9), nullptr);
}

class SecondGameWaves : public WorldTest {
protected:
    void SetUp() override {
        WorldTest::SetUp();
        settings.gameId = GAME_ID_SECOND;
        field->fallingMode = 1;
        field->timedSpawns = 1;
        field->visitorRate = 0;
        for (const char* mesh : {"asteroid4.x", "spinner.x", "spike2.x"})
            field->AddKind(TableKind(kShardstormKinds, mesh));
    }
};

TEST_F(SecondGameWaves, TimedRocksShrinkToTheSameRadiusOnceOrTwice) {
    std::set<int> splits;
    for (int i = 0; i < 300; ++i) {
        TAsteroid* object = field->SpawnTimed();
        ASSERT_NE(object, nullptr);
        if (object->kind.kindParam == KEY_SPINNER) {
            EXPECT_EQ(object->scoreValue, 250);
            EXPECT_DOUBLE_EQ(object->tilt, 1.5707964);
            EXPECT_EQ(object->spinAxis, Vector3(0, 0, 1));
        } else if (object->kind.kindParam == KEY_SEEKER) {
            EXPECT_EQ(object->homing, 1);
            EXPECT_EQ(object->keepFalling, 1);
            EXPECT_EQ(object->scoreValue, 50);
        } else {
            splits.insert(object->splitsLeft);
            double radius = object->scale * object->meshSphere.radius;
            EXPECT_NEAR(radius, object->splitsLeft == 2 ? 5.0 : 3.125, 1e-5);
        }
        field->Clear();
    }
    EXPECT_EQ(splits, (std::set<int>{0, 1, 2}));
}

TEST_F(SecondGameWaves, TimerSpawnsAndRedrawsAroundTheInterval) {
    field->spawnInterval = 2.0f;
    field->spawnTimer = 0.05f;
    field->StepAll(0.01);
    EXPECT_EQ(field->count, 0);
    EXPECT_EQ(field->wave, 0);  // timed spawns never advance waves
    field->StepAll(0.05);
    EXPECT_EQ(field->count, 1);
    EXPECT_GE(field->spawnTimer, 0.5f);
    EXPECT_LT(field->spawnTimer, 3.5f);
}

TEST_F(SecondGameWaves, ObjectsFallFromTheTopAtTheDrawnSpeed) {
    field->speedMin = 10.0f;
    field->speedMax = 20.0f;
    for (int i = 0; i < 20; ++i) {
        TAsteroid* rock = field->Spawn(KIND_ROCK, KEY_ROCK, -1);
        EXPECT_GE(rock->speed, 10.0);
        EXPECT_LT(rock->speed, 20.0);
        EXPECT_EQ(rock->direction, Vector3(0, -1, 0));
        EXPECT_GT(rock->position.y, 20.0f);  // entered from beyond the top edge
    }
}

}  // namespace
