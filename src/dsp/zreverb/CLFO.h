#pragma once

namespace zreverb
{

// Low-frequency oscillator interface; every oscillator is created with the rate it runs at.
class CLFO
{
public:
    virtual ~CLFO() = default;
    virtual void SetFrequency(float hz) = 0;
    virtual void SetMode(int mode) = 0;
    virtual void Reset() = 0;
    virtual float Next() = 0;
    // The next count values, as count calls of Next would give them: one call per block instead of one per
    // sample.
    virtual void Fill(float* values, int count) = 0;
};

// Kinds understood by CreateLFO.
enum LfoKind : int
{
    kLfoSine = 0,
    kLfoSaw = 1,
    kLfoTriangle = 2,
    kLfoNoise = 3,
    kLfoNone = 4,
};

// Modes 0..3 of the periodic oscillators: 0 rising, 1 rising and shifted, 2 falling, 3 falling and
// shifted. False (and nothing set) for any other mode.
inline bool DecodeLfoMode(int mode, float& sign, bool& shifted)
{
    if (mode < 0 || mode > 3)
    {
        return false;
    }
    sign = mode < 2 ? 1.0f : -1.0f;
    shifted = (mode % 2) == 1;
    return true;
}

} // namespace zreverb
