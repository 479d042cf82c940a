#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/SoundFontData.h"
#include "sfwriter/SoundFontWriter.h"

namespace enginetest
{

// A small bank in the parsed form, with its sample points.
struct TestBank
{
    engine::SoundFontData data;
    std::vector<int16_t> points;

    std::vector<uint8_t> bytes(sfwriter::FirstTag tag = sfwriter::FirstTag::Riff) const
    {
        return sfwriter::SoundFontWriter::write(data, points, tag);
    }
};

engine::SoundFontGeneratorRecord Gen(uint16_t oper, int amount);
engine::SoundFontGeneratorRecord Range(uint16_t oper, uint8_t low, uint8_t high);
engine::SoundFontModulatorRecord Mod(uint16_t source, uint16_t destination, int16_t amount,
                                     uint16_t amountSource = 0, uint16_t transform = 0);

// Appends a sample of the given points (plus the 46 guard points) and returns its header index.
size_t AddSample(TestBank& bank, const std::string& name, const std::vector<int16_t>& points,
                 uint32_t loopStart, uint32_t loopEnd, uint32_t rate, uint8_t root, int8_t correction);
std::vector<int16_t> Wave(size_t length, double period, double amplitude, double harmonic);

// Adds an instrument of the given zones and a preset in bank 0 that plays it.
void AddPlayedInstrument(TestBank& bank, const std::string& name, std::vector<engine::SoundFontZone> zones);

// Three presets over two instruments and three looped samples, using global zones, key and
// velocity ranges, modulators at both levels (one overriding a global one), exclusive classes,
// root key and tuning overrides and relative preset generators. The first preset in the file is
// in bank 1, so the presets' order differs from the file's.
TestBank MakeRichBank();
// One preset, one instrument, one sample of sampleBytes bytes.
TestBank MakeSimpleBank(uint32_t sampleBytes);

// A file in the temporary directory, removed with the object.
class TempFile
{
public:
    explicit TempFile(const std::string& stem);
    TempFile(const std::string& stem, const std::vector<uint8_t>& bytes);
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const std::string& path() const { return filePath; }
    void write(const std::vector<uint8_t>& bytes) const;

private:
    std::string filePath;
};

} // namespace enginetest
