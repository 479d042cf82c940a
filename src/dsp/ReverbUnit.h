#pragma once

#include "dsp/zreverb/ReverbApi.h"

#include <memory>

namespace dsp
{

// The instrument's reverb: a two-channel zreverb::CReverb behind its handle, fed from separate left and
// right buffers through an interleave buffer in chunks of at most kChunkFrames. Audio thread only
// (construction, destruction and SetSampleRate while processing is suspended).
class ReverbUnit
{
public:
    static constexpr int kChunkFrames = 4096;

    explicit ReverbUnit(int rate);
    ~ReverbUnit();
    ReverbUnit(const ReverbUnit&) = delete;
    ReverbUnit& operator=(const ReverbUnit&) = delete;

    // Replaces left and right by the reverb's output. The interleave buffer grows (once) when a larger block
    // arrives. True when every reverb call succeeded; without a reverb or buffer the output is silence.
    bool Process(float* left, float* right, int frames);

    // The same rate only clears the reverb; a new rate re-creates it, so tuning must be applied again.
    void SetSampleRate(int rate);
    zreverb::ReverbResult SetPreset(int index);
    zreverb::ReverbResult SetMix(float wet);

    bool HasReverb() const { return m_reverb != nullptr; }
    int SampleRate() const { return m_rate; }
    int Capacity() const { return capacity; }
    zreverb::ReverbHandle Handle() const { return m_reverb; }

private:
    zreverb::ReverbHandle m_reverb = nullptr;
    std::unique_ptr<float[]> interleaved;
    int capacity = 0;
    int m_rate;
};

} // namespace dsp
