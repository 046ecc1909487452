#pragma once

#include <cstdint>

// A small seeded generator (SplitMix64) whose sequence is the same on every machine and with
// every standard library, so the synthetic table is too.
namespace bench {

class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // A whole number from 0 up to, not including, `count`.
    int below(int count) {
        return int((static_cast<unsigned __int128>(next()) * std::uint64_t(count)) >> 64);
    }

    // A number from 0 up to, not including, 1.
    double unit() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }

    // True with the given probability.
    bool chance(double probability) { return unit() < probability; }

private:
    std::uint64_t state_;
};

} // namespace bench
