#pragma once

namespace piano
{

// The sympathetic-resonance envelope sent to the engine as controller 21: it swells over 250 ms when the
// sustain pedal goes down and falls away over 25 ms when it comes up; with the pedal part way down it
// moves, at the same speeds, to the share of the top that the dampers are lifted. The instrument renders
// one frame per engine call while the ramp is active and calls step() before each frame. Audio thread,
// except reset(), which runs while processing is suspended.
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

    // Sustain pedal part way down: the level moves from where it is to `level` (0 to the top), rising as a
    // press does (only with an amount above 0) and falling as a release does.
    void hold(float sampleRate, float amount, double level);

    // After a change of sample rate the new engine's controller 21 is 0; the next step ends the ramp
    // there without sending anything.
    void reset();

    // Advances the ramp by one frame. Returns true when controller 21 must be sent, with the value in
    // `value`; sends come at most once per 10 units of change, plus the end value.
    bool step(int& value);

    bool active() const { return running; }
    double level() const { return currentLevel; }
    double rate() const { return levelPerFrame; }
    double target() const { return targetLevel; }
    int lastSent() const { return lastSentValue; }

private:
    // Frames that cover the whole range; the product is formed in single precision as it always was.
    static double framesFor(float sampleRate, float milliseconds);

    double targetLevel = kTop;
    double endLevel = 0.0; // where the running move stops
    double currentLevel = 0.0;
    double levelPerFrame = 0.0;
    int lastSentValue = 0;
    bool running = false;
};

} // namespace piano
