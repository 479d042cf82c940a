#include "piano/PianoNoises.h"

#include <algorithm>
#include <cmath>

namespace piano
{

namespace
{
constexpr float kReleaseScale = 96.0f;
constexpr float kPedalDownScale = 90.0f;
constexpr float kPedalUpScale = 95.0f;
constexpr int kKeysPerReleaseNoise = 18;
constexpr int kDamperOffVelocity = 127;
} // namespace

float PianoNoises::usableHammer(float hammerAmount)
{
    if (!std::isfinite(hammerAmount))
    {
        return 0.0f;
    }
    return std::clamp(hammerAmount, 0.0f, 1.0f);
}

int PianoNoises::noiseVelocity(float hammerAmount, float scale)
{
    return 1 - static_cast<int>(usableHammer(hammerAmount) * -scale);
}

PianoNoises::Messages PianoNoises::keyReleased(int key, float hammerAmount)
{
    Messages out;
    const float h = usableHammer(hammerAmount);
    if (h == 0.0f || key < kLowestKey || key > kHighestKey)
    {
        return out;
    }
    const int noiseKey = kFirstReleaseKey + (key - kLowestKey) / kKeysPerReleaseNoise;
    out.message[out.count++] =
        MidiMessage::make(MidiMessage::kNoteOn, noiseKey, noiseVelocity(h, kReleaseScale));
    return out;
}

PianoNoises::Messages PianoNoises::pedalNoise(float hammerAmount, int stopKey, int playKey, float scale)
{
    Messages out;
    const float h = usableHammer(hammerAmount);
    if (h == 0.0f)
    {
        return out;
    }
    // The opposite damper noise is cut before the new one starts.
    out.message[out.count++] = MidiMessage::make(MidiMessage::kNoteOff, stopKey, kDamperOffVelocity);
    out.message[out.count++] = MidiMessage::make(MidiMessage::kNoteOn, playKey, noiseVelocity(h, scale));
    return out;
}

PianoNoises::Messages PianoNoises::pedalPressed(float hammerAmount, bool sustainWasDown)
{
    if (sustainWasDown)
    {
        return {};
    }
    return pedalNoise(hammerAmount, kPedalUpKey, kPedalDownKey, kPedalDownScale);
}

PianoNoises::Messages PianoNoises::pedalReleased(float hammerAmount, bool sustainWasDown, float damping)
{
    if (!sustainWasDown)
    {
        return {};
    }
    const float fall = damping > 0.0f ? std::min(damping, 1.0f) : 0.0f;
    return pedalNoise(hammerAmount, kPedalDownKey, kPedalUpKey, kPedalUpScale * fall);
}

} // namespace piano
