#pragma once

#include <cstdint>

namespace assetgen {

// A tiny xorshift generator: the same seed gives the same assets on every machine and standard library,
// which std::uniform_*_distribution does not promise.
class Random {
public:
    explicit Random(std::uint32_t seed) : state(seed == 0 ? 0x9E3779B9u : seed) {}

    std::uint32_t next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }

    // Uniform in [0, 1).
    double unit() { return static_cast<double>(next()) / 4294967296.0; }

    double range(double low, double high) { return low + (high - low) * unit(); }

private:
    std::uint32_t state;
};

} // namespace assetgen
