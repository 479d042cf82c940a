#pragma once

namespace piano
{

// The sympathetic-resonance envelope sent to the engine as controller 21: it swells over 250 ms when the
// sustain pedal goes down and falls away over 25 ms when it comes up. The instrument renders one frame per
// engine call while the ramp is active and calls step() before each frame. Audio thread, except reset(),
// which runs while processing is suspended.
class ResonanceRamp
{
public:
    static constexpr double kTop = 127.0;

    // Idle at 0: target 127, level 0, rate 0, nothing sent yet.
    ResonanceRamp() = default;

    // Sustain pedal down: with an amount above 0 the level rises from where it is to the top.
    void press(float sampleRate, float amount);

    // Sustain pedal up, whatever the amount: the level falls from where it is to 0.
    void release(float sampleRate);

    // After a change of sample rate the new engine's controller 21 is 0; the next step ends the ramp
    // there without sending anything.
    void reset();

    // Advances the ramp by one frame. Returns true when controller 21 must be sent, with the value in
    // `value`; sends come at most once per 10 units of change, plus the end value.
    bool step(int& value);

    bool active() const { return active_; }
    double level() const { return level_; }
    double rate() const { return rate_; }
    double target() const { return target_; }
    int lastSent() const { return lastSent_; }

private:
    // Frames that cover the whole range; the product is formed in single precision as it always was.
    static double framesFor(float sampleRate, float milliseconds);

    double target_ = kTop;
    double level_ = 0.0;
    double rate_ = 0.0;
    int lastSent_ = 0;
    bool active_ = false;
};

} // namespace piano
