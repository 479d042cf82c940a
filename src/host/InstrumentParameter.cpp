#include "host/InstrumentParameter.h"

#include <algorithm>
#include <cmath>

namespace host
{

double InstrumentParameter::plainMaximum() const
{
    return stepped() ? shape.steps - 1 : shape.displayMaximum;
}

double InstrumentParameter::plainOf(float value) const
{
    const double clamped = std::clamp(static_cast<double>(value), 0.0, 1.0);
    if (!stepped())
        return clamped * shape.displayMaximum;
    return std::min(std::floor(clamped * shape.steps), plainMaximum());
}

float InstrumentParameter::valueOf(double plain) const
{
    const double clamped = std::clamp(plain, 0.0, plainMaximum());
    if (!stepped())
        return shape.displayMaximum > 0 ? static_cast<float>(clamped / shape.displayMaximum) : 0.0f;
    return static_cast<float>((std::floor(clamped + 0.5) + 0.5) / shape.steps);
}

double InstrumentParameter::normalizedOf(float value) const
{
    if (!stepped() || shape.steps < 2)
        return value;
    return plainOf(value) / plainMaximum();
}

} // namespace host
