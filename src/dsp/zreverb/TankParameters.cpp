#include "dsp/zreverb/TankParameters.h"

namespace zreverb
{

TankParameters TankBlockA(float rate)
{
    return TankParameters{
        rate,
        0.9995f,
        0.02257989f,
        -0.7f,
        0.000308808f,
        0.9f,
        0.06048184f,
        0.5f,
        0.000248808f,
        0.9f,
        0.14962535f,
        0.12499580f,
        0.5f,
        {0.01186116f, 0.12187091f, 0.04126205f, 0.08981553f, 0.06686603f, 0.00628339f, 0.03581869f}};
}

TankParameters TankBlockB(float rate)
{
    return TankParameters{
        rate,
        0.9995f,
        0.03050973f,
        -0.7f,
        0.000228808f,
        1.1f,
        0.08924431f,
        0.5f,
        0.000298808f,
        1.1f,
        0.14169551f,
        0.10628003f,
        0.5f,
        {0.00893787f, 0.09992944f, 0.06427875f, 0.06706764f, 0.07093176f, 0.01125634f, 0.00406572f}};
}

} // namespace zreverb
