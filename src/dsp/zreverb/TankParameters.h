#pragma once

namespace zreverb
{

// One half of the figure-eight tank, in seconds (lengths of the published plate design at 29761 Hz).
struct TankParameters
{
    float rate;
    float dampingA;              // damping one-pole a; b = 1 - a
    float modulatedDelay;        // modulated allpass delay
    float modulatedCoefficient;  // modulated allpass coefficient
    float modulatedDepth;        // modulation depth
    float modulatedLfoFrequency; // Hz
    float secondDelay;           // second allpass delay
    float secondCoefficient;
    float secondDepth;
    float secondLfoFrequency; // Hz
    float line1;              // delay line 1
    float line2;              // delay line 2
    float decay;
    float taps[7]; // output taps 0..6
};

// The blocks of tank A and tank B at the given rate.
TankParameters TankBlockA(float rate);
TankParameters TankBlockB(float rate);

} // namespace zreverb
