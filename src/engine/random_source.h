// The engine's uniform random source on [0, 1) in single precision. Drawn several times
// per star and frame, so it is a small inline generator (xoshiro128+) rather than a
// std::distribution. The engine reads no clock: a host seeds it from its clock seed
// (EngineHost::ClockSeed), tests and pictures from a fixed one. The order of draws is fixed
// by the animation rules, not here.
#pragma once

#include <cstdint>

namespace astrelle {

class RandomSource {
public:
    static constexpr uint64_t kDefaultSeed = 1;

    RandomSource() { Seed(kDefaultSeed); }
    explicit RandomSource(uint64_t seed) { Seed(seed); }

    void Seed(uint64_t seed) {
        // splitmix64 spreads any seed (0 included) over the whole state.
        uint64_t x = seed;
        for (uint32_t& word : state_) {
            x += 0x9E3779B97F4A7C15ull;
            uint64_t z = x;
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
            word = static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
        }
        if ((state_[0] | state_[1] | state_[2] | state_[3]) == 0) state_[0] = 1;
    }

    // Uniform on [0, 1): the top 24 bits of a 32-bit draw, so every value is exact in a float.
    float Next() { return static_cast<float>(NextU32() >> 8) * (1.0f / 16777216.0f); }

    uint32_t NextU32() {
        const uint32_t result = state_[0] + state_[3];
        const uint32_t t = state_[1] << 9;
        state_[2] ^= state_[0];
        state_[3] ^= state_[1];
        state_[1] ^= state_[2];
        state_[0] ^= state_[3];
        state_[2] ^= t;
        state_[3] = (state_[3] << 11) | (state_[3] >> 21);
        return result;
    }

private:
    uint32_t state_[4]{};
};

}  // namespace astrelle
