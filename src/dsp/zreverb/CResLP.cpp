#include "dsp/zreverb/CResLP.h"

namespace zreverb
{

namespace
{
const float kCutoffTable[11] = {0.0015f, 0.27f,   0.4802f, 0.6495f, 0.7906f, 0.9018f,
                                0.9979f, 1.0765f, 1.1156f, 1.1378f, 1.16f};
} // namespace

CResLP::Tuning CResLP::Tune(float fc, float resonance)
{
    const float q = resonance * 0.25f;
    int n = static_cast<int>(static_cast<double>(fc) * 10.0);
    // A cutoff at or beyond the table's ends interpolates from the outermost step instead of reading past it.
    if (n < 0)
    {
        n = 0;
    }
    else if (n > 9)
    {
        n = 9;
    }
    const float g = kCutoffTable[n] +
                    (fc - static_cast<float>(n) / 10.0f) * 10.0f * (kCutoffTable[n + 1] - kCutoffTable[n]);
    const float g4 = g * g * g * g;
    return Tuning{1.0f - g, (3.26f - 0.4f * g4) * q + kTiny, 0.350127f * g4 + kTiny};
}

} // namespace zreverb
