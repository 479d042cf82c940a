#include "tools/mkbank/SourceBank.h"

using namespace engine;

namespace mkbank_test
{

using engine::SoundFontInstrument;
using engine::SoundFontPreset;
using engine::SoundFontZone;
using enginetest::AddSample;
using enginetest::Gen;
using enginetest::Mod;
using enginetest::Range;
using enginetest::TestBank;
using enginetest::Wave;

namespace
{
// Generators the engine has no name for.
constexpr uint16_t kReverbSend = 16, kSustain = 37;
} // namespace

TestBank MakePianoSource()
{
    TestBank bank;
    bank.data.info = {{"INAM", "Source piano"}, {"ICOP", "Free to use"}};
    AddSample(bank, "Decoy", Wave(300, 30.0, 5000.0, 0.0), 10, 290, 22050, 60, 0);
    AddSample(bank, "Other", Wave(400, 40.0, 6000.0, 0.1), 20, 380, 22050, 60, 0);
    AddSample(bank, "Piano L", Wave(1000, 50.0, 9000.0, 0.3), 400, 950, 22050, 48, 3);
    AddSample(bank, "Piano R", Wave(1000, 51.0, 8000.0, 0.3), 410, 960, 22050, 48, -3);
    AddSample(bank, "Piano High", Wave(700, 25.0, 7000.0, 0.2), 100, 690, 32000, 72, 0);
    AddSample(bank, "Noise Range", Wave(200, 10.0, 3000.0, 0.0), 0, 190, 22050, 124, 0);
    AddSample(bank, "Lone Left", Wave(500, 33.0, 4000.0, 0.1), 50, 450, 22050, 60, 0);
    auto& samples = bank.data.samples;
    samples[kPianoLeft].sampleType = engine::kSampleLeft;
    samples[kPianoLeft].sampleLink = kPianoRight;
    samples[kPianoRight].sampleType = engine::kSampleRight;
    samples[kPianoRight].sampleLink = kPianoLeft;
    samples[kLoneLeft].sampleType = engine::kSampleLeft;
    samples[kLoneLeft].sampleLink = kDecoySample;

    SoundFontInstrument other;
    other.name = "Other Instrument";
    other.zones.push_back(SoundFontZone{{Gen(kGenSampleId, kOtherSample)}, {}});
    bank.data.instruments.push_back(other);

    SoundFontInstrument low;
    low.name = "Piano Low";
    low.zones.push_back(SoundFontZone{{Gen(kGenSampleModes, 1), Gen(kGenReleaseVolEnv, -1000)}, {}});
    low.zones.push_back(
        SoundFontZone{{Range(kGenKeyRange, 0, 59), Gen(kGenPan, -500), Gen(kGenSampleId, kPianoLeft)}, {}});
    low.zones.push_back(
        SoundFontZone{{Range(kGenKeyRange, 0, 59), Gen(kGenPan, 500), Gen(kGenSampleId, kPianoRight)}, {}});
    low.zones.push_back(SoundFontZone{{Range(kGenKeyRange, 0, 59), Gen(kGenSampleId, kLoneLeft)}, {}});
    bank.data.instruments.push_back(low);

    SoundFontInstrument high;
    high.name = "Piano High";
    high.zones.push_back(SoundFontZone{{Range(kGenKeyRange, 60, 127), Range(kGenVelRange, 1, 127),
                                        Gen(kGenSampleModes, 1), Gen(kGenSampleId, kPianoHigh)},
                                       {}});
    high.zones.push_back(
        SoundFontZone{{Range(kGenKeyRange, 121, 127), Gen(kGenSampleId, kNoiseRangeSample)}, {}});
    bank.data.instruments.push_back(high);

    SoundFontPreset otherPreset;
    otherPreset.name = "Other";
    otherPreset.preset = 1;
    otherPreset.zones.push_back(SoundFontZone{{Gen(kGenInstrument, kOtherInstrument)}, {}});
    bank.data.presets.push_back(otherPreset);

    SoundFontPreset grand;
    grand.name = "Grand";
    grand.zones.push_back(SoundFontZone{{Gen(kGenInitialAttenuation, 20), Gen(kReverbSend, 30)},
                                        {Mod(2, kGenInitialAttenuation, 100)}});
    grand.zones.push_back(SoundFontZone{
        {Range(kGenKeyRange, 0, 59), Gen(kGenInitialAttenuation, 5), Gen(kGenInstrument, kLowInstrument)},
        {Mod(2, kGenInitialAttenuation, 50)}});
    grand.zones.push_back(SoundFontZone{{Gen(kGenInstrument, kHighInstrument)}, {}});
    bank.data.presets.push_back(grand);

    SoundFontPreset second;
    second.name = "Grand B";
    second.bank = 1;
    second.zones.push_back(SoundFontZone{{Gen(kGenInstrument, kHighInstrument)}, {}});
    bank.data.presets.push_back(second);
    return bank;
}

TestBank MakeRenderSource()
{
    TestBank bank;
    bank.data.info = {{"INAM", "Render source"}};
    // 100 periods of a 441 Hz tone at 44100 Hz, looped whole: a steady, near full-scale tone.
    AddSample(bank, "Tone", Wave(10000, 100.0, 24000.0, 0.3), 0, 10000, 44100, 69, 0);
    SoundFontInstrument tone;
    tone.name = "Tone";
    tone.zones.push_back(SoundFontZone{
        {Gen(kGenSampleModes, 1), Gen(kGenDecayVolEnv, 1200), Gen(kSustain, 1000), Gen(kGenSampleId, 0)},
        {}});
    bank.data.instruments.push_back(tone);
    SoundFontPreset piano;
    piano.name = "Tone Piano";
    piano.zones.push_back(SoundFontZone{{Gen(kGenInstrument, 0)}, {}});
    bank.data.presets.push_back(piano);
    return bank;
}

} // namespace mkbank_test
