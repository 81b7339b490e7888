#include "platform/invariant.h"

#include <cstdio>
#include <cstdlib>

[[noreturn]] void InvariantFailed(const char* expression, const char* source) {
    std::fprintf(stderr, "rockpile: internal error: %s failed in %s\n", expression, source);
    std::fflush(stderr);
    std::abort();
}
