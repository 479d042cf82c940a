#include "mkbank/PresetCopier.h"

#include <algorithm>
#include <limits>

#include "engine/ByteReader.h"
#include "mkbank/SoundFontNumbers.h"
#include "mkbank/ZoneGenerators.h"

using namespace engine;

namespace mkbank
{

using engine::SoundFontInstrument;
using engine::SoundFontPreset;
using engine::SoundFontSampleHeader;
using engine::SoundFontZone;

PresetCopier::PresetCopier(const engine::SoundFontData& sourceData, engine::ByteSource& sourceBytes)
    : source(sourceData), bytes(sourceBytes)
{
}

bool PresetCopier::fail(const std::string& reason)
{
    errorText = reason;
    return false;
}

bool PresetCopier::copy(uint16_t bank, uint16_t program, BankImage& out)
{
    errorText.clear();
    copiedInstruments.clear();
    copiedSamples.clear();
    out = BankImage();
    const auto preset =
        std::find_if(source.presets.begin(), source.presets.end(),
                     [&](const SoundFontPreset& p) { return p.bank == bank && p.preset == program; });
    if (preset == source.presets.end())
    {
        return fail("the source has no preset " + std::to_string(bank) + ":" + std::to_string(program));
    }
    if (!copyPresetZones(*preset, out))
        return false;
    relinkStereoPairs(out);
    return true;
}

bool PresetCopier::copyPresetZones(const SoundFontPreset& preset, BankImage& out)
{
    SoundFontPreset copied;
    copied.name = preset.name;
    const SoundFontZone* global = nullptr;
    for (size_t z = 0; z < preset.zones.size(); ++z)
    {
        const SoundFontZone& zone = preset.zones[z];
        if (!ZoneGenerators::isLocal(zone, kGenInstrument))
        {
            // Only a first zone without an instrument is global; others mean nothing.
            if (z == 0)
                global = &zone;
            continue;
        }
        SoundFontZone local = zone;
        ZoneGenerators gens(local);
        if (global != nullptr)
            gens.inherit(*global);
        if (!gens.limitKeyRange(piano::kHighestPianoZoneKey))
            continue;
        uint16_t instrument = 0;
        if (!copyInstrument(local.generators.back().amount, out, instrument))
            return false;
        local.generators.back().amount = instrument;
        copied.zones.push_back(std::move(local));
    }
    out.data.presets.push_back(std::move(copied));
    return true;
}

bool PresetCopier::copyInstrument(uint16_t index, BankImage& out, uint16_t& copied)
{
    const auto known = copiedInstruments.find(index);
    if (known != copiedInstruments.end())
    {
        copied = known->second;
        return true;
    }
    const SoundFontInstrument& instrument = source.instruments[index];
    SoundFontInstrument result;
    result.name = instrument.name;
    for (size_t z = 0; z < instrument.zones.size(); ++z)
    {
        SoundFontZone zone = instrument.zones[z];
        if (!ZoneGenerators::isLocal(zone, kGenSampleId))
        {
            if (z == 0)
                result.zones.push_back(std::move(zone));
            continue;
        }
        if (!ZoneGenerators(zone).limitKeyRange(piano::kHighestPianoZoneKey))
            continue;
        uint16_t sample = 0;
        if (!copySample(zone.generators.back().amount, out, sample))
            return false;
        zone.generators.back().amount = sample;
        result.zones.push_back(std::move(zone));
    }
    copied = static_cast<uint16_t>(out.data.instruments.size());
    out.data.instruments.push_back(std::move(result));
    copiedInstruments[index] = copied;
    return true;
}

bool PresetCopier::copySample(uint16_t index, BankImage& out, uint16_t& copied)
{
    const auto known = copiedSamples.find(index);
    if (known != copiedSamples.end())
    {
        copied = known->second;
        return true;
    }
    const SoundFontSampleHeader& sample = source.samples[index];
    if (sample.sampleType & engine::kSampleRom)
    {
        return fail("sample \"" + sample.name + "\" lies in a sound ROM, not in the file");
    }
    // A bank's sizes are 32-bit byte counts; leave room for the structure and the noises.
    constexpr uint64_t kMaxPoints = (std::numeric_limits<uint32_t>::max() - (16u << 20)) / 2;
    const uint64_t length = sample.end - sample.start;
    if (out.points.size() + length + kSampleGuardPoints > kMaxPoints)
    {
        return fail("the preset's samples exceed the 4 GB a sound bank can hold");
    }
    std::vector<int16_t> points;
    if (!readPoints(sample, points))
        return false;

    SoundFontSampleHeader header = sample;
    const uint32_t base = static_cast<uint32_t>(out.points.size());
    // The engine never plays outside a sample's own points, so loops outside them are clamped.
    const auto rebase = [&](uint32_t position)
    { return base + (std::clamp(position, sample.start, sample.end) - sample.start); };
    header.start = base;
    header.end = rebase(sample.end);
    header.loopStart = rebase(sample.loopStart);
    header.loopEnd = rebase(sample.loopEnd);
    out.points.insert(out.points.end(), points.begin(), points.end());
    out.points.insert(out.points.end(), kSampleGuardPoints, 0);

    copied = static_cast<uint16_t>(out.data.samples.size());
    out.data.samples.push_back(std::move(header));
    copiedSamples[index] = copied;
    return true;
}

bool PresetCopier::readPoints(const SoundFontSampleHeader& sample, std::vector<int16_t>& points)
{
    const size_t count = sample.end - sample.start;
    std::vector<uint8_t> raw(count * 2);
    const uint64_t offset = source.sampleDataOffset + uint64_t{sample.start} * 2;
    if (count > 0 && !bytes.read(offset, raw.data(), raw.size()))
    {
        return fail("cannot read the points of sample \"" + sample.name + "\"");
    }
    points.resize(count);
    for (size_t i = 0; i < count; ++i)
    {
        points[i] = static_cast<int16_t>(ByteReader::decodeU16(&raw[2 * i], ByteOrder::LittleEndian));
    }
    return true;
}

void PresetCopier::relinkStereoPairs(BankImage& out) const
{
    constexpr uint16_t kLinkTypes = engine::kSampleLeft | engine::kSampleRight | engine::kSampleLinked;
    for (const auto& [from, to] : copiedSamples)
    {
        SoundFontSampleHeader& header = out.data.samples[to];
        if ((header.sampleType & kLinkTypes) == 0)
            continue;
        const uint16_t partner = source.samples[from].sampleLink;
        const auto copied = copiedSamples.find(partner);
        // A link is kept only to a copied partner that links back; anything else plays alone.
        if (copied != copiedSamples.end() && partner < source.samples.size() &&
            source.samples[partner].sampleLink == from)
        {
            header.sampleLink = copied->second;
        }
        else
        {
            header.sampleType = engine::kSampleMono;
            header.sampleLink = 0;
        }
    }
}

} // namespace mkbank
