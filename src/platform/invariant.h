// Internal invariant checks: a failed check names the expression and the
// source module, then stops the program.
#pragma once

[[noreturn]] void InvariantFailed(const char* expression, const char* source);

#define RP_INVARIANT(expr, source) \
    do {                            \
        if (!(expr)) InvariantFailed(#expr, source); \
    } while (0)
