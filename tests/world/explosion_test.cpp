#include <cstring>

#include "world_fixture.h"

namespace {

using Explosions = WorldTest;

TEST_F(Explosions, SingleExplosionShowsSixteenFramesAndEndsAtThreeTenthsTwo) {
    TExplosion* e = booms->Add(1, 2, 7, 3.0, 0);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->position, Vector3(1, 2, -10));  // always in the plane z = -10
    EXPECT_EQ(e->spawnPosition, e->position);
    booms->StepAll(0.0);
    EXPECT_EQ(e->sprite.quadTexture, 0);
    booms->StepAll(0.25);
    EXPECT_EQ(e->sprite.quadTexture, 12);
    booms->StepAll(0.0625);  // 0.3125 s: frame 15
    ASSERT_EQ(booms->count, 1);
    EXPECT_EQ(e->sprite.quadTexture, 15);
    booms->DrawAll();
    EXPECT_FLOAT_EQ(e->world(0, 0), 3.0f);
    EXPECT_FLOAT_EQ(e->world(3, 2), -10.0f);
    EXPECT_EQ(device.Stats().primitives, 2u);
    uint64_t draws = device.Stats().drawCalls;
    booms->StepAll(0.0078125);  // 0.3203125 s: past the last frame
    booms->DrawAll();
    EXPECT_EQ(booms->count, 0);
    EXPECT_EQ(device.Stats().drawCalls, draws);  // the last pass draws nothing
}

TEST_F(Explosions, ClusterMembersStartFiveHundredthsApartWithinAHalfUnit) {
    TExplosion* last = booms->AddCluster(4, 5, 0, 1.0, 5, 0);
    ASSERT_EQ(booms->count, 5);
    EXPECT_EQ(last, booms->explosions[4].get());
    for (int i = 0; i < 5; ++i) {
        const TExplosion& e = *booms->explosions[i];
        EXPECT_NEAR(e.time, 0.05 * i, 1e-12);
        EXPECT_GE(e.position.x, 4.0f);
        EXPECT_LE(e.position.x, 4.45f + 1e-5f);
        EXPECT_GE(e.position.y, 5.0f);
        EXPECT_LE(e.position.y, 5.45f + 1e-5f);
        EXPECT_GE(e.rotation, 0.0);
        EXPECT_LE(e.rotation, 359.0 / 360.0);
    }
    booms->StepAll(0.001);
    EXPECT_EQ(last->sprite.quadTexture, 10);
    booms->StepAll(0.118);  // the last member has had 0.119 s
    EXPECT_EQ(booms->count, 5);
    EXPECT_EQ(last->sprite.quadTexture, 15);
    booms->StepAll(0.002);  // and now 0.121 s: it ends first
    ASSERT_EQ(booms->count, 4);
    EXPECT_NE(booms->explosions[3].get(), last);
    EXPECT_EQ(booms->AddCluster(0, 0, 0, 1.0, 0, 0), nullptr);
}

TEST_F(Explosions, FullListDropsRequestsUntilOneFinishes) {
    for (int i = 0; i < MAX_EXPLOSIONS; ++i) ASSERT_NE(booms->Add(0, 0, 0, 1.0, 0), nullptr);
    booms->explosions[5]->time = 0.319;
    EXPECT_EQ(booms->Add(0, 0, 0, 1.0, 0), nullptr);
    EXPECT_EQ(booms->AddCluster(0, 0, 0, 1.0, 3, 0), nullptr);
    EXPECT_EQ(booms->count, MAX_EXPLOSIONS);
    booms->StepAll(0.01);
    EXPECT_EQ(booms->count, MAX_EXPLOSIONS - 1);
    EXPECT_NE(booms->Add(0, 0, 0, 1.0, 0), nullptr);
}

TEST_F(Explosions, SeveralEndingInOnePassAreAllRemovedAndNoSurvivorIsSkipped) {
    const double starts[] = {0.31, 0.0, 0.31, 0.31, 0.1, 0.31};
    for (double t : starts) booms->Add(0, 0, 0, 1.0, 0)->time = t;
    TExplosion* first = booms->explosions[1].get();
    TExplosion* second = booms->explosions[4].get();
    booms->StepAll(0.02);
    ASSERT_EQ(booms->count, 2);
    EXPECT_EQ(booms->explosions[0].get(), first);
    EXPECT_EQ(booms->explosions[1].get(), second);
    EXPECT_EQ(booms->explosions[2], nullptr);
    EXPECT_EQ(first->sprite.quadTexture, 1);
    EXPECT_EQ(second->sprite.quadTexture, 6);
    EXPECT_EQ(device.Stats().drawCalls, 0u);
    booms->DrawAll();
    EXPECT_EQ(device.Stats().drawCalls, 1u);  // the same (blank) picture: one run
    EXPECT_EQ(device.Stats().primitives, 4u);
}

TEST_F(Explosions, AttachedExplosionFollowsTheShip) {
    ship->position = Vector3(1, 1, 0);
    TExplosion* attached = booms->Add(3, 4, 0, 2.0, EXPLOSION_ATTACH_TO_SHIP);
    TExplosion* loose = booms->Add(3, 4, 0, 2.0, 0);
    ship->position = Vector3(-2, 6, 0);
    booms->StepAll(0.01);
    EXPECT_EQ(attached->position, Vector3(0, 9, -10));
    EXPECT_EQ(loose->position, Vector3(3, 4, -10));
}

TEST_F(Explosions, PausedExplosionsHoldTheirFrameAndKeepDrawing) {
    TExplosion* e = booms->Add(0, 0, 0, 1.0, 0);
    booms->StepAll(0.1);
    booms->DrawAll();
    for (int i = 0; i < 3; ++i) {
        booms->StepAll(0);
        booms->DrawAll();
    }
    EXPECT_EQ(e->sprite.quadTexture, 5);
    EXPECT_EQ(device.Stats().drawCalls, 4u);
}

TEST_F(Explosions, BoundsDisplayDrawsASphereOfTheExplosionSize) {
    booms->showBounds = 1;
    TExplosion* e = booms->Add(0, 0, 0, 2.0, 0);
    booms->StepAll(0.01);
    EXPECT_FALSE(e->boundsMesh);
    booms->DrawAll();
    ASSERT_TRUE(e->boundsMesh);
    EXPECT_FLOAT_EQ(e->boundsMesh->Vertices()[0].z, 2.0f);
    EXPECT_EQ(device.Stats().drawCalls, 2u);
    EXPECT_EQ(device.GetRenderState(D3DRS_ALPHABLENDENABLE), 0u);
}

// A picture of 32-bit pixels, set row by row.
class Picture {
public:
    Picture(uint32_t w, uint32_t h, uint32_t fill) : texture(w, h, 1, D3DFMT_A8R8G8B8), width(w) {
        for (uint32_t y = 0; y < h; ++y)
            for (uint32_t x = 0; x < w; ++x) Set(x, y, fill);
    }
    void Set(uint32_t x, uint32_t y, uint32_t argb) {
        std::memcpy(texture.MutableBits() + 4 * (y * width + x), &argb, 4);
    }
    uint32_t Alpha(uint32_t x, uint32_t y) const {
        uint32_t argb;
        std::memcpy(&argb, texture.Bits() + 4 * (y * width + x), 4);
        return argb >> 24;
    }
    uint32_t Colour(uint32_t x, uint32_t y) const {
        uint32_t argb;
        std::memcpy(&argb, texture.Bits() + 4 * (y * width + x), 4);
        return argb & 0xFFFFFF;
    }
    Texture texture;
    uint32_t width;
};

constexpr uint32_t kDark = 0xFF101010;
constexpr uint32_t kBright = 0xFFFFC040;
constexpr uint32_t kDim = 0xFF454545;   // brightness 119: still background
constexpr uint32_t kEdge = 0xFF464545;  // brightness 120: bright

TEST(SpriteAlpha, BackgroundClearsBrightRimFadesAndInnerPocketStays) {
    // 7 x 7: a bright square (columns and rows 1..5) with a dark pocket at (3, 3).
    Picture p(7, 7, kDark);
    for (uint32_t y = 1; y <= 5; ++y)
        for (uint32_t x = 1; x <= 5; ++x) p.Set(x, y, kBright);
    p.Set(3, 3, kDark);
    p.Set(6, 6, kDim);
    p.Set(0, 6, kEdge);
    MakeSpriteAlpha(&p.texture);
    EXPECT_EQ(p.Alpha(0, 0), 0u);
    EXPECT_EQ(p.Alpha(6, 0), 0u);
    EXPECT_EQ(p.Alpha(6, 6), 0u);
    EXPECT_EQ(p.Alpha(0, 6), 32u);
    EXPECT_EQ(p.Alpha(1, 1), 32u);
    EXPECT_EQ(p.Alpha(5, 3), 32u);
    EXPECT_EQ(p.Alpha(2, 2), 192u);  // bright but not touching the background
    EXPECT_EQ(p.Alpha(3, 3), 192u);  // dark pocket inside the flash
    EXPECT_EQ(p.Colour(1, 1), kBright & 0xFFFFFF);
    EXPECT_EQ(p.Colour(0, 0), kDark & 0xFFFFFF);
}

TEST(SpriteAlpha, BrightTopLeftPixelStillClearsButTheFillOnlyCrossesDarkPixels) {
    Picture p(4, 3, kDark);
    p.Set(0, 0, kBright);
    p.Set(1, 0, kBright);
    p.Set(0, 1, kBright);
    MakeSpriteAlpha(&p.texture);
    EXPECT_EQ(p.Alpha(0, 0), 0u);
    EXPECT_EQ(p.Alpha(1, 0), 32u);
    EXPECT_EQ(p.Alpha(0, 1), 32u);
    // The rest of the dark picture is cut off from the corner.
    EXPECT_EQ(p.Alpha(1, 1), 192u);
    EXPECT_EQ(p.Alpha(3, 2), 192u);
}

TEST(SpriteAlpha, FramesLargerThan256SquaredFillCompletely) {
    Picture p(300, 300, kDark);
    p.Set(299, 299, kBright);
    MakeSpriteAlpha(&p.texture);
    EXPECT_EQ(p.Alpha(150, 150), 0u);
    EXPECT_EQ(p.Alpha(298, 299), 0u);
    EXPECT_EQ(p.Alpha(299, 299), 32u);
}

TEST(SpriteAlpha, EveryLevelIsFilledAndSixteenBitTexturesAreLeftAlone) {
    Texture levels(4, 4, 2, D3DFMT_A8R8G8B8);
    const uint32_t opaqueBlack = 0xFF000000;
    for (uint32_t level = 0; level < 2; ++level)
        for (uint32_t i = 0; i < levels.Width(level) * levels.Height(level); ++i)
            std::memcpy(levels.MutableBits(level) + 4 * i, &opaqueBlack, 4);
    MakeSpriteAlpha(&levels);
    EXPECT_EQ(levels.TexelArgb(1, 1, 1) >> 24, 0u);
    EXPECT_EQ(levels.TexelArgb(0, 3, 3) >> 24, 0u);

    Texture small(2, 2, 1, D3DFMT_A4R4G4B4);
    std::memset(small.MutableBits(), 0x5A, 8);
    MakeSpriteAlpha(&small);
    EXPECT_EQ(small.Bits()[0], 0x5A);
    EXPECT_EQ(small.Bits()[7], 0x5A);
}

}  // namespace
