#include "persist/hash.h"

#include <array>
#include <cstddef>

#include "platform/invariant.h"

namespace {

constexpr uint32_t SignExtend16(uint32_t v) { return static_cast<uint32_t>(static_cast<int32_t>(static_cast<int16_t>(v))); }

// 256 distinct 16-bit values, sign-extended. Multiplying by an odd constant
// modulo 2^16 is a bijection, so the generated entries differ; entries 1 and
// 5 are fixed values and the generator skips anything that would repeat them.
constexpr std::array<uint32_t, 256> MakeTable() {
    std::array<uint32_t, 256> t{};
    constexpr uint32_t fixed1 = 0x573A, fixed5 = 0x8E8B;
    uint32_t k = 0;
    for (uint32_t i = 0; i < 256; ++i) {
        if (i == 1) { t[i] = SignExtend16(fixed1); continue; }
        if (i == 5) { t[i] = SignExtend16(fixed5); continue; }
        uint32_t v;
        do {
            v = (0x4488 + k++ * 0x9E37) & 0xFFFF;
        } while (v == fixed1 || v == fixed5);
        t[i] = SignExtend16(v);
    }
    return t;
}

constexpr std::array<uint32_t, 256> kTable = MakeTable();

constexpr bool AllDistinct(const std::array<uint32_t, 256>& t) {
    for (std::size_t i = 0; i < t.size(); ++i)
        for (std::size_t j = i + 1; j < t.size(); ++j)
            if (t[i] == t[j]) return false;
    return true;
}

static_assert(kTable[0] == 0x4488 && kTable[1] == 0x573A && kTable[5] == 0xFFFF8E8Bu);
static_assert(AllDistinct(kTable));

}  // namespace

uint32_t HashName(const char* name, uint32_t seed) {
    RP_INVARIANT(name, "hash");
    uint32_t h = seed;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(name); *p; ++p)
        h = ((h >> 15) + (h << 1)) ^ kTable[*p];
    return h;
}
