#pragma once

#include "dsp/zreverb/ReverbResult.h"

namespace zreverb
{

class CReverb;
using ReverbHandle = CReverb*;

// Handle layer over CReverb: every call checks its handle and answers with a ReverbResult.
// Audio thread only (creation and destruction while processing is suspended).

// Builds a reverb (mode 0, two channels); on failure the handle is null and the result says why.
ReverbResult ReverbCreate(ReverbHandle* handle, int rate, int channels, int mode);
// kReverbOutOfRange for a null handle, else destroys it, nulls it and answers kReverbOk.
ReverbResult ReverbDestroy(ReverbHandle* handle);
ReverbResult ReverbProcess(ReverbHandle handle, const float* in, float* out, int frames);
void ReverbReset(ReverbHandle handle);
ReverbResult ReverbSetPreset(ReverbHandle handle, int index);
ReverbResult ReverbSetMix(ReverbHandle handle, float wet);

} // namespace zreverb
