// Seeded pseudo-random numbers for the content generator (splitmix64), so
// the same seed always yields the same content on every machine.
#pragma once

#include <cmath>
#include <cstdint>

namespace contentgen {

class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}

    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double Uniform() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
    double Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }
    // Uniform integer in [0, n).
    int Int(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }
    // Standard normal (Box-Muller, one value per call).
    double Gauss() {
        double u = Uniform();
        double v = Uniform();
        return std::sqrt(-2.0 * std::log(1.0 - u)) * std::cos(6.283185307179586 * v);
    }

private:
    uint64_t state_;
};

}  // namespace contentgen
