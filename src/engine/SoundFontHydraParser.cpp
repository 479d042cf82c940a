#include "engine/SoundFontHydraParser.h"

#include <cstring>

namespace engine
{
namespace
{

constexpr size_t kPresetHeaderSize = 38;
constexpr size_t kBagSize = 4;
constexpr size_t kModulatorSize = 10;
constexpr size_t kGeneratorSize = 4;
constexpr size_t kInstrumentHeaderSize = 22;
constexpr size_t kSampleHeaderSize = 46;
constexpr size_t kNameSize = 20;

uint16_t ReadU16(const uint8_t* p)
{
    return ByteReader::decodeU16(p, ByteOrder::LittleEndian);
}

uint32_t ReadU32(const uint8_t* p)
{
    return ByteReader::decodeU32(p, ByteOrder::LittleEndian);
}

std::string ReadName(const uint8_t* p)
{
    size_t length = 0;
    while (length < kNameSize && p[length] != 0)
        ++length;
    return std::string(reinterpret_cast<const char*>(p), length);
}

} // namespace

SoundFontHydraParser::SoundFontHydraParser(const uint8_t* body, size_t size, uint32_t samplePoints)
    : in(body, size, ByteOrder::LittleEndian), sampleCount(samplePoints)
{
}

bool SoundFontHydraParser::fail(const std::string& reason)
{
    lastError = reason;
    return false;
}

bool SoundFontHydraParser::nextChunk(const char* id, size_t recordSize, bool allowEmpty, Chunk& chunk)
{
    if (in.remaining() < 8)
        return fail(std::string("missing \"") + id + "\" chunk");
    if (std::memcmp(in.current(), id, 4) != 0)
        return fail(std::string("expected \"") + id + "\" chunk");
    uint32_t size = 0;
    in.skip(4, id);
    in.readU32(size, id);
    if (size > in.remaining())
        return fail(std::string("\"") + id + "\" exceeds the pdta list");
    if (size % recordSize != 0)
    {
        return fail(std::string("\"") + id + "\" size is not a multiple of its record size");
    }
    if (size == 0 && !allowEmpty)
        return fail(std::string("\"") + id + "\" is empty");
    chunk.data = in.current();
    chunk.count = size / recordSize;
    return in.skip(size, id);
}

bool SoundFontHydraParser::checkBags(const Chunk& bags, const Chunk& modulators, const Chunk& generators,
                                     const char* what)
{
    uint16_t previousGenerator = 0;
    uint16_t previousModulator = 0;
    for (size_t i = 0; i < bags.count; ++i)
    {
        const uint16_t generator = ReadU16(bags.data + i * kBagSize);
        const uint16_t modulator = ReadU16(bags.data + i * kBagSize + 2);
        if (generator < previousGenerator || modulator < previousModulator)
        {
            return fail(std::string(what) + " bag indices are not monotonic");
        }
        if (generator > generators.count || modulator > modulators.count)
        {
            return fail(std::string(what) + " bag index beyond its records");
        }
        previousGenerator = generator;
        previousModulator = modulator;
    }
    return true;
}

bool SoundFontHydraParser::zoneBags(const uint8_t* header, size_t headerSize, size_t bagField,
                                    const Chunk& bags, const char* what, uint16_t& firstBag, uint16_t& endBag)
{
    // A header's zones run from its own bag index to the next header's (every header list ends
    // with a terminal record), and the bag after the last zone must exist.
    firstBag = ReadU16(header + bagField);
    endBag = ReadU16(header + headerSize + bagField);
    if (endBag < firstBag)
        return fail(std::string(what) + " bag indices are not monotonic");
    if (endBag >= bags.count)
        return fail(std::string(what) + " bag index beyond the bags");
    return true;
}

void SoundFontHydraParser::readZones(const Chunk& bags, const Chunk& modulators, const Chunk& generators,
                                     uint16_t firstBag, uint16_t endBag, std::vector<SoundFontZone>& zones)
{
    // Callers guarantee firstBag <= endBag < bags.count, so bag b + 1 always exists.
    zones.resize(endBag - firstBag);
    for (uint16_t b = firstBag; b < endBag; ++b)
    {
        const uint8_t* bag = bags.data + b * kBagSize;
        const uint16_t genBegin = ReadU16(bag);
        const uint16_t genEnd = ReadU16(bag + kBagSize);
        const uint16_t modBegin = ReadU16(bag + 2);
        const uint16_t modEnd = ReadU16(bag + kBagSize + 2);
        SoundFontZone& zone = zones[b - firstBag];
        zone.generators.reserve(genEnd - genBegin);
        for (uint16_t g = genBegin; g < genEnd; ++g)
        {
            const uint8_t* record = generators.data + g * kGeneratorSize;
            zone.generators.push_back({ReadU16(record), ReadU16(record + 2)});
        }
        zone.modulators.reserve(modEnd - modBegin);
        for (uint16_t m = modBegin; m < modEnd; ++m)
        {
            const uint8_t* record = modulators.data + m * kModulatorSize;
            SoundFontModulatorRecord mod;
            mod.source = ReadU16(record);
            mod.destination = ReadU16(record + 2);
            mod.amount = static_cast<int16_t>(ReadU16(record + 4));
            mod.amountSource = ReadU16(record + 6);
            mod.transform = ReadU16(record + 8);
            zone.modulators.push_back(mod);
        }
    }
}

bool SoundFontHydraParser::readSamples(const Chunk& headers, SoundFontData& data)
{
    data.samples.resize(headers.count - 1);
    for (size_t i = 0; i + 1 < headers.count; ++i)
    {
        const uint8_t* record = headers.data + i * kSampleHeaderSize;
        SoundFontSampleHeader& sample = data.samples[i];
        sample.name = ReadName(record);
        sample.start = ReadU32(record + 20);
        sample.end = ReadU32(record + 24);
        sample.loopStart = ReadU32(record + 28);
        sample.loopEnd = ReadU32(record + 32);
        sample.sampleRate = ReadU32(record + 36);
        sample.originalPitch = record[40];
        sample.pitchCorrection = static_cast<int8_t>(record[41]);
        sample.sampleLink = ReadU16(record + 42);
        sample.sampleType = ReadU16(record + 44);
        // ROM samples are never played, so their positions refer to nothing here.
        if ((sample.sampleType & kSampleRom) == 0 && (sample.end > sampleCount || sample.start > sample.end))
        {
            return fail("sample \"" + sample.name + "\" lies outside the sample data");
        }
    }
    return true;
}

bool SoundFontHydraParser::checkReferences(const SoundFontData& data)
{
    for (const SoundFontPreset& preset : data.presets)
    {
        for (const SoundFontZone& zone : preset.zones)
        {
            for (const SoundFontGeneratorRecord& gen : zone.generators)
            {
                if (gen.oper == kGenInstrument && gen.amount >= data.instruments.size())
                {
                    return fail("preset \"" + preset.name + "\" refers to a missing instrument");
                }
            }
        }
    }
    for (const SoundFontInstrument& instrument : data.instruments)
    {
        for (const SoundFontZone& zone : instrument.zones)
        {
            for (const SoundFontGeneratorRecord& gen : zone.generators)
            {
                if (gen.oper == kGenSampleId && gen.amount >= data.samples.size())
                {
                    return fail("instrument \"" + instrument.name + "\" refers to a missing sample");
                }
            }
        }
    }
    return true;
}

bool SoundFontHydraParser::parse(SoundFontData& data)
{
    Chunk phdr, pbag, pmod, pgen, inst, ibag, imod, igen, shdr;
    if (!nextChunk("phdr", kPresetHeaderSize, false, phdr) || !nextChunk("pbag", kBagSize, false, pbag) ||
        !nextChunk("pmod", kModulatorSize, true, pmod) || !nextChunk("pgen", kGeneratorSize, true, pgen) ||
        !nextChunk("inst", kInstrumentHeaderSize, false, inst) || !nextChunk("ibag", kBagSize, false, ibag) ||
        !nextChunk("imod", kModulatorSize, true, imod) || !nextChunk("igen", kGeneratorSize, true, igen) ||
        !nextChunk("shdr", kSampleHeaderSize, false, shdr))
    {
        return false;
    }
    if (!checkBags(pbag, pmod, pgen, "preset") || !checkBags(ibag, imod, igen, "instrument"))
    {
        return false;
    }

    data.presets.resize(phdr.count - 1);
    for (size_t i = 0; i + 1 < phdr.count; ++i)
    {
        const uint8_t* record = phdr.data + i * kPresetHeaderSize;
        uint16_t firstBag, endBag;
        if (!zoneBags(record, kPresetHeaderSize, 24, pbag, "preset", firstBag, endBag))
        {
            return false;
        }
        SoundFontPreset& preset = data.presets[i];
        preset.name = ReadName(record);
        preset.preset = ReadU16(record + 20);
        preset.bank = ReadU16(record + 22);
        preset.library = ReadU32(record + 26);
        preset.genre = ReadU32(record + 30);
        preset.morphology = ReadU32(record + 34);
        readZones(pbag, pmod, pgen, firstBag, endBag, preset.zones);
    }

    data.instruments.resize(inst.count - 1);
    for (size_t i = 0; i + 1 < inst.count; ++i)
    {
        const uint8_t* record = inst.data + i * kInstrumentHeaderSize;
        uint16_t firstBag, endBag;
        if (!zoneBags(record, kInstrumentHeaderSize, 20, ibag, "instrument", firstBag, endBag))
        {
            return false;
        }
        SoundFontInstrument& instrument = data.instruments[i];
        instrument.name = ReadName(record);
        readZones(ibag, imod, igen, firstBag, endBag, instrument.zones);
    }

    return readSamples(shdr, data) && checkReferences(data);
}

} // namespace engine
