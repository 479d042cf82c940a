#pragma once

#include "dsp/zreverb/CLFO.h"
#include "dsp/zreverb/ReverbResult.h"

#include <memory>

namespace zreverb
{

// Builds an oscillator of the given LfoKind at the rate. Kinds outside 0..4 give kReverbOutOfRange and an
// allocation failure kReverbAllocFailed; in both cases out is left empty.
ReverbResult CreateLFO(int kind, float rate, std::unique_ptr<CLFO>& out);

} // namespace zreverb
