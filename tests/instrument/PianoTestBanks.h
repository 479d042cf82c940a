// Sound banks for the tests that listen to the piano: each is small, written by the tests themselves, and
// made so that one behaviour of the instrument is plain to hear in the rendered audio.
#pragma once

#include <cstdint>
#include <vector>

namespace instrumenttest
{

// Broadband noise on the piano's keys 21..108, looped, with a short release: bright enough to measure the
// lid's effect on the upper bands, and silent soon after a note-off (the noise keys stay empty).
std::vector<uint8_t> NoiseBank();

// A looped tone on the piano's keys 21..108 that stops within milliseconds of its note-off, and an
// unlooped noise burst on the noise keys 123..127: after a note-off only the release noise is heard.
std::vector<uint8_t> ReleaseNoiseBank();

// Two looped layers on keys 21..108: a tone, and a resonance layer held 57.6 dB down by its attenuation
// and opened by controller 21 (the resonance envelope) scaled by controller 22 (the resonance amount).
std::vector<uint8_t> ResonanceBank();

// A looped sine in equal temperament (A 440 on key 69) on keys 21..108 that stops within milliseconds of
// its note-off: each key is heard at its own pitch.
std::vector<uint8_t> TunedBank();

// A looped tone on keys 21..108 whose envelope decays by 96 dB in 4 s with the key held (or the dampers
// lifted) and whose release takes 0.5 s for the same: a released note's decay shows how far the dampers
// rest on the strings.
std::vector<uint8_t> DampedBank();

} // namespace instrumenttest
