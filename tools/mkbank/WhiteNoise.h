#pragma once

#include <cstdint>

namespace mkbank
{

// Uniform white noise in [-1, 1) from a 32-bit xorshift generator: the same seed gives the same
// numbers on every machine and compiler, which keeps built banks identical.
class WhiteNoise
{
public:
    explicit WhiteNoise(uint32_t seed) : state_(seed != 0 ? seed : 0x9E3779B9u) {}

    float next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<float>(static_cast<double>(state_) / 2147483648.0 - 1.0);
    }

private:
    uint32_t state_;
};

} // namespace mkbank
