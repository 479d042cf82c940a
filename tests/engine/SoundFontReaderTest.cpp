#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>

#include "engine/MemoryByteSource.h"
#include "engine/SoundFontReader.h"
#include "engine/TestBank.h"

using namespace engine;
using namespace sfwriter;

namespace enginetest
{
namespace
{

bool Read(const std::vector<uint8_t>& bytes, SoundFontData& data, std::string* error = nullptr)
{
    MemoryByteSource source(bytes.data(), bytes.size());
    SoundFontReader reader;
    const bool ok = reader.read(source, data);
    if (error != nullptr)
        *error = reader.error();
    return ok;
}

// Writes a little-endian value of the given width.
void Put(std::vector<uint8_t>& bytes, size_t at, uint32_t value, int width = 4)
{
    for (int i = 0; i < width; ++i)
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// Position of the first byte of a chunk's data, found by its id.
size_t ChunkData(const std::vector<uint8_t>& bytes, const char* id)
{
    const auto found = std::search(bytes.begin(), bytes.end(), id, id + 4);
    EXPECT_NE(found, bytes.end()) << "no chunk " << id;
    return found == bytes.end() ? 0 : static_cast<size_t>(found - bytes.begin()) + 8;
}

// Every record the writer wrote comes back: written again, the records give the same file. The offset names
// the first byte of the sample points, and the presets keep the file's order (bank 1 first).
TEST(SoundFontReader, ReadsBackEveryRecordTheWriterWrote)
{
    const TestBank bank = MakeRichBank();
    const std::vector<uint8_t> bytes = bank.bytes();
    SoundFontData data;
    ASSERT_TRUE(Read(bytes, data));
    EXPECT_EQ(SoundFontWriter::write(data, bank.points), bytes);
    EXPECT_EQ(data.presets[0].bank, 1);
    EXPECT_EQ(data.sampleDataSize, bank.points.size() * 2);
    EXPECT_EQ(data.sampleDataOffset, ChunkData(bytes, "smpl"));

    MemoryByteSource source(bytes.data(), bytes.size());
    SoundFontReader reader;
    std::vector<int16_t> points;
    ASSERT_TRUE(reader.readSamplePoints(source, data, points));
    EXPECT_EQ(points, bank.points);
    data.sampleDataOffset = bytes.size() - 2;
    EXPECT_FALSE(reader.readSamplePoints(source, data, points));
}

TEST(SoundFontReader, AcceptsAnEmptyBankAndSamplesReachingTheEdgeOfTheData)
{
    TestBank lastPoint = MakeRichBank();
    lastPoint.data.samples[2].end = static_cast<uint32_t>(lastPoint.points.size());
    TestBank rom = MakeRichBank();
    rom.data.samples[2].end = 0xFFFFFFF0u; // samples in ROM are not in the file
    rom.data.samples[2].sampleType = engine::kSampleRom;
    for (const TestBank& bank : {TestBank{}, lastPoint, rom})
    {
        SoundFontData data;
        EXPECT_TRUE(Read(bank.bytes(), data));
        EXPECT_EQ(data.presets.size(), bank.data.presets.size());
    }
}

TEST(SoundFontReader, RefusesDamagedFiles)
{
    const TestBank good = MakeRichBank();
    std::vector<std::pair<std::string, std::vector<uint8_t>>> cases;
    const auto add = [&](const std::string& name, const std::function<void(std::vector<uint8_t>&)>& change)
    {
        std::vector<uint8_t> bytes = good.bytes();
        change(bytes);
        cases.emplace_back(name, bytes);
    };
    const auto addBank = [&](const std::string& name, const std::function<void(TestBank&)>& change)
    {
        TestBank bank = good;
        change(bank);
        cases.emplace_back(name, bank.bytes());
    };
    for (const char* tag : {"RIFX", "TAL\x1B", "TAL ", "riff", "TALK", "\0\0\0\0"})
        add("first tag " + std::string(tag, 4),
            [&](std::vector<uint8_t>& b) { std::memcpy(b.data(), tag, 4); });
    for (const int delta : {-8, -1, 1, 8})
        add("size off by " + std::to_string(delta),
            [&](std::vector<uint8_t>& b) { Put(b, 4, static_cast<uint32_t>(b.size() - 8 + delta)); });
    add("a byte after the end", [](std::vector<uint8_t>& b) { b.push_back(0); });
    addBank("version 3", [](TestBank& b) { b.data.versionMajor = 3; });
    // The terminal preset header's bag index: 3 presets of 38 bytes, then name (20), preset, bank (2 each).
    add("preset bag beyond the bags",
        [](std::vector<uint8_t>& b) { Put(b, ChunkData(b, "phdr") + 3 * 38 + 24, 200, 2); });
    add("bag indices going backwards",
        [](std::vector<uint8_t>& b) { Put(b, ChunkData(b, "ibag") + 8, 0, 2); });
    add("generator index beyond the generators",
        [](std::vector<uint8_t>& b)
        {
            const size_t pbag = ChunkData(b, "pbag");
            const uint32_t bags = (static_cast<uint32_t>(b[pbag - 4]) | (b[pbag - 3] << 8)) / 4;
            Put(b, pbag + (bags - 1) * 4, 999, 2); // terminal bag
        });
    addBank("missing instrument", [](TestBank& b) { b.data.presets[2].zones[0].generators[0] = Gen(41, 2); });
    addBank("missing sample",
            [](TestBank& b) { b.data.instruments[1].zones[1].generators.back() = Gen(53, 3); });
    addBank("sample beyond the data",
            [](TestBank& b) { b.data.samples[2].end = static_cast<uint32_t>(b.points.size()) + 1; });
    addBank("sample start after its end",
            [](TestBank& b) { b.data.samples[0].start = b.data.samples[0].end + 1; });
    add("record chunks out of order",
        [](std::vector<uint8_t>& b) { std::memcpy(&b[ChunkData(b, "pmod") - 8], "pgen", 4); });
    add("sample headers of broken size",
        [](std::vector<uint8_t>& b) { Put(b, ChunkData(b, "shdr") - 4, 4 * 46 - 1); });
    add("odd sample data size", [&](std::vector<uint8_t>& b)
        { Put(b, ChunkData(b, "smpl") - 4, static_cast<uint32_t>(good.points.size() * 2 - 1)); });
    for (const auto& [name, bytes] : cases)
    {
        SoundFontData data;
        EXPECT_FALSE(Read(bytes, data)) << name;
    }

    std::vector<uint8_t> form = good.bytes();
    std::memcpy(&form[8], "sfbx", 4);
    SoundFontData data;
    std::string error;
    EXPECT_FALSE(Read(form, data, &error));
    EXPECT_EQ(error, "not a SoundFont file");
}

} // namespace
} // namespace enginetest
