#include "platform/crt_rand.h"

namespace rp {
namespace {
uint32_t g_state = 1;
uint64_t g_draws = 0;
}  // namespace

int rand() {
    g_state = g_state * 22695477u + 1u;
    ++g_draws;
    return static_cast<int>((g_state >> 16) & 0x7FFF);
}

void srand(uint32_t seed) {
    g_state = seed;
    g_draws = 0;
}

uint32_t randState() { return g_state; }
void setRandState(uint32_t state) { g_state = state; }
uint64_t randDraws() { return g_draws; }

}  // namespace rp
