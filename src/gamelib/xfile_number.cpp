#include "gamelib/xfile_number.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

constexpr size_t kMaxLength = 48;
constexpr size_t kMaxFractionDigits = 15;
constexpr uint32_t kMaxExponent = 38;

// 10^-n for n fraction digits, as double constants.
constexpr double kFractionScale[kMaxFractionDigits + 1] = {
    1.0,   0.1,   0.01,  0.001, 0.0001, 1e-5,  1e-6,  1e-7,
    1e-8,  1e-9,  1e-10, 1e-11, 1e-12,  1e-13, 1e-14, 1e-15};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The digits at `pos` as an integer, reading at most `limit` of them (0: no
// limit) and skipping the rest; none on overflow. `count` receives the
// number of digits used.
std::optional<uint64_t> Digits(std::string_view word, size_t& pos, size_t limit, size_t& count) {
    uint64_t value = 0;
    count = 0;
    for (; pos < word.size() && IsDigit(word[pos]); ++pos) {
        if (limit && count == limit) continue;
        constexpr uint64_t kLastTens = std::numeric_limits<uint64_t>::max() / 10;
        constexpr uint64_t kLastDigit = std::numeric_limits<uint64_t>::max() % 10;
        const uint64_t digit = uint64_t(word[pos] - '0');
        if (value > kLastTens || (value == kLastTens && digit > kLastDigit)) return std::nullopt;
        value = value * 10 + digit;
        ++count;
    }
    return value;
}

}  // namespace

std::optional<float> ReadXNumber(std::string_view word) {
    if (word.empty() || word.size() > kMaxLength) return std::nullopt;
    size_t pos = 0, count = 0;
    const bool negative = word[0] == '-';
    if (negative) ++pos;
    const std::optional<uint64_t> whole = Digits(word, pos, 0, count);
    if (!whole) return std::nullopt;
    const bool hasWhole = count > 0;
    float value = static_cast<float>(*whole);
    bool hasFraction = false;
    if (pos < word.size() && word[pos] == '.') {
        ++pos;
        const std::optional<uint64_t> fraction = Digits(word, pos, kMaxFractionDigits, count);
        if (!fraction) return std::nullopt;
        hasFraction = count > 0;
        value += static_cast<float>(static_cast<double>(*fraction) * kFractionScale[count]);
    }
    if (!hasWhole && !hasFraction) return std::nullopt;
    if (pos < word.size() && (word[pos] == 'e' || word[pos] == 'E')) {
        ++pos;
        const bool negativeExponent = pos < word.size() && word[pos] == '-';
        if (pos < word.size() && (word[pos] == '-' || word[pos] == '+')) ++pos;
        const std::optional<uint64_t> exponent = Digits(word, pos, 0, count);
        if (!exponent || count == 0 || count > 2 || *exponent > kMaxExponent) return std::nullopt;
        const float power = static_cast<float>(*exponent);
        value *= std::pow(10.0f, negativeExponent ? -power : power);
    }
    if (pos != word.size() || !std::isfinite(value)) return std::nullopt;
    return negative ? -value : value;
}
