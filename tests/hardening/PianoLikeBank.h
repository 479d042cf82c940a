// A small sound bank shaped like the shipped one, for tests that play the whole instrument: a looped tone
// in two layers on the playing keys (two voices per note, as a stereo piano has) and short one-shot
// mechanical noises on keys 121-127. The instrument never releases its noise notes, so only one-shot
// noises let a silent end be expected. An optional silent padding sample makes the sample block large,
// so that its background read takes a while.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

#include "engine/TestBank.h"
#include "piano/BankLayout.h"

namespace hardening
{

inline enginetest::TestBank MakePianoLikeBank(uint32_t paddingBytes = 0)
{
    enginetest::TestBank bank;
    enginetest::AddSample(bank, "tone", enginetest::Wave(4000, 100.0, 12000.0, 0.3), 1000, 3900, 44100, 60,
                          0);
    std::vector<int16_t> knock(2000);
    for (size_t i = 0; i < knock.size(); ++i)
        knock[i] =
            static_cast<int16_t>(14000.0 * std::exp(-static_cast<double>(i) / 250.0) * std::sin(i * 0.37));
    enginetest::AddSample(bank, "knock", knock, 100, 1900, 44100, 60, 0);
    if (paddingBytes > 0)
        enginetest::AddSample(bank, "padding", std::vector<int16_t>(paddingBytes / 2, 0), 8,
                              paddingBytes / 2 - 8, 44100, 60, 0);

    engine::SoundFontInstrument piano;
    piano.name = "Piano";
    // A release of about 0.3 s (-2000 timecents): a released note ends well within a second.
    for (int pan : {-300, 300})
        piano.zones.push_back(engine::SoundFontZone{
            {enginetest::Range(engine::kGenKeyRange, 0, piano::kFirstNoiseKey - 1),
             enginetest::Gen(engine::kGenPan, pan), enginetest::Gen(engine::kGenReleaseVolEnv, -2000),
             enginetest::Gen(engine::kGenSampleModes, 1), enginetest::Gen(engine::kGenSampleId, 0)},
            {}});
    piano.zones.push_back(engine::SoundFontZone{
        {enginetest::Range(engine::kGenKeyRange, piano::kFirstNoiseKey, piano::kLastNoiseKey),
         enginetest::Gen(engine::kGenSampleModes, 0), enginetest::Gen(engine::kGenSampleId, 1)},
        {}});
    bank.data.instruments.push_back(piano);

    engine::SoundFontPreset preset;
    preset.name = "Grand";
    preset.zones.push_back(engine::SoundFontZone{{enginetest::Gen(engine::kGenInstrument, 0)}, {}});
    bank.data.presets.push_back(preset);
    return bank;
}

} // namespace hardening
