#include "hardening/PianoLikeBank.h"

#include <cmath>
#include <vector>

#include "piano/BankLayout.h"

namespace hardening
{
namespace
{
// Generator numbers of the SoundFont 2 format.
enum : uint16_t
{
    kPan = 17,
    kRelease = 38,
    kInstrument = 41,
    kKeyRange = 43,
    kSampleId = 53,
    kSampleModes = 54,
};
constexpr uint8_t kLastPlayingKey = 120;

std::vector<int16_t> Knock(size_t length)
{
    std::vector<int16_t> points(length);
    for (size_t i = 0; i < length; ++i)
    {
        const double t = static_cast<double>(i);
        points[i] = static_cast<int16_t>(14000.0 * std::exp(-t / 250.0) * std::sin(t * 0.37));
    }
    return points;
}
} // namespace

enginetest::TestBank MakePianoLikeBank(uint32_t paddingBytes)
{
    using enginetest::Gen;
    using enginetest::Range;
    enginetest::TestBank bank;
    enginetest::AddSample(bank, "tone", enginetest::Wave(4000, 100.0, 12000.0, 0.3), 1000, 3900, 44100, 60,
                          0);
    enginetest::AddSample(bank, "knock", Knock(2000), 100, 1900, 44100, 60, 0);
    if (paddingBytes > 0)
    {
        const uint32_t points = paddingBytes / 2;
        enginetest::AddSample(bank, "padding", std::vector<int16_t>(points, 0), 8, points - 8, 44100, 60, 0);
    }

    engine::SoundFontInstrument piano;
    piano.name = "Piano";
    // A release of about 0.3 s (-2000 timecents): a released note ends well within a second.
    for (int pan : {-300, 300})
        piano.zones.push_back(
            engine::SoundFontZone{{Range(kKeyRange, 0, kLastPlayingKey), Gen(kPan, pan), Gen(kRelease, -2000),
                                   Gen(kSampleModes, 1), Gen(kSampleId, 0)},
                                  {}});
    piano.zones.push_back(
        engine::SoundFontZone{{Range(kKeyRange, piano::kFirstNoiseKey, piano::kLastNoiseKey),
                               Gen(kSampleModes, 0), Gen(kSampleId, 1)},
                              {}});
    bank.data.instruments.push_back(piano);

    engine::SoundFontPreset preset;
    preset.name = "Grand";
    preset.zones.push_back(engine::SoundFontZone{{Gen(kInstrument, 0)}, {}});
    bank.data.presets.push_back(preset);
    return bank;
}

} // namespace hardening
