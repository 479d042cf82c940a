#include "hardening/PianoLikeBank.h"

#include <cmath>
#include <vector>

#include "piano/BankLayout.h"

using namespace engine;
using namespace enginetest;

namespace hardening
{

TestBank MakePianoLikeBank(uint32_t paddingBytes)
{
    TestBank bank;
    AddSample(bank, "tone", Wave(4000, 100.0, 12000.0, 0.3), 1000, 3900, 44100, 60, 0);
    std::vector<int16_t> knock(2000);
    for (size_t i = 0; i < knock.size(); ++i)
        knock[i] =
            static_cast<int16_t>(14000.0 * std::exp(-static_cast<double>(i) / 250.0) * std::sin(i * 0.37));
    AddSample(bank, "knock", knock, 100, 1900, 44100, 60, 0);
    if (paddingBytes > 0)
        AddSample(bank, "padding", std::vector<int16_t>(paddingBytes / 2, 0), 8, paddingBytes / 2 - 8, 44100,
                  60, 0);

    SoundFontInstrument piano;
    piano.name = "Piano";
    // A release of about 0.3 s (-2000 timecents): a released note ends well within a second.
    for (int pan : {-300, 300})
        piano.zones.push_back(
            SoundFontZone{{Range(kGenKeyRange, 0, piano::kFirstNoiseKey - 1), Gen(kGenPan, pan),
                           Gen(kGenReleaseVolEnv, -2000), Gen(kGenSampleModes, 1), Gen(kGenSampleId, 0)},
                          {}});
    piano.zones.push_back(SoundFontZone{{Range(kGenKeyRange, piano::kFirstNoiseKey, piano::kLastNoiseKey),
                                         Gen(kGenSampleModes, 0), Gen(kGenSampleId, 1)},
                                        {}});
    bank.data.instruments.push_back(piano);

    SoundFontPreset preset;
    preset.name = "Grand";
    preset.zones.push_back(SoundFontZone{{Gen(kGenInstrument, 0)}, {}});
    bank.data.presets.push_back(preset);
    return bank;
}

} // namespace hardening
