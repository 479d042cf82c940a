#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "engine/ByteSource.h"
#include "engine/SoundFontData.h"

namespace mkbank
{

// A sound bank under construction: the parsed structure and its sample block.
struct BankImage
{
    engine::SoundFontData data;
    std::vector<int16_t> points;
};

// Copies one preset of a parsed SoundFont 2 bank, with exactly the instruments and samples it
// uses, into a bank of its own as bank 0, program 0. Every sample's points are copied into a new
// sample block, each followed by the format's zero guard points, and the headers re-based onto
// it. The preset's global zone is folded into its other zones so that zones added later do not
// inherit it, and no copied zone covers the noise keys above piano::kHighestPianoZoneKey.
class PresetCopier
{
public:
    // bytes is the source file the structure was read from; the sample points come from it.
    PresetCopier(const engine::SoundFontData& sourceData, engine::ByteSource& sourceBytes);

    // False with error() set when the preset is missing, uses ROM samples or the sample points
    // cannot be read.
    bool copy(uint16_t bank, uint16_t program, BankImage& out);
    const std::string& error() const { return errorText; }

private:
    bool copyPresetZones(const engine::SoundFontPreset& preset, BankImage& out);
    bool copyInstrument(uint16_t index, BankImage& out, uint16_t& copied);
    bool copySample(uint16_t index, BankImage& out, uint16_t& copied);
    bool readPoints(const engine::SoundFontSampleHeader& sample, std::vector<int16_t>& points);
    void relinkStereoPairs(BankImage& out) const;
    bool fail(const std::string& reason);

    const engine::SoundFontData& source;
    engine::ByteSource& bytes;
    std::map<uint16_t, uint16_t> copiedInstruments; // source index -> copied index
    std::map<uint16_t, uint16_t> copiedSamples;
    std::string errorText;
};

} // namespace mkbank
