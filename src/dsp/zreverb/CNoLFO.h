#pragma once

#include "dsp/zreverb/CLFO.h"

namespace zreverb
{

// Constant 1.0: the oscillator of a section whose sweep is off.
class CNoLFO final : public CLFO
{
public:
    void SetFrequency(float hz) override {}
    void SetMode(int mode) override {}
    void Reset() override {}
    float Next() override { return 1.0f; }
};

} // namespace zreverb
