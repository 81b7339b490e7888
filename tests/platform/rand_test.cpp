#include <gtest/gtest.h>

#include "platform/crt_rand.h"

TEST(Rand, FollowsTheFifteenBitRuntimeGenerator) {
    rp::srand(1);
    // state = 1 * 22695477 + 1 = 22695478 -> bits 16..30 = 346
    EXPECT_EQ(rp::rand(), 346);
    EXPECT_EQ(rp::randState(), 22695478u);
    EXPECT_EQ(rp::randDraws(), 1u);
}

TEST(Rand, SameSeedSameSequenceAndAlwaysFifteenBits) {
    rp::srand(12345);
    std::vector<int> first;
    for (int i = 0; i < 1000; ++i) first.push_back(rp::rand());
    rp::srand(12345);
    for (int i = 0; i < 1000; ++i) {
        int r = rp::rand();
        EXPECT_EQ(r, first[i]);
        EXPECT_GE(r, 0);
        EXPECT_LE(r, 0x7FFF);
    }
}
