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

} // namespace zreverb
