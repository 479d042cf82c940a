#pragma once

#include <array>

namespace piano
{

// The equaliser curve of each lid position: ten band gains in dB, 32 Hz to 16 kHz. Filled once at
// construction and read-only afterwards, so any thread may read it.
class LidCurves
{
public:
    static constexpr int kPositionCount = 4;
    static constexpr int kBandCount = 10;
    static constexpr int kOpen = 3;
    using Curve = std::array<double, kBandCount>;

    LidCurves();

    // The curve of a lid position, or null outside 0..3 (the equaliser then keeps its curve).
    const Curve* curve(int position) const;

    // "Closed", "OpenSome", "OpenMore", "Open"; null outside 0..3.
    static const char* name(int position);

private:
    std::array<Curve, kPositionCount> curves{};
};

} // namespace piano
