#pragma once

#include <cmath>
#include <cstdint>

namespace quorvane::datakit {

// splitmix64: mixes a seed and any number of stream keys into one 64-bit state, so
// every site, variant and process draws from its own reproducible stream.
inline std::uint64_t Mix64(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

inline std::uint64_t StreamKey(std::uint64_t seed, std::uint64_t a, std::uint64_t b = 0,
                               std::uint64_t c = 0) {
    return Mix64(Mix64(Mix64(seed ^ Mix64(a)) ^ b) ^ c);
}

// xoshiro256**; the distributions are written out here because the standard
// library's differ between implementations and the kit must not.
class Rng {
public:
    explicit Rng(std::uint64_t key) {
        std::uint64_t s = key;
        for (auto& word : state_) {
            s = Mix64(s);
            word = s;
        }
    }

    std::uint64_t Next() {
        const std::uint64_t result = Rotl(state_[1] * 5, 7) * 9;
        const std::uint64_t t = state_[1] << 17;
        state_[2] ^= state_[0];
        state_[3] ^= state_[1];
        state_[1] ^= state_[2];
        state_[0] ^= state_[3];
        state_[2] ^= t;
        state_[3] = Rotl(state_[3], 45);
        return result;
    }

    // [0, 1)
    double Uniform() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
    double Uniform(double low, double high) { return low + (high - low) * Uniform(); }
    // 0 .. n-1
    int Below(int n) { return static_cast<int>(Uniform() * n); }

    // Standard normal by Box-Muller (one value per call keeps streams simple).
    double Normal() {
        double u = Uniform();
        if (u < 1e-300) {
            u = 1e-300;
        }
        return std::sqrt(-2.0 * std::log(u)) * std::cos(6.283185307179586 * Uniform());
    }

private:
    static std::uint64_t Rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    std::uint64_t state_[4];
};

} // namespace quorvane::datakit
