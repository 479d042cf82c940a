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

} // namespace instrumenttest
