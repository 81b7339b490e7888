#include <cmath>

#include "world_fixture.h"

namespace {

class Shots : public WorldTest {
protected:
    void SetUp() override {
        WorldTest::SetUp();
        ship->invulnerable = 0;
        field->visitorRate = 0;
    }
};

TEST(ProjectileSpeed, ThirtyAtTheMiddleSetting) {
    EXPECT_DOUBLE_EQ(ProjectileSpeedForSetting(5), 30.0);
    EXPECT_DOUBLE_EQ(ProjectileSpeedForSetting(0), 1.0);
    EXPECT_DOUBLE_EQ(ProjectileSpeedForSetting(10), 59.0);
}

TEST_F(Shots, MissileLeavesThePlayAreaInsteadOfWrapping) {
    TProjectile* p = shots->Fire(0, 0, 0, 1, 0, 0, PROJECTILE_PLAYER, 1);
    ASSERT_NE(p, nullptr);
    EXPECT_DOUBLE_EQ(p->speed, 30.0);
    EXPECT_FLOAT_EQ(p->scale * p->meshSphere.radius, 0.5f);
    for (int frame = 1; frame <= 6; ++frame) {
        shots->StepAll(0.1);
        ASSERT_EQ(shots->count, 1) << "frame " << frame;
    }
    EXPECT_NEAR(p->position.x, 18.0f, 1e-4);
    shots->StepAll(0.1);  // at x = 21 the sphere lies wholly beyond 20.001
    EXPECT_EQ(shots->count, 0);
}

TEST_F(Shots, TripleShotFliesSideBySideWithPlusOneOnTheLeft) {
    TProjectile* last = shots->Fire(0, 0, 0, 0, 1, 0, PROJECTILE_PLAYER, 3);
    ASSERT_EQ(shots->count, 3);
    EXPECT_EQ(last, shots->projectiles[2].get());
    const float xs[3] = {1, 0, -1};
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(shots->projectiles[i]->position.x, xs[i], 1e-5);
        EXPECT_NEAR(shots->projectiles[i]->position.y, 0.0f, 1e-3);
        EXPECT_EQ(shots->projectiles[i]->direction, Vector3(0, 1, 0));
        EXPECT_EQ(shots->projectiles[i]->origin, Vector3(0, 0, 0));
    }
    shots->Fire(0, 0, 0, 2, 0, 0, PROJECTILE_PLAYER, 2);
    EXPECT_NEAR(shots->projectiles[3]->position.y, -1.0f, 1e-5);
    EXPECT_NEAR(shots->projectiles[4]->position.y, 1.0f, 1e-5);
}

TEST_F(Shots, KindsAndSpeedsFollowTheRequestedFlags) {
    shots->playerSpeed = 40;
    shots->enemySpeed = 12;
    shots->sizeFactor = 0.5f;
    TProjectile* mine = shots->Fire(0, 0, 0, 1, 0, 0, PROJECTILE_PLAYER, 1);
    TProjectile* theirs = shots->Fire(0, 0, 0, 1, 0, 0, PROJECTILE_ENEMY, 1);
    EXPECT_DOUBLE_EQ(mine->speed, 40);
    EXPECT_TRUE(mine->kind.flags & PROJECTILE_PLAYER);
    EXPECT_DOUBLE_EQ(theirs->speed, 12);
    EXPECT_TRUE(theirs->kind.flags & PROJECTILE_ENEMY);
    EXPECT_FLOAT_EQ(mine->scale * mine->meshSphere.radius, 0.25f);
    EXPECT_EQ(shots->CountWithFlags(PROJECTILE_ENEMY), 1);
    EXPECT_EQ(shots->CountWithFlags(PROJECTILE_ALONG_HEADING), 2);
}

TEST_F(Shots, ListHoldsAtMost128AndAMultipleLaunchStopsEarly) {
    for (int i = 0; i < MAX_PROJECTILES - 1; ++i) shots->Fire(0, 0, 0, 1, 0, 0, PROJECTILE_PLAYER, 1);
    TProjectile* last = shots->Fire(0, 0, 0, 1, 0, 0, PROJECTILE_PLAYER, 3);
    EXPECT_EQ(shots->count, MAX_PROJECTILES);
    EXPECT_EQ(last, shots->projectiles[MAX_PROJECTILES - 1].get());
    EXPECT_EQ(shots->Fire(0, 0, 0, 1, 0, 0, PROJECTILE_PLAYER, 1), nullptr);
}

TEST_F(Shots, StarburstWithSkipLeavesOutTheMissileFlyingBackwards) {
    shots->Starburst(0, 0, 0, 0, 1, 0, PROJECTILE_PLAYER, 16, 1);
    ASSERT_EQ(shots->count, 15);
    for (int i = 0; i < 15; ++i) {
        int ring = i < 8 ? i : i + 1;
        float angle = static_cast<float>(6.28 / 16 * ring);
        EXPECT_NEAR(shots->projectiles[i]->direction.x, -std::sin(angle), 1e-5) << i;
        EXPECT_NEAR(shots->projectiles[i]->direction.y, std::cos(angle), 1e-5) << i;
        EXPECT_GT(shots->projectiles[i]->direction.y, -0.99f);
    }
    shots->Starburst(0, 0, 0, 0, 1, 0, PROJECTILE_PLAYER, 16, 0);
    EXPECT_EQ(shots->count, 15 + 16);
}

TEST_F(Shots, FusedMissileBurstsWhenItsFuseRunsOut) {
    TProjectile* fused = shots->FireFused(0, 0, 0, 0, 1, 0, PROJECTILE_PLAYER, 0.5);
    ASSERT_NE(fused, nullptr);
    EXPECT_DOUBLE_EQ(fused->fuse, 0.5);
    shots->StepAll(0.45);
    EXPECT_EQ(shots->count, 1);
    shots->StepAll(0.06);
    ASSERT_EQ(shots->count, 15);
    // The ring starts where the missile was: 0.51 s at 30 units/s up the y axis.
    EXPECT_NEAR(shots->projectiles[0]->origin.y, 15.3f, 1e-4);
}

// A rock of radius 2 at (5, 3) and a missile from (5, 0) heading +y: after
// 0.025 s the missile is 0.25 short of the rock's lowest vertex.
class ShotAtRock : public Shots {
protected:
    void SetUp() override {
        Shots::SetUp();
        field->AddKind(RockKind());
        settings.asteroidHull = 1;
        TAsteroid* rock = Place(RockKind(), {5, 3, 0}, {1, 0, 0}, 2.0);
        rock->dropPercent = 0;
        rock->Move(0);
    }
};

TEST_F(ShotAtRock, FusedMissileThatHitsSplitsTheRockAndBurstsAtOnce) {
    shots->FireFused(5, 0, 0, 0, 1, 0, PROJECTILE_PLAYER, 0.5);
    shots->StepAll(0.025);
    EXPECT_EQ(field->count, 3);
    EXPECT_EQ(shots->count, 15);
    EXPECT_EQ(ship->score, 100);
    EXPECT_EQ(booms->count, 3 + 1);  // impact cluster and the rock's explosion
}

TEST_F(ShotAtRock, HitDirectionRunsFromTheMissileToTheStruckVertex) {
    shots->Fire(5, 0, 0, 0, 1, 0, PROJECTILE_PLAYER, 1);
    shots->StepAll(0.025);
    EXPECT_EQ(shots->count, 0);
    ASSERT_EQ(field->count, 3);
    // The struck vertex lies straight ahead (+y): the third piece keeps that heading.
    EXPECT_NEAR(field->objects[2]->direction.x, 0.0f, 1e-5);
    EXPECT_NEAR(field->objects[2]->direction.y, 1.0f, 1e-5);
    ASSERT_EQ(booms->count, 4);
    EXPECT_NEAR(booms->explosions[0]->spawnPosition.x, 5.0f, 0.46f);
    EXPECT_GE(booms->explosions[0]->spawnPosition.y, 1.0f - 1e-5f);
}

TEST_F(Shots, PlayerMissilesPassThroughPowerups) {
    TAsteroid* p = Place(PowerupKind(), {0, 1, 0}, {1, 0, 0}, 1.0);
    p->Move(0);
    shots->Fire(0, 0, 0, 0, 1, 0, PROJECTILE_PLAYER, 1);
    shots->StepAll(0.01);
    EXPECT_EQ(shots->count, 1);
    EXPECT_EQ(field->count, 1);
}

TEST_F(Shots, EnemyMissilesHitTheShipButNeverRocks) {
    TAsteroid* rock = Place(RockKind(), {5, 1, 0}, {1, 0, 0}, 1.0);
    rock->Move(0);
    shots->Fire(5, 0, 0, 0, 1, 0, PROJECTILE_ENEMY, 1);
    shots->StepAll(0.01);
    EXPECT_EQ(shots->count, 1);
    EXPECT_EQ(rock->hull, settings.asteroidHull);

    ship->Step(0);  // the ship's sphere and world at the origin
    int hull = ship->hull;
    shots->Fire(0, -0.6f, 0, 0, 1, 0, PROJECTILE_ENEMY, 1);
    shots->StepAll(0.001);
    EXPECT_EQ(shots->count, 1);
    EXPECT_EQ(ship->hull, hull - 1);
    EXPECT_EQ(booms->count, 3 + 3);  // impact cluster, then the ship's damage cluster
}

TEST_F(Shots, MeshTurnsToPointAlongTheHeading) {
    const Vector3 headings[] = {{1, 0, 0}, {-1, 0, 0}, {0, -1, 0}, {0.6f, 0.8f, 0}, {-0.6f, -0.8f, 0}};
    for (const Vector3& h : headings) {
        TProjectile* p = shots->Fire(0, 0, 0, h.x, h.y, 0, PROJECTILE_PLAYER, 1);
        shots->StepAll(0);
        Vector3 up = D3DXVec3Normalize(D3DXVec3TransformNormal(Vector3(0, 1, 0), p->world));
        EXPECT_NEAR(up.x, h.x, 1e-5);
        EXPECT_NEAR(up.y, h.y, 1e-5);
        shots->Remove(0);
    }
}

TEST_F(Shots, EveryProjectileTakesADepthAndDraws) {
    shots->Fire(0, 0, 0, 0, 1, 0, PROJECTILE_PLAYER, 3);
    drawDepth = 500;
    shots->StepAll(0.01);
    EXPECT_NEAR(drawDepth, 500 - 3 * 0.5, 1e-5);
    EXPECT_FLOAT_EQ(shots->projectiles[1]->world(3, 2), 499.5f);
    EXPECT_EQ(device.Stats().drawCalls, 0u);
    DrawShots();
    EXPECT_EQ(device.Stats().primitives, 3u * shots->kinds[0].mesh->GetNumFaces());
    EXPECT_NEAR(drawDepth, 500 - 3 * 0.5, 1e-5);  // drawing takes no depth
}

TEST(ProjectileInvariant, FiringAnUnregisteredKindStopsTheProgram) {
    EXPECT_DEATH(
        {
            TProjectiles empty;
            empty.Fire(0, 0, 0, 1, 0, 0, PROJECTILE_PLAYER, 1);
        },
        "mesh != NULL failed in projectile");
}

}  // namespace
