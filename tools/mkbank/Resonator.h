#pragma once

namespace mkbank
{

// A two-pole resonator: a body mode of the given frequency whose ringing decays by 1/e in
// decaySeconds. Its input is scaled by 1 - r to keep long rings bounded; callers normalise what
// they render.
class Resonator
{
public:
    Resonator(double frequency, double decaySeconds, double sampleRate);

    float process(float input)
    {
        const double out = gain * input + a1 * y1 - a2 * y2;
        y2 = y1;
        y1 = out;
        return static_cast<float>(out);
    }

private:
    double a1 = 0.0, a2 = 0.0, gain = 0.0;
    double y1 = 0.0, y2 = 0.0;
};

} // namespace mkbank
