#include <gtest/gtest.h>

#include <cfloat>

#include "framework/engine_utils.h"
#include "platform/crt_rand.h"

namespace {

TEST(EngineUtils, RandomBetweenEmptyRangesGiveTheLowerEndWithoutADraw) {
    rp::srand(7);
    EXPECT_EQ(RandomBetween(5, 5), 5);
    EXPECT_EQ(RandomBetween(5, 2), 5);
    EXPECT_EQ(rp::randDraws(), 0u);
}

TEST(EngineUtils, RandomBetweenStepsInTenThousandths) {
    rp::srand(99);
    int r = rp::rand();
    rp::srand(99);
    float v = RandomBetween(2, 4);
    EXPECT_FLOAT_EQ(v, 2 + 2 * ((r % 10000) * 0.0001f));
    for (int i = 0; i < 1000; ++i) {
        float x = RandomBetween(-1, 1);
        EXPECT_GE(x, -1);
        EXPECT_LT(x, 1);
    }
}

TEST(EngineUtils, RandomVectorDrawsXFirst) {
    rp::srand(3);
    float x = RandomBetween(0, 1), y = RandomBetween(0, 1), z = RandomBetween(0, 1);
    rp::srand(3);
    Vector3 v = RandomVector({0, 0, 0}, {1, 1, 1});
    EXPECT_EQ(v, Vector3(x, y, z));
}

TEST(EngineUtils, SafeAcosAndInterpolation) {
    EXPECT_EQ(SafeAcos(1.5), 0.0);
    EXPECT_EQ(SafeAcos(-1.01), 0.0);
    EXPECT_NEAR(SafeAcos(0.0), 1.5707963, 1e-6);
    EXPECT_EQ(Interpolate3(0, 5, 10, 30, 50, 100), 50);
    EXPECT_EQ(Interpolate3(0, 0, 10, 30, 50, 100), 30);
    EXPECT_EQ(Interpolate3(0, 10, 10, 30, 50, 100), 100);
    EXPECT_EQ(Interpolate3(0, 8, 10, 30, 50, 100), 80);
    EXPECT_DOUBLE_EQ(FifthStep(2, 10, 20), 14.0);
}

TEST(EngineUtils, DirectionalLightScalesEveryComponent) {
    D3DLIGHT9 l = MakeDirectionalLight({1, -1, 1}, {1, 1, 1, 1});
    EXPECT_EQ(l.Type, D3DLIGHT_DIRECTIONAL);
    EXPECT_FLOAT_EQ(l.Specular.a, 0.6f);
    EXPECT_FLOAT_EQ(l.Ambient.g, 0.4f);
    EXPECT_FLOAT_EQ(l.Direction.y, -1.0f);
    EXPECT_EQ(l.Range, 0.0f);
    BoundingBox box;
    InitBoundingBox(box);
    EXPECT_EQ(box.minimum.x, FLT_MAX);
    EXPECT_EQ(box.maximum.z, -FLT_MAX);
}

}  // namespace
