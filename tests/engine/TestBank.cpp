#include "engine/TestBank.h"

#include <atomic>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <random>
#include <stdexcept>

using namespace engine;

namespace enginetest
{

SoundFontGeneratorRecord Gen(uint16_t oper, int amount)
{
    return {oper, static_cast<uint16_t>(static_cast<int16_t>(amount))};
}

SoundFontGeneratorRecord Range(uint16_t oper, uint8_t low, uint8_t high)
{
    return {oper, static_cast<uint16_t>(low | (high << 8))};
}

SoundFontModulatorRecord Mod(uint16_t source, uint16_t destination, int16_t amount, uint16_t amountSource,
                             uint16_t transform)
{
    return {source, destination, amount, amountSource, transform};
}

std::vector<int16_t> Wave(size_t length, double period, double amplitude, double harmonic)
{
    std::vector<int16_t> points(length);
    const double pi = std::acos(-1.0);
    for (size_t i = 0; i < length; ++i)
    {
        const double phase = 2.0 * pi * static_cast<double>(i) / period;
        points[i] = static_cast<int16_t>(amplitude * (std::sin(phase) + harmonic * std::sin(3 * phase)));
    }
    return points;
}

size_t AddSample(TestBank& bank, const std::string& name, const std::vector<int16_t>& points,
                 uint32_t loopStart, uint32_t loopEnd, uint32_t rate, uint8_t root, int8_t correction)
{
    SoundFontSampleHeader header;
    header.name = name;
    header.start = static_cast<uint32_t>(bank.points.size());
    header.end = header.start + static_cast<uint32_t>(points.size());
    header.loopStart = header.start + loopStart;
    header.loopEnd = header.start + loopEnd;
    header.sampleRate = rate;
    header.originalPitch = root;
    header.pitchCorrection = correction;
    bank.points.insert(bank.points.end(), points.begin(), points.end());
    bank.points.insert(bank.points.end(), 46, 0);
    bank.data.samples.push_back(header);
    return bank.data.samples.size() - 1;
}

void AddPlayedInstrument(TestBank& bank, const std::string& name, std::vector<SoundFontZone> zones)
{
    bank.data.instruments.push_back(SoundFontInstrument{name, std::move(zones)});
    SoundFontPreset preset;
    preset.name = name;
    preset.zones.push_back(SoundFontZone{{Gen(41, static_cast<int>(bank.data.instruments.size() - 1))}, {}});
    bank.data.presets.push_back(preset);
}

TestBank MakeRichBank()
{
    // Generator numbers of the SoundFont 2 format.
    constexpr uint16_t kStartOffset = 0, kLoopStartOffset = 2, kVibLfoToPitch = 6, kFilterFc = 8,
                       kFilterQ = 9, kChorusSend = 15, kReverbSend = 16, kPan = 17, kVibLfoFreq = 24,
                       kAttack = 34, kHoldVolEnv = 35, kDecay = 36, kSustain = 37, kRelease = 38,
                       kAttenuation = 48, kCoarseTune = 51, kFineTune = 52, kScaleTuning = 56,
                       kSampleModes = 54, kExclusive = 57, kRootKey = 58;
    // Modulator sources: CC flag 0x80, negative 0x100, bipolar 0x200, curve << 10.
    const uint16_t cc1 = 0x80 | 1, cc74 = 0x80 | 74, velocity = 2, key = 3;
    const uint16_t pitchWheel = 14 | 0x200, convexVelocityNegative = 2 | 0x100 | (2 << 10);

    TestBank bank;
    bank.data.info = {{"INAM", "Test bank"}, {"isng", "EMU8000"}};
    AddSample(bank, "sine", Wave(2000, 100.0, 12000.0, 0.2), 500, 1500, 44100, 60, 5);
    AddSample(bank, "bright", Wave(1500, 50.0, 9000.0, 0.6), 200, 1200, 22050, 72, -10);
    AddSample(bank, "knock", Wave(800, 23.0, 15000.0, 0.9), 100, 700, 32000, 64, 0);

    SoundFontInstrument keys;
    keys.name = "Keys";
    keys.zones.push_back(
        SoundFontZone{{Range(43, 0, 127), Gen(kAttenuation, 30), Gen(kRelease, -2000), Gen(kFilterFc, 9000),
                       Gen(kVibLfoToPitch, 15), Gen(kVibLfoFreq, -500)},
                      {Mod(cc1, kFilterFc, -2400), Mod(key, kPan, 200)}});
    keys.zones.push_back(SoundFontZone{{Range(43, 0, 59), Gen(kSampleModes, 1), Gen(kDecay, -1000),
                                        Gen(kSustain, 300), Gen(kStartOffset, 12), Gen(53, 0)},
                                       {}});
    keys.zones.push_back(
        SoundFontZone{{Range(43, 60, 127), Range(44, 0, 100), Gen(kRootKey, 62), Gen(kFineTune, 20),
                       Gen(kSampleModes, 3), Gen(kFilterQ, 60), Gen(kLoopStartOffset, 16), Gen(53, 1)},
                      {Mod(cc1, kFilterFc, -600)}});
    keys.zones.push_back(
        SoundFontZone{{Range(43, 60, 127), Range(44, 101, 127), Gen(kSampleModes, 1), Gen(kScaleTuning, 50),
                       Gen(kCoarseTune, -12), Gen(53, 1)},
                      {Mod(convexVelocityNegative, kAttenuation, 300), Mod(cc74, kFilterQ, 100)}});
    keys.zones.push_back(SoundFontZone{
        {Range(43, 70, 80), Range(44, 101, 127), Gen(kSampleModes, 1), Gen(kPan, 400), Gen(53, 2)}, {}});
    bank.data.instruments.push_back(keys);

    SoundFontInstrument percussion;
    percussion.name = "Perc";
    percussion.zones.push_back(SoundFontZone{{Range(43, 40, 41), Gen(kHoldVolEnv, -3000)}, {}});
    percussion.zones.push_back(
        SoundFontZone{{Range(43, 36, 40), Gen(kExclusive, 1), Gen(kSampleModes, 1), Gen(53, 2)}, {}});
    percussion.zones.push_back(SoundFontZone{{Range(43, 41, 45), Gen(kExclusive, 1), Gen(kPan, -300),
                                              Gen(kSampleModes, 1), Gen(kRootKey, 50), Gen(53, 2)},
                                             {}});
    percussion.zones.push_back(
        SoundFontZone{{Range(43, 36, 50), Gen(kChorusSend, 300), Gen(kSampleModes, 1), Gen(53, 0)}, {}});
    // No key range of its own: the global zone's range does not apply to it.
    percussion.zones.push_back(SoundFontZone{{Range(44, 50, 70), Gen(53, 1)}, {}});
    bank.data.instruments.push_back(percussion);

    SoundFontPreset second;
    second.name = "Second bank";
    second.bank = 1;
    second.preset = 0;
    second.zones.push_back(SoundFontZone{{Gen(41, 0)}, {}});
    bank.data.presets.push_back(second);

    SoundFontPreset piano;
    piano.name = "Piano";
    piano.zones.push_back(SoundFontZone{{Gen(kReverbSend, 100), Gen(kAttenuation, 10), Gen(kCoarseTune, 1)},
                                        {Mod(velocity, kAttenuation, 100), Mod(pitchWheel, kFineTune, 50)}});
    piano.zones.push_back(
        SoundFontZone{{Range(43, 0, 80), Gen(kFineTune, 7), Gen(kAttenuation, 20), Gen(41, 0)},
                      {Mod(cc74, kFilterFc, 1200), Mod(velocity, kAttenuation, 40)}});
    piano.zones.push_back(SoundFontZone{
        {Range(43, 70, 127), Range(44, 20, 127), Gen(kAttack, -3000), Gen(kPan, 150), Gen(41, 0)}, {}});
    bank.data.presets.push_back(piano);

    SoundFontPreset drums;
    drums.name = "Drums";
    drums.preset = 1;
    drums.zones.push_back(SoundFontZone{{Gen(41, 1)}, {}});
    // A zone without an instrument that is not the first one is not a global zone: dropped.
    drums.zones.push_back(SoundFontZone{{Gen(kCoarseTune, 5), Gen(kPan, 500)}, {}});
    bank.data.presets.push_back(drums);
    return bank;
}

TestBank MakeSimpleBank(uint32_t sampleBytes)
{
    TestBank bank;
    const uint32_t points = sampleBytes / 2 - 46;
    AddSample(bank, "long", Wave(points, 100.0, 10000.0, 0.0), 100, points - 100, 44100, 60, 0);
    AddPlayedInstrument(bank, "Long", {SoundFontZone{{Gen(54, 1), Gen(53, 0)}, {}}});
    return bank;
}

TempFile::TempFile(const std::string& stem)
{
    static std::atomic<int> counter{0};
    filePath =
        (std::filesystem::temp_directory_path() / ("virellando-" + stem + "-" + std::to_string(counter++) +
                                                   "-" + std::to_string(std::random_device{}()) + ".sf2"))
            .string();
}

TempFile::TempFile(const std::string& stem, const std::vector<uint8_t>& bytes) : TempFile(stem)
{
    write(bytes);
}

TempFile::~TempFile()
{
    std::remove(filePath.c_str());
}

void TempFile::write(const std::vector<uint8_t>& bytes) const
{
    if (!sfwriter::SoundFontWriter::writeFile(filePath, bytes))
    {
        throw std::runtime_error("cannot write " + filePath);
    }
}

} // namespace enginetest
