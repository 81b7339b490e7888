// Name hashing for the entry tables.
#pragma once

#include <cstdint>

// h = ((h >> 15) + (h << 1)) xor T[c] over the bytes of `text`, from `seed`;
// T is a fixed table of 256 distinct sign-extended 16-bit values.
uint32_t HashName(const char* text, uint32_t seed);
