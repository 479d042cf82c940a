#pragma once

namespace piano
{

// How far the dampers rest on the strings for a value of the sustain pedal (controller 64). A continuous
// pedal sends its whole travel; songs that send 64 for "down" keep meaning fully down, so 64 and above
// lifts the dampers away, 15 and below leaves them resting, and between they damp partly, less the
// further the pedal goes. Pure functions; any thread.
class DamperCurve
{
public:
    // The highest value at which the dampers rest fully, and the lowest that lifts them away.
    static constexpr int kRestingValue = 15;
    static constexpr int kLiftedValue = 64;

    // 1 with the dampers resting, 0 with them lifted; a straight line between, so that the release time,
    // which the engine reads in timecents, grows by the same factor for each step of the pedal.
    static float damping(int value);
    // 1 - damping: how far the dampers are lifted.
    static float lift(int value);
};

} // namespace piano
