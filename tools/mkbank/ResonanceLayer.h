#pragma once

#include <cstdint>

#include <map>

#include "mkbank/PresetCopier.h"

namespace mkbank
{

// The sympathetic-resonance layer: a twin of every piano zone of the preset that plays the same
// samples on the same keys and velocities, swelling in more slowly, ringing longer and sounding
// darker than the note itself. The twins play copies of the piano's instruments that keep only
// the left sample of each stereo pair, centred: the layer costs half as many voices as the
// piano, which keeps voice stealing away under a held pedal. Its loudness follows two
// controllers through modulators: the resonance envelope (controller 21, sent as the sustain
// pedal goes down and up) and the resonance amount (controller 22). Either at 0 silences the
// layer; both at 127 give it the note's own level, before its darker filter.
class ResonanceLayer
{
public:
    // Relative (preset-level) settings of the twin, added to whatever the piano zone sets.
    static constexpr int kAttackTimecents = 8400; // 128 times slower: a swell, not a strike
    static constexpr int kDecayTimecents = 1200;  // rings twice as long
    static constexpr int kReleaseTimecents = 1200;
    static constexpr int kFilterCents = -1800; // one and a half octaves darker

    // Each controller drives the attenuation through two modulators on its concave, falling
    // curve c (127 gives exactly 0; 0 gives 1, or 127/128 in later engine releases): depth * c
    // and depth * c * c. Together the level follows about the square of the controller (-14 dB
    // at 63, -30 dB at 32), and a controller at 0 adds over 1900 cB: the engine's amplitude is
    // exactly 0 from 961 cB on, so the layer is silent even where the piano's own modulators
    // take a few hundred cB off.
    static constexpr int16_t kControllerDepth = 960;

    // Appends the twins of the first preset's zones and their instruments; call it before
    // zones that need no resonance are added.
    static void addTo(BankImage& bank);
    // The level modulator of a controller, and with squared true its square-law companion.
    static engine::SoundFontModulatorRecord controllerModulator(uint8_t controller, bool squared);

private:
    static uint16_t monoInstrument(BankImage& bank, uint16_t piano, std::map<uint16_t, uint16_t>& made);
    static void makeTwin(engine::SoundFontZone& twin);
};

} // namespace mkbank
