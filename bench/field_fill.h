// Filling the running session's projectile and explosion lists to capacity
// from random points, as the full-field benchmarks keep them.
#pragma once

#include <random>

// Player missiles (three in four) and enemy missiles in random directions,
// explosions at random points of their run.
void FillShotsAndExplosions(std::mt19937& random);
