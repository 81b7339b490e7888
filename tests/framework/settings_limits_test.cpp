#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>

#include "framework/gameglobals.h"
#include "framework/settings_limits.h"

namespace {

bool SameBytes(const TSettings& a, const TSettings& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(SettingsLimits, ValuesInRangeAreKept) {
    TSettings defaults, clamped;
    ClampSettings(clamped);
    EXPECT_TRUE(SameBytes(clamped, defaults));

    TSettings edges;
    edges.difficulty = 4;
    edges.accel = 0;  // no inertia
    edges.mouseVelocity = 10;
    edges.background = 5;
    edges.keyLeft = -1;  // unbound
    edges.width = 320;
    edges.height = 16384;
    TSettings copy = edges;
    ClampSettings(copy);
    EXPECT_TRUE(SameBytes(copy, edges));
}

TEST(SettingsLimits, ValuesOutsideGoToTheNearestEnd) {
    TSettings s;
    s.accel = INT_MIN;  // the ship computed 10 - accel
    s.playerMissile = -3;
    s.ufoMissile = 99;
    s.difficulty = 7;
    s.background = -1;
    s.inputDevice = 3;
    s.width = 0;
    s.height = INT_MAX;
    s.enableSound = 5;
    s.keyFire = 300;
    s.shipHull = 0;
    s.shipStartHull = 50;
    s.powerUpChance = 1000;
    ClampSettings(s);
    EXPECT_EQ(s.accel, 0);
    EXPECT_EQ(s.playerMissile, 0);
    EXPECT_EQ(s.ufoMissile, 10);
    EXPECT_EQ(s.difficulty, 4);
    EXPECT_EQ(s.background, 0);
    EXPECT_EQ(s.inputDevice, 2);
    EXPECT_EQ(s.width, 320);
    EXPECT_EQ(s.height, 16384);
    EXPECT_EQ(s.enableSound, 1);
    EXPECT_EQ(s.keyFire, 255);
    EXPECT_EQ(s.shipHull, 1);
    EXPECT_EQ(s.shipStartHull, 1);  // never above the full hull
    EXPECT_EQ(s.powerUpChance, 100);
}

TEST(SettingsLimits, FloatsThatAreNotNumbersTakeTheDefault) {
    TSettings s;
    s.baseSpawnInterval = NAN;
    s.baseSpeedMin = INFINITY;
    s.baseSpeedMax = 5.0f;  // below the minimum
    ClampSettings(s);
    EXPECT_EQ(s.baseSpawnInterval, TSettings{}.baseSpawnInterval);
    EXPECT_EQ(s.baseSpeedMin, 1000.0f);
    EXPECT_EQ(s.baseSpeedMax, 1000.0f);
    s.baseSpeedMax = NAN;
    s.baseSpeedMin = 10.0f;
    ClampSettings(s);
    EXPECT_EQ(s.baseSpeedMax, TSettings{}.baseSpeedMax);
}

}  // namespace
