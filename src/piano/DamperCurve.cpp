#include "piano/DamperCurve.h"

namespace piano
{

float DamperCurve::damping(int value)
{
    if (value <= kRestingValue)
        return 1.0f;
    if (value >= kLiftedValue)
        return 0.0f;
    return static_cast<float>(kLiftedValue - value) / static_cast<float>(kLiftedValue - kRestingValue);
}

float DamperCurve::lift(int value)
{
    return 1.0f - damping(value);
}

} // namespace piano
