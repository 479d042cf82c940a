#pragma once

#include "dsp/zreverb/ReverbApi.h"

namespace dsp
{

// The instrument's reverb: a two-channel zreverb::CReverb behind its handle, run on the left and right
// buffers in place, in chunks of at most kChunkFrames. Audio thread only (construction, destruction and
// SetSampleRate while processing is suspended); processing never allocates.
class ReverbUnit
{
public:
    static constexpr int kChunkFrames = 4096;

    explicit ReverbUnit(int rateHz);
    ~ReverbUnit();
    ReverbUnit(const ReverbUnit&) = delete;
    ReverbUnit& operator=(const ReverbUnit&) = delete;

    // Replaces left and right by the reverb's output. True when every reverb call succeeded; without a
    // reverb the output is silence.
    bool Process(float* left, float* right, int frames);

    // The same rate only clears the reverb; a new rate re-creates it, so tuning must be applied again.
    void SetSampleRate(int rateHz);
    zreverb::ReverbResult SetPreset(int index);
    zreverb::ReverbResult SetMix(float wet);

    bool HasReverb() const { return reverb != nullptr; }
    int SampleRate() const { return rate; }
    zreverb::ReverbHandle Handle() const { return reverb; }

private:
    zreverb::ReverbHandle reverb = nullptr;
    int rate;
};

} // namespace dsp
