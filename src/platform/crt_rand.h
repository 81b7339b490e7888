// The program's random generator: the classic runtime's 15-bit linear
// congruential generator (state = state * 22695477 + 1, result = bits 16..30).
// Play draws from it in a fixed order, so a seed makes a run repeatable.
#pragma once

#include <cstdint>

namespace rp {

constexpr int RAND_MAX_15 = 0x7FFF;

int rand();
void srand(uint32_t seed);
uint32_t randState();
void setRandState(uint32_t state);
// Number of draws since the last srand (replays and tests check this).
uint64_t randDraws();

}  // namespace rp
