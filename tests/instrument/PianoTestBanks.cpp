#include "instrument/PianoTestBanks.h"

#include "engine/TestBank.h"

using namespace engine;

using enginetest::AddPlayedInstrument;
using enginetest::AddSample;
using enginetest::Gen;
using enginetest::Mod;
using enginetest::Range;
using enginetest::TestBank;

namespace instrumenttest
{
namespace
{
// A generator the engine has no name for.
constexpr uint16_t kScaleTuning = 56;
constexpr int kLooped = 1;
// Timecents of about 4 ms.
constexpr int kShortRelease = -9600;
// Modulator source bits: a MIDI controller, unipolar, positive, linear.
constexpr uint16_t kController = 0x80;

std::vector<int16_t> Noise(size_t length, int amplitude)
{
    // A fixed linear congruential sequence: the same noise in every run.
    std::vector<int16_t> points(length);
    uint32_t state = 12345u;
    for (auto& point : points)
    {
        state = state * 1664525u + 1013904223u;
        point = static_cast<int16_t>(static_cast<int>(state >> 16) % (2 * amplitude + 1) - amplitude);
    }
    return points;
}

// A looped sample on the piano's keys 21..108; with a release of about 4 ms unless the bank says otherwise.
SoundFontZone PianoKeys(size_t sample, bool shortRelease = true)
{
    SoundFontZone zone{{Range(kGenKeyRange, 21, 108), Gen(kGenSampleModes, kLooped),
                        Gen(kGenSampleId, static_cast<int>(sample))},
                       {}};
    if (shortRelease)
        zone.generators.insert(zone.generators.begin() + 1, Gen(kGenReleaseVolEnv, kShortRelease));
    return zone;
}

} // namespace

std::vector<uint8_t> NoiseBank()
{
    TestBank bank;
    AddPlayedInstrument(bank, "Noise",
                        {PianoKeys(AddSample(bank, "noise", Noise(44100, 8000), 0, 44100, 44100, 60, 0))});
    return bank.bytes();
}

std::vector<uint8_t> ReleaseNoiseBank()
{
    TestBank bank;
    const size_t tone =
        AddSample(bank, "tone", enginetest::Wave(4410, 100.0, 10000.0, 0.3), 0, 4410, 44100, 60, 0);
    const size_t knock = AddSample(bank, "knock", Noise(4410, 12000), 0, 4409, 44100, 60, 0);
    // Every noise key plays the burst at its recorded pitch.
    AddPlayedInstrument(bank, "Keys and noises",
                        {PianoKeys(tone), SoundFontZone{{Range(kGenKeyRange, 123, 127), Gen(kScaleTuning, 0),
                                                         Gen(kGenSampleId, static_cast<int>(knock))},
                                                        {}}});
    return bank.bytes();
}

std::vector<uint8_t> TunedBank()
{
    TestBank bank;
    // 44 periods of 440 Hz fill the 4410-sample loop exactly, so the loop joins without a click.
    AddPlayedInstrument(
        bank, "Tuned keys",
        {PianoKeys(AddSample(bank, "A440", enginetest::Wave(4410, 4410.0 / 44.0, 10000.0, 0.0), 0, 4410,
                             44100, 69, 0))});
    return bank.bytes();
}

std::vector<uint8_t> DampedBank()
{
    TestBank bank;
    // 2400 timecents are 4 s, -1200 are 0.5 s; a sustain level of 100 dB lets the decay run to silence.
    AddPlayedInstrument(
        bank, "Damped",
        {SoundFontZone{
            {Range(kGenKeyRange, 21, 108), Gen(kGenDecayVolEnv, 2400), Gen(kGenSustainVolEnv, 1000),
             Gen(kGenReleaseVolEnv, -1200), Gen(kGenSampleModes, kLooped),
             Gen(kGenSampleId,
                 static_cast<int>(AddSample(bank, "tone", enginetest::Wave(4410, 4410.0 / 44.0, 10000.0, 0.0),
                                            0, 4410, 44100, 69, 0)))},
            {}}});
    return bank.bytes();
}

std::vector<uint8_t> ResonanceBank()
{
    TestBank bank;
    const size_t tone =
        AddSample(bank, "tone", enginetest::Wave(4410, 100.0, 6000.0, 0.3), 0, 4410, 44100, 60, 0);
    const size_t strings =
        AddSample(bank, "strings", enginetest::Wave(4410, 49.0, 6000.0, 0.0), 0, 4410, 44100, 60, 0);
    // The engine scales the stored attenuation by 0.4: 1440 holds the layer 57.6 dB down until
    // controllers 21 and 22 at full take the whole of it away.
    AddPlayedInstrument(
        bank, "Strings",
        {PianoKeys(tone, false),
         SoundFontZone{{Range(kGenKeyRange, 21, 108), Gen(kGenInitialAttenuation, 1440),
                        Gen(kGenSampleModes, kLooped), Gen(kGenSampleId, static_cast<int>(strings))},
                       {Mod(kController | 21, kGenInitialAttenuation, -1440, kController | 22)}}});
    return bank.bytes();
}

} // namespace instrumenttest
