#pragma once

#include "piano/BankLayout.h"
#include "piano/MidiMessage.h"

namespace piano
{

// The mechanical noises of the piano, played from keys 121..127 of the sound bank: a release noise
// after each released key and a damper noise when the sustain pedal moves. Their loudness follows the
// applied hammer amount. Pure functions of their inputs; the instrument keeps the pedal flag and hands the
// returned messages to the engine in order. Audio thread; nothing allocates.
class PianoNoises
{
public:
    // Up to two messages, to be sent in index order.
    struct Messages
    {
        int count = 0;
        MidiMessage message[2];
    };

    // Release noise after key `key` went up: one note-on, none when the hammer amount is 0 or the key is
    // outside the piano's 21..108.
    static Messages keyReleased(int key, float hammerAmount);

    // Sustain pedal pressed: stops the pedal-up noise and plays the pedal-down noise, only when the pedal
    // was up before and the hammer amount is not 0.
    static Messages pedalPressed(float hammerAmount, bool sustainWasDown);

    // Sustain pedal released: the mirror image, only when the pedal was down before. The dampers fall as far
    // as `damping` (1: onto the strings; less for a pedal let up only part way), and their noise is as
    // much softer.
    static Messages pedalReleased(float hammerAmount, bool sustainWasDown, float damping = 1.0f);

    // Noise velocity for a hammer amount h: 1 + trunc(h × scale) in single precision, written as the
    // negated product the noise loudness has always been computed with.
    static int noiseVelocity(float hammerAmount, float scale);

    // The hammer amount as the noises use it: a damaged setting (non-finite or outside 0..1) is limited to
    // 0..1, where 0 (and NaN) means no noise, so no velocity ever leaves the MIDI range.
    static float usableHammer(float hammerAmount);

private:
    static Messages pedalNoise(float hammerAmount, int stopKey, int playKey, float scale);
};

} // namespace piano
