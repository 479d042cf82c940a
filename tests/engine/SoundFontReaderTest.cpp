#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "engine/MemoryByteSource.h"
#include "engine/SoundFontReader.h"
#include "engine/TestBank.h"

using namespace engine;
using namespace sfwriter;

namespace enginetest
{
namespace
{

using engine::MemoryByteSource;
using engine::SoundFontData;
using engine::SoundFontReader;
using sfwriter::FirstTag;

bool Read(const std::vector<uint8_t>& bytes, SoundFontData& data, std::string* error = nullptr)
{
    MemoryByteSource source(bytes.data(), bytes.size());
    SoundFontReader reader;
    const bool ok = reader.read(source, data);
    if (error != nullptr)
        *error = reader.error();
    return ok;
}

void PutU32(std::vector<uint8_t>& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

void PutU16(std::vector<uint8_t>& bytes, size_t at, uint16_t value)
{
    bytes[at] = static_cast<uint8_t>(value);
    bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

// Position of the first byte of a chunk's data, found by its id.
size_t ChunkData(const std::vector<uint8_t>& bytes, const char* id)
{
    for (size_t i = 0; i + 8 <= bytes.size(); ++i)
    {
        if (std::memcmp(&bytes[i], id, 4) == 0)
            return i + 8;
    }
    ADD_FAILURE() << "no chunk " << id;
    return 0;
}

TEST(SoundFontReader, ReadsBackEveryRecordTheWriterWrote)
{
    const TestBank bank = MakeRichBank();
    const std::vector<uint8_t> bytes = bank.bytes();
    SoundFontData data;
    ASSERT_TRUE(Read(bytes, data));

    ASSERT_EQ(data.presets.size(), 3u);
    EXPECT_EQ(data.presets[1].name, "Piano");
    EXPECT_EQ(data.presets[0].bank, 1);
    EXPECT_EQ(data.presets[2].preset, 1);
    ASSERT_EQ(data.presets[1].zones.size(), 3u);
    ASSERT_EQ(data.presets[1].zones[2].generators.size(), 5u);
    EXPECT_EQ(data.presets[1].zones[2].generators[1].oper, 44);
    EXPECT_EQ(data.presets[1].zones[2].generators[1].rangeLow(), 20);
    EXPECT_EQ(data.presets[1].zones[2].generators[1].rangeHigh(), 127);
    EXPECT_EQ(data.presets[1].zones[2].generators[2].signedAmount(), -3000);
    ASSERT_EQ(data.presets[1].zones[0].modulators.size(), 2u);
    EXPECT_EQ(data.presets[1].zones[0].modulators[1].source, 14 | 0x200);
    EXPECT_EQ(data.presets[1].zones[0].modulators[1].amount, 50);

    ASSERT_EQ(data.instruments.size(), 2u);
    EXPECT_EQ(data.instruments[0].name, "Keys");
    ASSERT_EQ(data.instruments[0].zones.size(), 5u);
    EXPECT_EQ(data.instruments[0].zones[3].modulators[0].amount, 300);
    EXPECT_EQ(data.instruments[1].zones[2].generators.back().amount, 2);

    ASSERT_EQ(data.samples.size(), 3u);
    EXPECT_EQ(data.samples[1].name, "bright");
    EXPECT_EQ(data.samples[1].start, 2046u);
    EXPECT_EQ(data.samples[1].end, 3546u);
    EXPECT_EQ(data.samples[1].loopStart, 2246u);
    EXPECT_EQ(data.samples[1].sampleRate, 22050u);
    EXPECT_EQ(data.samples[1].pitchCorrection, -10);
    EXPECT_EQ(data.samples[1].originalPitch, 72);

    ASSERT_EQ(data.info.size(), 2u);
    EXPECT_EQ(data.info[0].id, "INAM");
    EXPECT_EQ(data.info[0].text, "Test bank");
    EXPECT_EQ(data.sampleDataSize, bank.points.size() * 2);
    // The offset names the first byte of the sample points.
    ASSERT_LE(data.sampleDataOffset + 4, bytes.size());
    EXPECT_EQ(data.sampleDataOffset, ChunkData(bytes, "smpl"));
    int16_t first;
    std::memcpy(&first, &bytes[data.sampleDataOffset + 2], 2);
    EXPECT_EQ(first, bank.points[1]);
}

TEST(SoundFontReader, ReadsTheSamplePointsAtTheirOffset)
{
    const TestBank bank = MakeRichBank();
    const std::vector<uint8_t> bytes = bank.bytes();
    MemoryByteSource source(bytes.data(), bytes.size());
    SoundFontReader reader;
    SoundFontData data;
    ASSERT_TRUE(reader.read(source, data));
    std::vector<int16_t> points;
    ASSERT_TRUE(reader.readSamplePoints(source, data, points));
    EXPECT_EQ(points, bank.points);

    data.sampleDataOffset = bytes.size() - 2;
    EXPECT_FALSE(reader.readSamplePoints(source, data, points));
}

TEST(SoundFontReader, TalTagReadsExactlyLikeRiff)
{
    const TestBank bank = MakeRichBank();
    std::vector<uint8_t> riff = bank.bytes(FirstTag::Riff);
    std::vector<uint8_t> tal = bank.bytes(FirstTag::Tal);
    ASSERT_EQ(std::memcmp(tal.data(), "TAL\x1A", 4), 0);
    ASSERT_TRUE(std::equal(riff.begin() + 4, riff.end(), tal.begin() + 4));
    SoundFontData fromRiff, fromTal;
    ASSERT_TRUE(Read(riff, fromRiff));
    ASSERT_TRUE(Read(tal, fromTal));
    EXPECT_EQ(fromTal.presets.size(), fromRiff.presets.size());
    EXPECT_EQ(fromTal.sampleDataOffset, fromRiff.sampleDataOffset);
}

TEST(SoundFontReader, RefusesAnyOtherFirstTag)
{
    for (const char* tag : {"RIFX", "TAL\x1B", "TAL ", "riff", "TALK", "\0\0\0\0"})
    {
        std::vector<uint8_t> bytes = MakeRichBank().bytes();
        std::memcpy(bytes.data(), tag, 4);
        SoundFontData data;
        EXPECT_FALSE(Read(bytes, data)) << tag;
    }
}

TEST(SoundFontReader, RefusesASizeOtherThanTheFileSizeMinus8)
{
    const std::vector<uint8_t> good = MakeRichBank().bytes();
    for (int64_t delta : {-1, 1, -8, 8})
    {
        std::vector<uint8_t> bytes = good;
        PutU32(bytes, 4, static_cast<uint32_t>(static_cast<int64_t>(bytes.size()) - 8 + delta));
        SoundFontData data;
        EXPECT_FALSE(Read(bytes, data)) << delta;
    }
    std::vector<uint8_t> longer = good;
    longer.push_back(0);
    SoundFontData data;
    EXPECT_FALSE(Read(longer, data));
}

TEST(SoundFontReader, RefusesAFormOtherThanSfbk)
{
    std::vector<uint8_t> bytes = MakeRichBank().bytes();
    std::memcpy(&bytes[8], "sfbx", 4);
    SoundFontData data;
    std::string error;
    EXPECT_FALSE(Read(bytes, data, &error));
    EXPECT_EQ(error, "not a SoundFont file");
}

TEST(SoundFontReader, RefusesAnotherVersion)
{
    TestBank bank = MakeRichBank();
    bank.data.versionMajor = 3;
    SoundFontData data;
    EXPECT_FALSE(Read(bank.bytes(), data));
}

TEST(SoundFontReader, AcceptsABankWithoutSampleData)
{
    TestBank bank;
    SoundFontData data;
    ASSERT_TRUE(Read(bank.bytes(), data));
    EXPECT_EQ(data.sampleDataSize, 0u);
    EXPECT_TRUE(data.presets.empty());
}

TEST(SoundFontReader, RefusesAPresetBagIndexBeyondTheBags)
{
    std::vector<uint8_t> bytes = MakeRichBank().bytes();
    // The terminal preset header's bag index: 3 presets of 38 bytes, then name (20), preset,
    // bank (2 each).
    const size_t terminalBag = ChunkData(bytes, "phdr") + 3 * 38 + 24;
    PutU16(bytes, terminalBag, 200);
    SoundFontData data;
    EXPECT_FALSE(Read(bytes, data));
}

TEST(SoundFontReader, RefusesBagIndicesThatGoBackwards)
{
    std::vector<uint8_t> bytes = MakeRichBank().bytes();
    PutU16(bytes, ChunkData(bytes, "ibag") + 4 * 2, 0); // third bag's generator index
    SoundFontData data;
    EXPECT_FALSE(Read(bytes, data));
}

TEST(SoundFontReader, RefusesAGeneratorIndexBeyondTheGenerators)
{
    std::vector<uint8_t> bytes = MakeRichBank().bytes();
    const size_t pbag = ChunkData(bytes, "pbag");
    const uint32_t bags = (static_cast<uint32_t>(bytes[pbag - 4]) | (bytes[pbag - 3] << 8)) / 4;
    PutU16(bytes, pbag + (bags - 1) * 4, 999); // terminal bag
    SoundFontData data;
    EXPECT_FALSE(Read(bytes, data));
}

TEST(SoundFontReader, RefusesReferencesToMissingInstrumentsAndSamples)
{
    TestBank badInstrument = MakeRichBank();
    badInstrument.data.presets[2].zones[0].generators[0] = Gen(41, 2);
    SoundFontData data;
    EXPECT_FALSE(Read(badInstrument.bytes(), data));

    TestBank badSample = MakeRichBank();
    badSample.data.instruments[1].zones[1].generators.back() = Gen(53, 3);
    EXPECT_FALSE(Read(badSample.bytes(), data));
}

TEST(SoundFontReader, RefusesSamplesOutsideTheSampleData)
{
    TestBank endBeyond = MakeRichBank();
    endBeyond.data.samples[2].end = static_cast<uint32_t>(endBeyond.points.size()) + 1;
    SoundFontData data;
    EXPECT_FALSE(Read(endBeyond.bytes(), data));

    TestBank inverted = MakeRichBank();
    inverted.data.samples[0].start = inverted.data.samples[0].end + 1;
    EXPECT_FALSE(Read(inverted.bytes(), data));

    TestBank lastPoint = MakeRichBank();
    lastPoint.data.samples[2].end = static_cast<uint32_t>(lastPoint.points.size());
    EXPECT_TRUE(Read(lastPoint.bytes(), data));

    TestBank rom = MakeRichBank();
    rom.data.samples[2].end = 0xFFFFFFF0u;
    rom.data.samples[2].sampleType = engine::kSampleRom;
    EXPECT_TRUE(Read(rom.bytes(), data));
}

TEST(SoundFontReader, RefusesRecordChunksOutOfOrderOrOfBrokenSize)
{
    std::vector<uint8_t> swapped = MakeRichBank().bytes();
    std::memcpy(&swapped[ChunkData(swapped, "pmod") - 8], "pgen", 4);
    SoundFontData data;
    EXPECT_FALSE(Read(swapped, data));

    std::vector<uint8_t> brokenSize = MakeRichBank().bytes();
    const size_t shdr = ChunkData(brokenSize, "shdr");
    PutU32(brokenSize, shdr - 4, 4 * 46 - 1);
    EXPECT_FALSE(Read(brokenSize, data));

    std::vector<uint8_t> oddSamples = MakeRichBank().bytes();
    const size_t smpl = ChunkData(oddSamples, "smpl");
    PutU32(oddSamples, smpl - 4, static_cast<uint32_t>(MakeRichBank().points.size() * 2 - 1));
    EXPECT_FALSE(Read(oddSamples, data));
}

TEST(SoundFontReader, EveryTruncatedPrefixFailsCleanly)
{
    const std::vector<uint8_t> bytes = MakeRichBank().bytes();
    for (size_t length = 0; length < bytes.size(); ++length)
    {
        std::vector<uint8_t> prefix(bytes.begin(), bytes.begin() + static_cast<long>(length));
        SoundFontData data;
        EXPECT_FALSE(Read(prefix, data)) << length;
    }
}

} // namespace
} // namespace enginetest
