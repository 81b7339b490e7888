// A 64-bit hash of the running game's world: the generator, the session
// state, the ship, every field object, projectile and explosion. Two runs
// that hash alike at a frame are, for every purpose of play, in the same state.
#pragma once

#include <cstdint>

// `drawsBefore`: generator draws made before the game's setup, left out so
// that the hash counts only the draws of play.
uint64_t WorldHash(uint64_t drawsBefore);
