#include "mkbank/BankBuilder.h"

#include <cstdio>

#include "engine/FileByteSource.h"
#include "engine/MemoryByteSource.h"
#include "engine/SoundFontReader.h"
#include "mkbank/NoiseLayer.h"
#include "mkbank/ResonanceLayer.h"

namespace mkbank
{
namespace
{

constexpr size_t kMaxInfoText = 255; // the format's limit for INFO strings, without the NUL

// INFO texts end in a NUL and SoundFont readers want the chunk size even, so a text of even
// length gets a second NUL (the writer adds the first).
std::string InfoText(const std::string& text)
{
    std::string limited = text.substr(0, kMaxInfoText);
    if (limited.size() % 2 == 0)
        limited.push_back('\0');
    return limited;
}

const std::string* FindInfo(const engine::SoundFontData& data, const char* id)
{
    for (const auto& item : data.info)
    {
        if (item.id == id)
            return &item.text;
    }
    return nullptr;
}

std::string BaseName(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

bool BankBuilder::fail(const std::string& reason)
{
    errorText = reason;
    return false;
}

bool BankBuilder::build(const BuildOptions& options, BuildSummary& summary)
{
    errorText.clear();
    engine::FileByteSource file(options.source);
    if (!file.isOpen())
        return fail("cannot open " + options.source);
    engine::SoundFontData source;
    engine::SoundFontReader reader;
    if (!reader.read(file, source))
    {
        return fail(options.source + " is not a usable SoundFont 2 file: " + reader.error());
    }
    BankImage image;
    std::vector<uint8_t> bytes;
    if (!assemble(source, file, options.bank, options.program, BaseName(options.source), image, summary) ||
        !encode(image, options.firstTag, bytes))
    {
        return false;
    }
    summary.fileBytes = bytes.size();
    return writeWhole(options.output, bytes);
}

bool BankBuilder::assemble(const engine::SoundFontData& source, engine::ByteSource& bytes, uint16_t bank,
                           uint16_t program, const std::string& sourceName, BankImage& image,
                           BuildSummary& summary)
{
    PresetCopier copier(source, bytes);
    if (!copier.copy(bank, program, image))
        return fail(copier.error());
    summary.presetName = image.data.presets.front().name;
    summary.instruments = image.data.instruments.size();
    summary.samples = image.data.samples.size();
    summary.pianoZones = image.data.presets.front().zones.size();
    if (summary.pianoZones == 0)
    {
        return fail("preset " + std::to_string(bank) + ":" + std::to_string(program) +
                    " has no zones below the noise keys");
    }
    ResonanceLayer::addTo(image);
    NoiseLayer::addTo(image);
    describe(source, bank, program, sourceName, image.data);
    summary.samplePoints = image.points.size();
    return true;
}

void BankBuilder::describe(const engine::SoundFontData& source, uint16_t bank, uint16_t program,
                           const std::string& sourceName, engine::SoundFontData& out)
{
    const std::string& presetName = out.presets.front().name;
    const std::string* sourceTitle = FindInfo(source, "INAM");
    std::string comment = "Built by virellando-mkbank from preset " + std::to_string(bank) + ":" +
                          std::to_string(program) + " \"" + presetName + "\" of " +
                          (sourceTitle ? "\"" + *sourceTitle + "\" (" + sourceName + ")" : sourceName) +
                          ", with mechanical noises on keys 121-127 and a sympathetic-resonance "
                          "layer on controllers 21 and 22.";
    out.versionMajor = 2;
    out.versionMinor = 1;
    out.info = {{"isng", InfoText("EMU8000")}, {"INAM", InfoText("Virellando " + presetName)}};
    // The source's credits and licence travel with its samples.
    for (const char* id : {"IENG", "ICOP"})
    {
        if (const std::string* text = FindInfo(source, id))
            out.info.push_back({id, InfoText(*text)});
    }
    out.info.push_back({"ICMT", InfoText(comment)});
    out.info.push_back({"ISFT", InfoText("virellando-mkbank")});
}

bool BankBuilder::encode(const BankImage& image, sfwriter::FirstTag tag, std::vector<uint8_t>& bytes)
{
    bytes = sfwriter::SoundFontWriter::write(image.data, image.points, tag);
    // The format counts zones, generators and modulators in 16 bits; reading the result back
    // catches a bank too large for it before it is written.
    engine::MemoryByteSource memory(bytes.data(), bytes.size());
    engine::SoundFontData check;
    engine::SoundFontReader reader;
    if (!reader.read(memory, check))
    {
        return fail("the built bank does not form a valid SoundFont: " + reader.error());
    }
    return true;
}

bool BankBuilder::writeWhole(const std::string& path, const std::vector<uint8_t>& bytes)
{
    const std::string partial = path + ".part";
    if (!sfwriter::SoundFontWriter::writeFile(partial, bytes))
    {
        std::remove(partial.c_str());
        return fail("cannot write " + partial);
    }
    if (std::rename(partial.c_str(), path.c_str()) != 0)
    {
        std::remove(partial.c_str());
        return fail("cannot replace " + path);
    }
    return true;
}

} // namespace mkbank
