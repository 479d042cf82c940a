#include "piano/VelocityTable.h"

#include <algorithm>
#include <cmath>

namespace piano
{

namespace
{
constexpr double kExponents[VelocityTable::kCurveCount] = {0.5, 0.666, 1.0, 1.5, 2.0};
constexpr const char* kCurveKeys[VelocityTable::kCurveCount] = {"Very Light", "Light", "Normal", "Heavy",
                                                                "Very Heavy"};
// 1/127 rounded once to the nearest double; the table's truncation depends on this exact factor.
constexpr double kOneOver127 = 1.0 / 127.0;
} // namespace

VelocityTable::VelocityTable()
{
    rebuild(kDefaultCurve);
}

int VelocityTable::clampCurve(int curveIndex)
{
    return std::clamp(curveIndex, 0, kCurveCount - 1);
}

double VelocityTable::exponentOf(int curveIndex)
{
    return kExponents[clampCurve(curveIndex)];
}

const char* VelocityTable::curveKey(int curveIndex)
{
    return kCurveKeys[clampCurve(curveIndex)];
}

void VelocityTable::rebuild(int curveIndex)
{
    curve_ = clampCurve(curveIndex);
    const double exponent = kExponents[curve_];
    for (int v = 0; v < 128; ++v)
    {
        table_[v] = static_cast<std::uint8_t>(std::pow(v * kOneOver127, exponent) * 127.0);
    }
}

std::uint8_t VelocityTable::entry(int velocity) const
{
    return table_[std::clamp(velocity, 0, 127)];
}

int VelocityTable::map(int velocity, bool softDown) const
{
    int out = entry(velocity);
    if (softDown)
    {
        out = static_cast<int>(static_cast<float>(out) * 0.75f);
        if (out == 0)
        {
            out = 1;
        }
    }
    return out;
}

} // namespace piano
