#include "dsp/zreverb/LFOFactory.h"

#include "dsp/zreverb/CNoLFO.h"
#include "dsp/zreverb/CNoiseLFO.h"
#include "dsp/zreverb/CSawLFO.h"
#include "dsp/zreverb/CSineLFO.h"
#include "dsp/zreverb/CTriangLFO.h"

#include <new>

namespace zreverb
{

ReverbResult CreateLFO(int kind, float rate, std::unique_ptr<CLFO>& out)
{
    out.reset();
    switch (kind)
    {
    case kLfoSine:
        out.reset(new (std::nothrow) CSineLFO(rate));
        break;
    case kLfoSaw:
        out.reset(new (std::nothrow) CSawLFO(rate));
        break;
    case kLfoTriangle:
        out.reset(new (std::nothrow) CTriangLFO(rate));
        break;
    case kLfoNoise:
        out.reset(new (std::nothrow) CNoiseLFO(rate));
        break;
    case kLfoNone:
        out.reset(new (std::nothrow) CNoLFO());
        break;
    default:
        return kReverbOutOfRange;
    }
    return out ? kReverbOk : kReverbAllocFailed;
}

} // namespace zreverb
