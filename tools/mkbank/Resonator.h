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
        const double out = gain_ * input + a1_ * y1_ - a2_ * y2_;
        y2_ = y1_;
        y1_ = out;
        return static_cast<float>(out);
    }

private:
    double a1_ = 0.0, a2_ = 0.0, gain_ = 0.0;
    double y1_ = 0.0, y2_ = 0.0;
};

} // namespace mkbank
