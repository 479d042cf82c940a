#include "engine/SoundFontReader.h"

#include <cstring>
#include <vector>

#include "engine/ByteReader.h"
#include "engine/FileByteSource.h"
#include "engine/SoundFontHydraParser.h"

namespace engine
{
namespace
{

constexpr uint32_t kMaxInfoTextSize = 65536;

bool HasFirstTag(const uint8_t* tag)
{
    return std::memcmp(tag, "RIFF", 4) == 0 || std::memcmp(tag, "TAL\x1A", 4) == 0;
}

} // namespace

bool SoundFontReader::fail(const std::string& reason)
{
    lastError = reason;
    return false;
}

bool SoundFontReader::readFile(const std::string& path, SoundFontData& data)
{
    FileByteSource file(path);
    if (!file.isOpen())
        return fail("cannot open " + path);
    return read(file, data);
}

bool SoundFontReader::read(ByteSource& source, SoundFontData& data)
{
    lastError.clear();
    data = SoundFontData();
    const uint64_t fileSize = source.size();
    uint8_t header[12];
    if (!source.read(0, header, sizeof header))
        return fail("file too short for a RIFF header");
    if (!HasFirstTag(header))
        return fail("not a RIFF file");
    if (ByteReader::decodeU32(header + 4, ByteOrder::LittleEndian) != fileSize - 8)
        return fail("RIFF size does not match the file size");
    if (std::memcmp(header + 8, "sfbk", 4) != 0)
        return fail("not a SoundFont file");

    uint64_t position = 12;
    List info, samples, hydra;
    return readList(source, position, fileSize, "INFO", info) && readInfo(source, info, data) &&
           readList(source, position, fileSize, "sdta", samples) && readSampleData(source, samples, data) &&
           readList(source, position, fileSize, "pdta", hydra) && readHydra(source, hydra, data);
}

bool SoundFontReader::readList(ByteSource& source, uint64_t& position, uint64_t end, const char* type,
                               List& list)
{
    uint8_t header[12];
    if (end - position < sizeof header || !source.read(position, header, sizeof header))
    {
        return fail(std::string("missing \"") + type + "\" list");
    }
    const uint32_t size = ByteReader::decodeU32(header + 4, ByteOrder::LittleEndian);
    if (std::memcmp(header, "LIST", 4) != 0 || std::memcmp(header + 8, type, 4) != 0)
    {
        return fail(std::string("expected \"") + type + "\" list");
    }
    if (size < 4 || size > end - position - 8)
    {
        return fail(std::string("\"") + type + "\" list size is invalid");
    }
    list.body = position + 12;
    list.size = size - 4;
    position += 8 + static_cast<uint64_t>(size);
    return true;
}

bool SoundFontReader::readInfo(ByteSource& source, const List& list, SoundFontData& data)
{
    uint64_t position = list.body;
    const uint64_t end = list.body + list.size;
    while (end - position >= 8)
    {
        uint8_t header[8];
        if (!source.read(position, header, sizeof header))
            return fail("INFO list is cut short");
        const std::string id(reinterpret_cast<const char*>(header), 4);
        const uint32_t size = ByteReader::decodeU32(header + 4, ByteOrder::LittleEndian);
        position += 8;
        if (size > end - position)
            return fail("INFO item \"" + id + "\" exceeds its list");
        if (id == "ifil")
        {
            uint8_t version[4];
            if (size != 4 || !source.read(position, version, sizeof version))
            {
                return fail("version item has an invalid size");
            }
            data.versionMajor = ByteReader::decodeU16(version, ByteOrder::LittleEndian);
            data.versionMinor = ByteReader::decodeU16(version + 2, ByteOrder::LittleEndian);
            if (data.versionMajor != 2)
                return fail("unsupported SoundFont version");
        }
        else
        {
            if (size > kMaxInfoTextSize)
                return fail("INFO item \"" + id + "\" is too large");
            std::string text(size, '\0');
            if (size > 0 && !source.read(position, &text[0], size))
            {
                return fail("INFO list is cut short");
            }
            text.resize(std::strlen(text.c_str()));
            data.info.push_back({id, text});
        }
        // RIFF pads odd-sized chunks with one byte.
        position += size + (size & 1u);
        if (position > end)
            position = end;
    }
    if (position != end)
        return fail("INFO list ends inside an item header");
    return true;
}

bool SoundFontReader::readSampleData(ByteSource& source, const List& list, SoundFontData& data)
{
    if (list.size == 0)
        return true; // a bank without sample data
    uint8_t header[8];
    if (list.size < sizeof header || !source.read(list.body, header, sizeof header))
    {
        return fail("sdta list is cut short");
    }
    if (std::memcmp(header, "smpl", 4) != 0)
        return fail("expected \"smpl\" chunk");
    const uint32_t size = ByteReader::decodeU32(header + 4, ByteOrder::LittleEndian);
    if (size > list.size - 8)
        return fail("\"smpl\" exceeds the sdta list");
    if (size % 2 != 0)
        return fail("\"smpl\" holds an odd number of bytes");
    data.sampleDataOffset = list.body + 8;
    data.sampleDataSize = size;
    return true;
}

bool SoundFontReader::readSamplePoints(ByteSource& source, const SoundFontData& data,
                                       std::vector<int16_t>& points)
{
    std::vector<uint8_t> bytes(data.sampleDataSize);
    if (!bytes.empty() && !source.read(data.sampleDataOffset, bytes.data(), bytes.size()))
    {
        return fail("sample data is cut short");
    }
    points.resize(bytes.size() / 2);
    for (size_t i = 0; i < points.size(); ++i)
    {
        points[i] = static_cast<int16_t>(ByteReader::decodeU16(&bytes[2 * i], ByteOrder::LittleEndian));
    }
    return true;
}

bool SoundFontReader::readHydra(ByteSource& source, const List& list, SoundFontData& data)
{
    std::vector<uint8_t> body(list.size);
    if (!body.empty() && !source.read(list.body, body.data(), body.size()))
    {
        return fail("pdta list is cut short");
    }
    SoundFontHydraParser parser(body.data(), body.size(), data.sampleDataSize / 2);
    if (!parser.parse(data))
        return fail(parser.error());
    return true;
}

} // namespace engine
