#include <cmath>

#include "gamelib/texman.h"
#include "world_fixture.h"

namespace {

constexpr float kPi = 3.14159265f;

float AngleOf(const Vector3& v) {
    float a = std::atan2(v.y, v.x);
    return a < 0 ? a + 2 * kPi : a;
}

using FieldObject = WorldTest;

TEST_F(FieldObject, WrapsAtAnEdgeOnlyWhenHeadingOut) {
    TAsteroid* out = Place(RockKind(), {26, 0, 0}, {1, 0, 0}, 5.0);
    out->Move(0);
    EXPECT_FLOAT_EQ(out->worldSphere.radius, 5.0f);
    EXPECT_FLOAT_EQ(out->position.x, -25.0f);
    EXPECT_EQ(out->touchedEdge, 1);

    TAsteroid* back = Place(RockKind(), {26, 0, 0}, {-1, 0, 0}, 5.0);
    back->Move(0);
    EXPECT_FLOAT_EQ(back->position.x, 26.0f);
    EXPECT_EQ(back->touchedEdge, 0);

    TAsteroid* up = Place(RockKind(), {0, 26, 0}, {0, 1, 0}, 5.0);
    up->Move(0);
    EXPECT_FLOAT_EQ(up->position.y, -25.0f);

    TAsteroid* held = Place(RockKind(), {0, -26, 0}, {0, -1, 0}, 5.0);
    held->noVerticalWrap = 1;
    held->Move(0);
    EXPECT_FLOAT_EQ(held->position.y, -26.0f);
    EXPECT_EQ(held->touchedEdge, 0);
}

TEST_F(FieldObject, EscapingRockCostsHalfItsValueButNeverBelowZero) {
    TMesh rock = TableKind(kShardstormKinds, "asteroid4.x");
    ship->score = 500;
    TAsteroid* a = Place(rock, {0, -26, 0}, {0, -1, 0}, 5.0);
    a->Move(0);
    EXPECT_EQ(a->dead, 1);
    EXPECT_EQ(ship->score, 450);
    ship->score = 30;
    TAsteroid* b = Place(rock, {0, -26, 0}, {0, -1, 0}, 5.0);
    b->Move(0);
    EXPECT_EQ(ship->score, 0);
}

TEST_F(FieldObject, EscapingSpinnerCrashesTheShipAtTheEdge) {
    TAsteroid* spinner = Place(TableKind(kShardstormKinds, "spinner.x"), {3, -26, 0}, {0, -1, 0}, 2.0);
    ship->invulnerable = 0;
    spinner->Move(0);
    EXPECT_EQ(spinner->dead, 1);
    EXPECT_DOUBLE_EQ(ship->respawnTimer, 2.0);
    ASSERT_EQ(booms->count, 4 + 5);  // the crash cluster, then the destruction cluster
    for (int i = 0; i < 4; ++i) EXPECT_GE(booms->explosions[i]->position.y, -20.0f);
}

TEST_F(FieldObject, PowerupVanishesOnItsThirdWrap) {
    TAsteroid* p = Place(PowerupKind(), {0, 0, 0}, {1, 0, 0}, 1.0);
    for (int wrap = 1; wrap <= 3; ++wrap) {
        p->position = Vector3(22, 0, 0);
        p->Move(0);
        EXPECT_EQ(p->dead, wrap == 3 ? 1 : 0) << "wrap " << wrap;
    }
}

TEST_F(FieldObject, SecondGamePowerupVanishesAtTheFirstEdge) {
    TAsteroid* p = Place(PowerupKind(SHARDSTORM_POWERUP), {22, 0, 0}, {1, 0, 0}, 1.0);
    p->Move(0);
    EXPECT_EQ(p->dead, 1);
}

TEST_F(FieldObject, SwingsOnACircleOfRadiusFiveAndWobbleSteers) {
    TAsteroid* w = Place(SphereKind(KIND_WHIRLYGIG, 1, 1.0), {2, 3, 0}, {1, 0, 0}, 2.0);
    w->orbitAngle = 0;
    w->BuildWorld();
    EXPECT_NEAR(w->centre.x, -3.0f, 1e-5);
    w->orbitAngle = kPi / 2;
    w->BuildWorld();
    EXPECT_NEAR(w->centre.x, 2.0f, 1e-5);
    EXPECT_NEAR(w->centre.y, 3.0f, 1e-5);

    TAsteroid* ufo = Place(TableKind(kFlagshipKinds, "ufo.x"), {0, 0, 0}, {-1, 0, 0}, 1.5);
    ufo->wobbleAngle = 1.0;
    ufo->BuildWorld();
    EXPECT_GT(ufo->direction.x, 0.0f);
    EXPECT_NE(ufo->direction.y, 0.0f);
    EXPECT_NEAR(D3DXVec3Length(ufo->direction), 1.0f, 1e-6);
}

TEST_F(FieldObject, HomingTurnsTowardsTheShipAndFallingNeverPointsUp) {
    TAsteroid* seeker = Place(RockKind(), {10, 0, 0}, {0, 1, 0}, 1.0);
    seeker->homing = 1;
    seeker->Move(0.1);
    EXPECT_LT(seeker->direction.x, 0.0f);
    EXPECT_NEAR(D3DXVec3Length(seeker->direction), 1.0f, 1e-6);

    TAsteroid* faller = Place(RockKind(), {0, 0, 0}, {1, 1, 0}, 1.0);
    faller->keepFalling = 1;
    faller->Move(0.1);
    EXPECT_NEAR(faller->direction.y / faller->direction.x, -0.25f / std::sqrt(0.5f), 1e-5);
}

TEST_F(FieldObject, WobbleSteeringStretchesTheSidewaysSwayFourTimes) {
    // At wobble angle 0 the wobble is its tilt of 0.25 about z alone.
    TAsteroid* ufo = Place(TableKind(kFlagshipKinds, "ufo.x"), {0, 0, 0}, {-1, 0, 0}, 1.5);
    ufo->BuildWorld();
    EXPECT_NEAR(ufo->direction.y / ufo->direction.x, 4.0 * std::tan(0.25), 1e-5);
    // A quarter turn on, the tilt stands along the line of sight: straight on.
    ufo->wobbleAngle = kPi / 2;
    ufo->BuildWorld();
    EXPECT_NEAR(ufo->direction.x, 1.0f, 1e-5);
    EXPECT_NEAR(ufo->direction.y, 0.0f, 1e-5);

    // Wobble alone turns the picture, never the heading.
    TAsteroid* basestar = Place(TableKind(kFlagshipKinds, "basestar.x"), {0, 0, 0}, {-1, 0, 0}, 4.0);
    basestar->BuildWorld();
    EXPECT_EQ(basestar->direction, Vector3(-1, 0, 0));
}

TEST_F(FieldObject, HomingTurnsFiveTimesTheFramesTimeTowardsTheShip) {
    ship->position = Vector3(0, 0, 0);
    TAsteroid* seeker = Place(RockKind(), {10, 0, 0}, {0, 1, 0}, 1.0);
    seeker->homing = 1;
    seeker->speed = 0.0;  // stays where it is; only the heading turns
    seeker->Move(0.1);
    // (0, 1) plus 0.1 x 5 of the way to the ship, (-1, 0).
    EXPECT_NEAR(seeker->direction.x / seeker->direction.y, -0.5f, 1e-5);
    EXPECT_NEAR(D3DXVec3Length(seeker->direction), 1.0f, 1e-6);
    seeker->SetDirection(0, 1);
    seeker->Move(0.02);
    EXPECT_NEAR(seeker->direction.x / seeker->direction.y, -0.1f, 1e-5);
}

TEST_F(FieldObject, AimedFireShootsAtTheShipAndScatterFireEveryOneAndThreeQuarterSeconds) {
    TAsteroid* aimer = Place(SphereKind(KIND_AIMED_FIRE, 11, 1.0), {10, 0, 0}, {0, 1, 0}, 1.0);
    aimer->BuildWorld();
    aimer->fireTimer = 0.005;
    aimer->Fire(0.01);
    ASSERT_EQ(shots->count, 1);
    EXPECT_NEAR(shots->projectiles[0]->direction.x, -1.0f, 1e-6);
    EXPECT_EQ(shots->projectiles[0]->kind.flags & PROJECTILE_ENEMY, PROJECTILE_ENEMY);
    EXPECT_GE(aimer->fireTimer, 0.0);
    EXPECT_LT(aimer->fireTimer, 1.0);

    TAsteroid* scatter = Place(SphereKind(KIND_SCATTER_FIRE, 8, 1.0), {0, 5, 0}, {1, 0, 0}, 1.0);
    scatter->Fire(1.0);
    EXPECT_EQ(shots->count, 2);
    EXPECT_DOUBLE_EQ(scatter->fireTimer, 1.75);
    scatter->Fire(1.0);
    EXPECT_EQ(shots->count, 2);
    scatter->Fire(1.0);
    EXPECT_EQ(shots->count, 3);
}

using FieldHits = WorldTest;

TEST_F(FieldHits, RockSplitsIntoThreePiecesAt120And240And0Degrees) {
    settings.asteroidHull = 1;
    TAsteroid* parent = Place(RockKind(), {1, 2, 0}, {0, 1, 0}, 5.0);
    parent->initialHull = 5;
    parent->spinRate = 2.0;
    parent->Move(0);
    double parentSpeed = parent->speed;
    field->AddKind(RockKind());

    field->Hit(0, Vector3(1, 0, 0));
    ASSERT_EQ(field->count, 3);
    const float expected[3] = {2 * kPi / 3, 4 * kPi / 3, 0};
    for (int i = 0; i < 3; ++i) {
        const TAsteroid& piece = *field->objects[i];
        float angle = AngleOf(piece.direction);
        EXPECT_NEAR(std::remainder(angle - expected[i], 2 * kPi), 0, 1e-5) << "piece " << i;
        EXPECT_DOUBLE_EQ(piece.size, 0.625 * 5.0);
        EXPECT_NEAR(piece.scale * piece.meshSphere.radius, 3.125, 1e-5);
        EXPECT_DOUBLE_EQ(piece.speed, parentSpeed * 1.5);
        EXPECT_DOUBLE_EQ(piece.spinRate, 3.0);
        EXPECT_EQ(piece.hull, 2);
        EXPECT_EQ(piece.initialHull, 2);
        EXPECT_EQ(piece.splitsLeft, 1);
        EXPECT_NEAR(piece.position.x, 1 + piece.direction.x * 10, 1e-4);
        EXPECT_NEAR(piece.position.y, 2 + piece.direction.y * 10, 1e-4);
    }
    EXPECT_EQ(ship->score, 100);
    ASSERT_EQ(booms->count, 1);
    EXPECT_DOUBLE_EQ(booms->explosions[0]->size, 3.0);
}

TEST_F(FieldHits, FallingModePiecesTurn30DegreesEitherSideOfDown) {
    field->fallingMode = 1;
    field->AddKind(RockKind());
    TAsteroid* parent = Place(RockKind(), {0, 0, 0}, {1, -3, 0}, 5.0);
    Vector3 parentHeading = parent->direction;
    parent->hull = 1;
    parent->Move(0);
    field->Hit(0, Vector3(1, 0, 0));
    ASSERT_EQ(field->count, 3);
    EXPECT_NEAR(AngleOf(field->objects[0]->direction), 1.5f * kPi + 0.5235988f, 1e-5);
    EXPECT_NEAR(AngleOf(field->objects[1]->direction), 1.5f * kPi - 0.5235988f, 1e-5);
    EXPECT_NEAR(field->objects[2]->direction.x, parentHeading.x, 1e-6);
    EXPECT_NEAR(field->objects[2]->direction.y, parentHeading.y, 1e-6);
}

TEST_F(FieldHits, HullTakesThatManyHitsAndOnlyTheLastScores) {
    settings.asteroidHull = 3;
    TAsteroid* rock = Place(RockKind(), {0, 0, 0}, {1, 0, 0}, 5.0);
    rock->splitsLeft = 0;
    rock->dropPercent = 0;
    field->Hit(0, Vector3(1, 0, 0));
    field->Hit(0, Vector3(1, 0, 0));
    ASSERT_EQ(field->count, 1);
    EXPECT_EQ(rock->hull, 1);
    EXPECT_EQ(ship->score, 0);
    EXPECT_EQ(booms->count, 0);
    field->Hit(0, Vector3(1, 0, 0));
    EXPECT_EQ(field->count, 0);
    EXPECT_EQ(ship->score, 100);
    EXPECT_EQ(booms->count, 1);
}

TEST_F(FieldHits, ShotProofObjectsIgnoreHits) {
    TAsteroid* p = Place(PowerupKind(), {0, 0, 0}, {1, 0, 0}, 1.0);
    int hull = p->hull;
    field->Hit(0, Vector3(1, 0, 0));
    ASSERT_EQ(field->count, 1);
    EXPECT_EQ(p->hull, hull);
    EXPECT_EQ(ship->score, 0);
}

TEST_F(FieldHits, CertainDropLeavesAPowerupAtTheDestroyedCentre) {
    field->AddPowerupKind(PowerupKind(), POWERUP_HULL);
    TAsteroid* rock = Place(RockKind(), {4, -3, 0}, {1, 0, 0}, 5.0);
    rock->hull = 1;
    rock->splitsLeft = 0;
    rock->dropPercent = 100;
    rock->Move(0);
    Vector3 centre = rock->centre;
    field->Hit(0, Vector3(1, 0, 0));
    ASSERT_EQ(field->count, 1);
    EXPECT_EQ(field->objects[0]->position, centre);
    EXPECT_TRUE(field->objects[0]->kind.flags & KIND_POWERUP);
}

TEST_F(FieldHits, SplitIntoAFullFieldLosesThePieces) {
    field->AddKind(RockKind());
    for (int i = 0; i < MAX_ASTEROIDS; ++i) Place(RockKind(), {0, 0, 0}, {1, 0, 0}, 5.0);
    EXPECT_EQ(field->NewObject(), nullptr);
    field->objects[0]->hull = 1;
    field->objects[0]->dropPercent = 0;
    field->Hit(0, Vector3(1, 0, 0));
    EXPECT_EQ(field->count, MAX_ASTEROIDS - 1);
}

TEST_F(FieldHits, ProjectilesSkipPowerupsButTheShipFindsThem) {
    TAsteroid* p = Place(PowerupKind(), {0, 0, 0}, {1, 0, 0}, 1.0);
    p->Move(0);
    Sphere probe{Vector3(0.9f, 0, 0), 0.5f};
    Vector3 nearest;
    EXPECT_EQ(field->FindHit(probe, probe.centre, &nearest, FIND_SKIP_POWERUPS), -1);
    EXPECT_EQ(field->FindHit(probe, probe.centre, &nearest, 1), 0);
    EXPECT_LT(std::hypot(nearest.x - 0.9f, nearest.y), 0.5f);
}

using Field = WorldTest;

TEST_F(Field, KindTableAndObjectListAreFixedInSize) {
    for (int i = 0; i < MAX_KINDS; ++i) EXPECT_EQ(field->AddKind(RockKind()), i);
    EXPECT_EQ(field->AddKind(RockKind()), -1);
    for (int i = 0; i < MAX_ASTEROIDS; ++i) ASSERT_NE(field->NewObject(), nullptr);
    EXPECT_EQ(field->NewObject(), nullptr);
    EXPECT_EQ(field->Spawn(KIND_ROCK, KEY_ROCK, -1), nullptr);
}

TEST_F(Field, NewRockEntersFromJustBeyondAnEdge) {
    field->AddKind(RockKind());
    for (int i = 0; i < 20; ++i) {
        TAsteroid* rock = field->Spawn(KIND_ROCK, KEY_ROCK, -1);
        ASSERT_NE(rock, nullptr);
        EXPECT_DOUBLE_EQ(rock->size, 5.0);
        EXPECT_EQ(rock->touchedEdge, 1);
        float r = rock->worldSphere.radius;
        bool enteringX = std::fabs(rock->position.x) >= 20 + r - 1e-4f && rock->position.x * rock->direction.x < 0;
        bool enteringY = std::fabs(rock->position.y) >= 20 + r - 1e-4f && rock->position.y * rock->direction.y < 0;
        EXPECT_TRUE(enteringX || enteringY) << rock->position.x << ", " << rock->position.y;
        EXPECT_GE(std::fabs(rock->direction.x), 0.1f);
        EXPECT_GE(std::fabs(rock->direction.y), 0.1f);
    }
}

TEST_F(Field, SpawnAppliesKindSizeFactorAndGlobalScale) {
    field->globalScale = 0.5f;
    field->AddKind(SphereKind(KIND_ROCK, KEY_ROCK, -0.85));
    TAsteroid* rock = field->Spawn(KIND_ROCK, KEY_ROCK, -1);
    ASSERT_NE(rock, nullptr);
    EXPECT_NEAR(rock->scale * rock->meshSphere.radius, 5.0 * 0.85 * 0.5, 1e-5);
}

TEST_F(Field, RandomColourKindsTakeAPresetMaterial) {
    field->AddKind(SphereKind(KIND_ROCK | KIND_RANDOM_COLOUR, KEY_ROCK, 1.0));
    for (int i = 0; i < 10; ++i) {
        TAsteroid* rock = field->Spawn(KIND_ROCK, KEY_ROCK, -1);
        bool preset = false;
        for (int k = 0; k < 6; ++k) preset |= rock->kind.materials[0].Diffuse == PresetMaterial(k).Diffuse;
        EXPECT_TRUE(preset);
        EXPECT_FALSE(rock->kind.materials[0].Diffuse == colours::White);
    }
}

TEST_F(Field, ExtraShipPowerupsAreFourTimesRarer) {
    field->AddPowerupKind(PowerupKind(), POWERUP_HULL);
    field->AddPowerupKind(PowerupKind(), POWERUP_SHIP);
    int ships = 0, total = 4000;
    for (int i = 0; i < total; ++i) {
        TAsteroid* p = field->Spawn(KIND_POWERUP, KEY_ANY, -1);
        ASSERT_NE(p, nullptr);
        if (p->kind.powerupKind == POWERUP_SHIP) ++ships;
        field->Clear();
    }
    // One kind in two is picked, and kept one time in four: 1/8 against 1/2.
    EXPECT_NEAR(static_cast<double>(ships) / total, 0.2, 0.03);
}

TEST_F(Field, OnlyOneVisitorAtATime) {
    field->AddKind(SphereKind(KIND_VISITOR, KEY_VISITOR, 1.5));
    field->visitorRate = 10000;
    for (int frame = 0; frame < 50; ++frame) {
        field->StepAll(0.01);
        EXPECT_EQ(field->CountWithFlags(KIND_VISITOR), 1);
    }
    TAsteroid* visitor = field->objects[0].get();
    EXPECT_EQ(visitor->splitsLeft, 0);
    EXPECT_FLOAT_EQ(visitor->direction.y, 0.0f);
}

TEST_F(Field, DeadObjectsLeaveInTheSamePassWithoutSkippingTheNext) {
    TMesh escaping = SphereKind(KIND_ROCK | KIND_ESCAPES, KEY_ROCK, 1.0);
    Place(escaping, {26, 0, 0}, {1, 0, 0}, 5.0);
    Place(escaping, {-26, 0, 0}, {-1, 0, 0}, 5.0);
    TAsteroid* stays = Place(RockKind(), {0, 0, 0}, {1, 0, 0}, 1.0);
    stays->speed = 10;
    field->visitorRate = 0;
    field->timedSpawns = 1;  // no automatic wave
    field->spawnTimer = 100;
    field->StepAll(0.1);
    ASSERT_EQ(field->count, 1);
    EXPECT_EQ(field->objects[0].get(), stays);
    EXPECT_FLOAT_EQ(stays->position.x, 1.0f);
    EXPECT_EQ(device.Stats().drawCalls, 0u);  // stepping draws nothing
    DrawField();
    EXPECT_EQ(device.Stats().drawCalls, 1u);  // only the survivor
    EXPECT_EQ(device.Stats().primitives, stays->kind.mesh->GetNumFaces());
}

TEST_F(Field, AnObjectIsDrawnOnlyOnceAStepHasPlacedIt) {
    field->visitorRate = 0;
    field->timedSpawns = 1;
    field->spawnTimer = 100;
    TAsteroid* rock = Place(RockKind(), {0, 0, 0}, {1, 0, 0}, 1.0);
    DrawField();
    EXPECT_EQ(device.Stats().drawCalls, 0u);  // a split piece or a drop waits for its first step
    field->StepAll(0.01);
    DrawField();
    EXPECT_EQ(device.Stats().drawCalls, 1u);
    EXPECT_EQ(device.Stats().primitives, rock->kind.mesh->GetNumFaces());
    rock->showBounds = 1;
    DrawField();
    EXPECT_EQ(device.Stats().drawCalls, 3u);  // the object and its bounds
}

TEST_F(Field, TextureTakesTheFirstTexturedSlotWithItsTint) {
    TTextureEntry old{}, fresh{};
    fresh.flags = TEX_TINT;
    fresh.tint = {0.5f, 0.25f, 0.125f, 1};
    TAsteroid* rock = Place(RockKind(), {0, 0, 0}, {1, 0, 0}, 1.0);
    rock->ApplyTexture(&fresh);  // no textured slot: nothing changes
    EXPECT_EQ(rock->kind.textures[0], nullptr);
    EXPECT_TRUE(rock->kind.materials[0].Diffuse == colours::White);

    rock->kind.numMaterials = 3;
    rock->kind.textures[1] = &old;
    rock->kind.textures[2] = &old;
    rock->ApplyTexture(&fresh);
    EXPECT_EQ(rock->kind.textures[1], &fresh);
    EXPECT_EQ(rock->kind.textures[2], &old);
    EXPECT_TRUE(rock->kind.materials[0].Diffuse == fresh.tint);
    EXPECT_TRUE(rock->kind.materials[0].Ambient == fresh.tint);
}

TEST_F(Field, OutlineGameSpinsRocksAboutZ) {
    CurrentGameScope outlineGame(1, 0);
    field->AddKind(RockKind());
    TAsteroid* rock = field->Spawn(KIND_ROCK, KEY_ROCK, -1);
    EXPECT_EQ(rock->spinAxis, Vector3(0, 0, 1));
}

}  // namespace
