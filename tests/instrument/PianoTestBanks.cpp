#include "instrument/PianoTestBanks.h"

#include "engine/TestBank.h"

using namespace engine;

using engine::SoundFontInstrument;
using engine::SoundFontPreset;
using engine::SoundFontZone;
using enginetest::AddSample;
using enginetest::Gen;
using enginetest::Mod;
using enginetest::Range;
using enginetest::TestBank;

namespace instrumenttest
{
namespace
{
enum : uint16_t
{
    kReleaseVolEnv = 38,
    kInstrument = 41,
    kKeyRange = 43,
    kAttenuation = 48,
    kSampleId = 53,
    kSampleModes = 54,
    kScaleTuning = 56,
};
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

void AddPreset(TestBank& bank, const char* name)
{
    SoundFontPreset preset;
    preset.name = name;
    for (uint16_t i = 0; i < bank.data.instruments.size(); ++i)
        preset.zones.push_back(SoundFontZone{{Gen(kInstrument, i)}, {}});
    bank.data.presets.push_back(preset);
}
} // namespace

std::vector<uint8_t> NoiseBank()
{
    TestBank bank;
    const auto noise = Noise(44100, 8000);
    const size_t sample = AddSample(bank, "noise", noise, 0, 44100, 44100, 60, 0);
    SoundFontInstrument instrument;
    instrument.name = "Noise";
    instrument.zones.push_back(
        SoundFontZone{{Range(kKeyRange, 21, 108), Gen(kReleaseVolEnv, kShortRelease),
                       Gen(kSampleModes, kLooped), Gen(kSampleId, static_cast<int>(sample))},
                      {}});
    bank.data.instruments.push_back(instrument);
    AddPreset(bank, "Noise");
    return bank.bytes();
}

std::vector<uint8_t> ReleaseNoiseBank()
{
    TestBank bank;
    const size_t tone =
        AddSample(bank, "tone", enginetest::Wave(4410, 100.0, 10000.0, 0.3), 0, 4410, 44100, 60, 0);
    const size_t knock = AddSample(bank, "knock", Noise(4410, 12000), 0, 4409, 44100, 60, 0);
    SoundFontInstrument instrument;
    instrument.name = "Keys and noises";
    instrument.zones.push_back(
        SoundFontZone{{Range(kKeyRange, 21, 108), Gen(kReleaseVolEnv, kShortRelease),
                       Gen(kSampleModes, kLooped), Gen(kSampleId, static_cast<int>(tone))},
                      {}});
    // Every noise key plays the burst at its recorded pitch.
    instrument.zones.push_back(SoundFontZone{
        {Range(kKeyRange, 123, 127), Gen(kScaleTuning, 0), Gen(kSampleId, static_cast<int>(knock))}, {}});
    bank.data.instruments.push_back(instrument);
    AddPreset(bank, "Keys and noises");
    return bank.bytes();
}

std::vector<uint8_t> ResonanceBank()
{
    TestBank bank;
    const size_t tone =
        AddSample(bank, "tone", enginetest::Wave(4410, 100.0, 6000.0, 0.3), 0, 4410, 44100, 60, 0);
    const size_t strings =
        AddSample(bank, "strings", enginetest::Wave(4410, 49.0, 6000.0, 0.0), 0, 4410, 44100, 60, 0);
    SoundFontInstrument instrument;
    instrument.name = "Strings";
    instrument.zones.push_back(SoundFontZone{
        {Range(kKeyRange, 21, 108), Gen(kSampleModes, kLooped), Gen(kSampleId, static_cast<int>(tone))}, {}});
    // The engine scales the stored attenuation by 0.4: 1440 holds the layer 57.6 dB down until
    // controllers 21 and 22 at full take the whole of it away.
    instrument.zones.push_back(
        SoundFontZone{{Range(kKeyRange, 21, 108), Gen(kAttenuation, 1440), Gen(kSampleModes, kLooped),
                       Gen(kSampleId, static_cast<int>(strings))},
                      {Mod(kController | 21, kAttenuation, -1440, kController | 22)}});
    bank.data.instruments.push_back(instrument);
    AddPreset(bank, "Strings");
    return bank.bytes();
}

} // namespace instrumenttest
