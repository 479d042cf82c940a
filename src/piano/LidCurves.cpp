#include "piano/LidCurves.h"

namespace piano
{

namespace
{
constexpr LidCurves::Curve kClosedGains = {0.0, 3.0, 7.0, 4.5, -1.0, -2.5, -3.5, -7.0, -7.0, -6.0};
constexpr LidCurves::Curve kOpenGains = {0.0, 3.0, 7.0, 4.5, 2.0, 1.5, 1.5, 0.0, 0.0, 2.0};
constexpr const char* kNames[LidCurves::kPositionCount] = {"Closed", "OpenSome", "OpenMore", "Open"};
} // namespace

LidCurves::LidCurves()
{
    // The middle positions lie on the straight line between closed and open, band by band; the fraction
    // p/3 is rounded first, which fixes the last bit of the middle gains (-4.666666666666667 at 4 kHz).
    for (int position = 0; position < kPositionCount; ++position)
    {
        const double fraction = position / 3.0;
        for (int band = 0; band < kBandCount; ++band)
        {
            const double closed = kClosedGains[band];
            curves[position][band] = closed + (kOpenGains[band] - closed) * fraction;
        }
    }
}

const LidCurves::Curve* LidCurves::curve(int position) const
{
    if (position < 0 || position >= kPositionCount)
    {
        return nullptr;
    }
    return &curves[position];
}

const char* LidCurves::name(int position)
{
    if (position < 0 || position >= kPositionCount)
    {
        return nullptr;
    }
    return kNames[position];
}

} // namespace piano
