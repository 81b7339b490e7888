// Name hashing for the entry tables.
#pragma once

#include <cstdint>

uint32_t HashName(const char* text, uint32_t seed);
