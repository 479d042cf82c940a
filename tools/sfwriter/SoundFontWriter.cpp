#include "sfwriter/SoundFontWriter.h"

#include <cstdio>
#include <cstring>

using namespace engine;

namespace sfwriter
{
namespace
{

using engine::SoundFontData;
using engine::SoundFontZone;

class ByteWriter
{
public:
    std::vector<uint8_t> bytes;

    void u8(uint8_t v) { bytes.push_back(v); }
    void u16(uint16_t v)
    {
        u8(static_cast<uint8_t>(v));
        u8(static_cast<uint8_t>(v >> 8));
    }
    void u32(uint32_t v)
    {
        u16(static_cast<uint16_t>(v));
        u16(static_cast<uint16_t>(v >> 16));
    }
    void id(const char* fourLetters) { bytes.insert(bytes.end(), fourLetters, fourLetters + 4); }
    void name(const std::string& text)
    {
        char field[20] = {};
        std::memcpy(field, text.data(), text.size() < sizeof field ? text.size() : sizeof field);
        bytes.insert(bytes.end(), field, field + sizeof field);
    }
    // Starts a chunk and returns where its size goes; end() fills it in.
    size_t begin(const char* chunkId)
    {
        id(chunkId);
        u32(0);
        return bytes.size();
    }
    void end(size_t sizeAt)
    {
        const uint32_t size = static_cast<uint32_t>(bytes.size() - sizeAt);
        for (int i = 0; i < 4; ++i)
            bytes[sizeAt - 4 + i] = static_cast<uint8_t>(size >> (8 * i));
        if (size & 1u)
            u8(0);
    }
    void append(const ByteWriter& other)
    {
        bytes.insert(bytes.end(), other.bytes.begin(), other.bytes.end());
    }
};

// The bag, modulator and generator chunks of one level (preset or instrument).
struct ZoneChunks
{
    ByteWriter bags, modulators, generators;
    uint16_t bagCount = 0, modulatorCount = 0, generatorCount = 0;
    // Record indices are 16-bit in the file; more records cannot be written.
    bool overflow = false;

    void add(const SoundFontZone& zone)
    {
        if (bagCount == 0xFFFF || zone.modulators.size() > 0xFFFFu - modulatorCount ||
            zone.generators.size() > 0xFFFFu - generatorCount)
        {
            overflow = true;
            return;
        }
        bags.u16(generatorCount);
        bags.u16(modulatorCount);
        ++bagCount;
        for (const auto& m : zone.modulators)
        {
            modulators.u16(m.source);
            modulators.u16(m.destination);
            modulators.u16(static_cast<uint16_t>(m.amount));
            modulators.u16(m.amountSource);
            modulators.u16(m.transform);
            ++modulatorCount;
        }
        for (const auto& g : zone.generators)
        {
            generators.u16(g.oper);
            generators.u16(g.amount);
            ++generatorCount;
        }
    }
    void terminate()
    {
        bags.u16(generatorCount);
        bags.u16(modulatorCount);
        for (int i = 0; i < 10; ++i)
            modulators.u8(0);
        generators.u32(0);
    }
};

void WriteChunk(ByteWriter& out, const char* id, const ByteWriter& body)
{
    const size_t at = out.begin(id);
    out.append(body);
    out.end(at);
}

void WriteInfo(ByteWriter& out, const SoundFontData& data)
{
    const size_t list = out.begin("LIST");
    out.id("INFO");
    const size_t version = out.begin("ifil");
    out.u16(data.versionMajor);
    out.u16(data.versionMinor);
    out.end(version);
    for (const auto& item : data.info)
    {
        char id[4] = {' ', ' ', ' ', ' '};
        std::memcpy(id, item.id.data(), item.id.size() < 4 ? item.id.size() : 4);
        const size_t at = out.begin(id);
        out.bytes.insert(out.bytes.end(), item.text.begin(), item.text.end());
        out.u8(0);
        // Text items have even sizes: players refuse an odd one, so a second terminator pads it.
        if ((out.bytes.size() - at) & 1u)
            out.u8(0);
        out.end(at);
    }
    out.end(list);
}

// False when the banks' records do not fit the file's 16-bit indices.
bool WriteHydra(ByteWriter& out, const SoundFontData& data)
{
    if (data.presets.size() >= 0xFFFF || data.instruments.size() >= 0xFFFF || data.samples.size() >= 0xFFFF)
        return false;
    ByteWriter presetHeaders, instrumentHeaders, sampleHeaders;
    ZoneChunks presetZones, instrumentZones;
    for (const auto& preset : data.presets)
    {
        presetHeaders.name(preset.name);
        presetHeaders.u16(preset.preset);
        presetHeaders.u16(preset.bank);
        presetHeaders.u16(presetZones.bagCount);
        presetHeaders.u32(preset.library);
        presetHeaders.u32(preset.genre);
        presetHeaders.u32(preset.morphology);
        for (const auto& zone : preset.zones)
            presetZones.add(zone);
    }
    presetHeaders.name("EOP");
    presetHeaders.u16(0);
    presetHeaders.u16(0);
    presetHeaders.u16(presetZones.bagCount);
    for (int i = 0; i < 3; ++i)
        presetHeaders.u32(0);
    presetZones.terminate();

    for (const auto& instrument : data.instruments)
    {
        instrumentHeaders.name(instrument.name);
        instrumentHeaders.u16(instrumentZones.bagCount);
        for (const auto& zone : instrument.zones)
            instrumentZones.add(zone);
    }
    instrumentHeaders.name("EOI");
    instrumentHeaders.u16(instrumentZones.bagCount);
    instrumentZones.terminate();

    for (const auto& sample : data.samples)
    {
        sampleHeaders.name(sample.name);
        sampleHeaders.u32(sample.start);
        sampleHeaders.u32(sample.end);
        sampleHeaders.u32(sample.loopStart);
        sampleHeaders.u32(sample.loopEnd);
        sampleHeaders.u32(sample.sampleRate);
        sampleHeaders.u8(sample.originalPitch);
        sampleHeaders.u8(static_cast<uint8_t>(sample.pitchCorrection));
        sampleHeaders.u16(sample.sampleLink);
        sampleHeaders.u16(sample.sampleType);
    }
    sampleHeaders.name("EOS");
    for (int i = 0; i < 26; ++i)
        sampleHeaders.u8(0);

    const size_t list = out.begin("LIST");
    out.id("pdta");
    WriteChunk(out, "phdr", presetHeaders);
    WriteChunk(out, "pbag", presetZones.bags);
    WriteChunk(out, "pmod", presetZones.modulators);
    WriteChunk(out, "pgen", presetZones.generators);
    WriteChunk(out, "inst", instrumentHeaders);
    WriteChunk(out, "ibag", instrumentZones.bags);
    WriteChunk(out, "imod", instrumentZones.modulators);
    WriteChunk(out, "igen", instrumentZones.generators);
    WriteChunk(out, "shdr", sampleHeaders);
    out.end(list);
    return !presetZones.overflow && !instrumentZones.overflow;
}

} // namespace

std::vector<uint8_t> SoundFontWriter::write(const SoundFontData& data,
                                            const std::vector<int16_t>& samplePoints, FirstTag tag)
{
    ByteWriter out;
    const size_t riff = out.begin(tag == FirstTag::Riff ? "RIFF" : "TAL\x1A");
    out.id("sfbk");
    WriteInfo(out, data);

    const size_t samples = out.begin("LIST");
    out.id("sdta");
    const size_t smpl = out.begin("smpl");
    for (int16_t point : samplePoints)
        out.u16(static_cast<uint16_t>(point));
    out.end(smpl);
    out.end(samples);

    if (!WriteHydra(out, data))
        return {};
    out.end(riff);
    return out.bytes;
}

bool SoundFontWriter::writeFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

} // namespace sfwriter
