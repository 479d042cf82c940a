#pragma once

#include <cstdint>

namespace mkbank
{

// Uniform white noise in [-1, 1) from a 32-bit xorshift generator: the same seed gives the same
// numbers on every machine and compiler, which keeps built banks identical.
class WhiteNoise
{
public:
    explicit WhiteNoise(uint32_t seed) : state(seed != 0 ? seed : 0x9E3779B9u) {}

    float next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<float>(static_cast<double>(state) / 2147483648.0 - 1.0);
    }

private:
    uint32_t state;
};

} // namespace mkbank
