#include "instrument/programs/PresetsFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace instrument;

namespace
{
using Bytes = std::vector<unsigned char>;

class PresetsFileTest : public ::testing::Test
{
protected:
    std::string path = ::testing::TempDir() + "presets_file_test_" +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".presets";

    void TearDown() override { std::remove(path.c_str()); }

    void writeBytes(const Bytes& bytes) const
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    Bytes readBytes() const
    {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
};

// A header with the given version and count (this machine is little-endian, as the file is).
Bytes header(double version, std::uint32_t count)
{
    Bytes bytes(12);
    std::memcpy(bytes.data(), &version, 8);
    std::memcpy(bytes.data() + 8, &count, 4);
    return bytes;
}

Bytes record(const char* name, float firstValue)
{
    Bytes bytes(172, 0);
    std::memcpy(bytes.data(), name, std::strlen(name));
    for (int i = 0; i < 11; ++i)
    {
        const float value = firstValue + 0.01f * i;
        std::memcpy(bytes.data() + 128 + 4 * i, &value, 4);
    }
    return bytes;
}

StoredProgram program(const char* name, float firstValue)
{
    StoredProgram p{};
    const Bytes bytes = record(name, firstValue);
    std::memcpy(p.name, bytes.data(), 128);
    std::memcpy(p.values, bytes.data() + 128, 44);
    return p;
}
} // namespace

TEST_F(PresetsFileTest, ReadsEveryRecord)
{
    Bytes bytes = header(1.0, 2);
    const Bytes a = record("Concert", 0.1f);
    const Bytes b = record("Studio", 0.5f);
    bytes.insert(bytes.end(), a.begin(), a.end());
    bytes.insert(bytes.end(), b.begin(), b.end());
    writeBytes(bytes);

    PresetsFile presets;
    ASSERT_TRUE(presets.read(path.c_str()));
    ASSERT_EQ(presets.count(), 2);
    EXPECT_STREQ(presets.program(0)->name, "Concert");
    EXPECT_STREQ(presets.program(1)->name, "Studio");
    EXPECT_EQ(presets.program(0)->values[0], 0.1f);
    EXPECT_EQ(presets.program(1)->values[10], 0.5f + 0.01f * 10);
}

TEST_F(PresetsFileTest, AnyVersionButOneGivesNoPrograms)
{
    for (double version : {1.5, 0.0, 2.0, 1.0000000000000002})
    {
        Bytes bytes = header(version, 1);
        const Bytes r = record("X", 0.5f);
        bytes.insert(bytes.end(), r.begin(), r.end());
        writeBytes(bytes);
        PresetsFile presets;
        EXPECT_FALSE(presets.read(path.c_str())) << version;
        EXPECT_EQ(presets.count(), 0) << version;
    }
}

TEST_F(PresetsFileTest, CountZeroGivesNoPrograms)
{
    writeBytes(header(1.0, 0));
    PresetsFile presets;
    EXPECT_FALSE(presets.read(path.c_str()));
    EXPECT_EQ(presets.count(), 0);
}

TEST_F(PresetsFileTest, MissingOrHeaderlessFileGivesNoPrograms)
{
    PresetsFile presets;
    EXPECT_FALSE(presets.read(path.c_str()));
    EXPECT_FALSE(presets.read(nullptr));
    Bytes bytes = header(1.0, 1);
    bytes.resize(11);
    writeBytes(bytes);
    EXPECT_FALSE(presets.read(path.c_str()));
    EXPECT_EQ(presets.count(), 0);
}

TEST_F(PresetsFileTest, ShortFileKeepsItsCountWithTheMissingRecordsZero)
{
    Bytes bytes = header(1.0, 3);
    const Bytes first = record("First", 0.5f);
    const Bytes second = record("Second", 0.5f);
    bytes.insert(bytes.end(), first.begin(), first.end());
    // The second record breaks off after its name and two values.
    bytes.insert(bytes.end(), second.begin(), second.begin() + 128 + 8);
    writeBytes(bytes);

    PresetsFile presets;
    ASSERT_TRUE(presets.read(path.c_str()));
    ASSERT_EQ(presets.count(), 3);
    EXPECT_STREQ(presets.program(0)->name, "First");
    EXPECT_STREQ(presets.program(1)->name, "Second");
    EXPECT_EQ(presets.program(1)->values[1], 0.51f);
    for (int i = 2; i < 11; ++i)
    {
        EXPECT_EQ(presets.program(1)->values[i], 0.0f) << i;
    }
    const StoredProgram zero{};
    EXPECT_EQ(std::memcmp(presets.program(2), &zero, sizeof zero), 0);
}

TEST_F(PresetsFileTest, HugeCountsAreRefusedWithoutAllocating)
{
    for (std::uint32_t count : {0xFFFFFFFFu, 0x80000000u, PresetsFile::kMaxPrograms + 1})
    {
        Bytes bytes = header(1.0, count);
        const Bytes r = record("X", 0.5f);
        bytes.insert(bytes.end(), r.begin(), r.end());
        writeBytes(bytes);
        PresetsFile presets;
        EXPECT_FALSE(presets.read(path.c_str())) << count;
        EXPECT_EQ(presets.count(), 0) << count;
    }
}

TEST_F(PresetsFileTest, UnterminatedNameEndsInsideItsField)
{
    Bytes bytes = header(1.0, 1);
    Bytes r = record("", 0.5f);
    std::memset(r.data(), 'A', 128);
    bytes.insert(bytes.end(), r.begin(), r.end());
    writeBytes(bytes);
    PresetsFile presets;
    ASSERT_TRUE(presets.read(path.c_str()));
    EXPECT_EQ(std::strlen(presets.program(0)->name), 127u);
    EXPECT_EQ(presets.program(0)->values[0], 0.5f);
}

TEST_F(PresetsFileTest, AFailedReadDropsEarlierPrograms)
{
    ASSERT_TRUE(PresetsFile::write(path.c_str(), {program("One", 0.0f)}));
    PresetsFile presets;
    ASSERT_TRUE(presets.read(path.c_str()));
    writeBytes(header(1.5, 1));
    EXPECT_FALSE(presets.read(path.c_str()));
    EXPECT_EQ(presets.count(), 0);
    EXPECT_EQ(presets.program(0), nullptr);
}

TEST_F(PresetsFileTest, RenameAndCopyName)
{
    ASSERT_TRUE(PresetsFile::write(path.c_str(), {program("One", 0.0f), program("Two", 0.0f)}));
    PresetsFile presets;
    ASSERT_TRUE(presets.read(path.c_str()));

    const std::string longName(200, 'n');
    presets.rename(1, longName.c_str());
    EXPECT_EQ(std::string(presets.program(1)->name), std::string(127, 'n'));
    EXPECT_STREQ(presets.program(0)->name, "One");
    presets.rename(2, "Beyond");
    presets.rename(-1, "Before");
    presets.rename(0, nullptr);
    EXPECT_STREQ(presets.program(0)->name, "One");

    char text[24];
    ASSERT_TRUE(presets.copyName(1, text, sizeof text));
    EXPECT_EQ(std::string(text), std::string(23, 'n'));
    ASSERT_TRUE(presets.copyName(0, text, sizeof text));
    EXPECT_STREQ(text, "One");
    std::strcpy(text, "keep");
    EXPECT_FALSE(presets.copyName(2, text, sizeof text));
    EXPECT_FALSE(presets.copyName(0, text, 0));
    EXPECT_FALSE(presets.copyName(0, nullptr, 24));
    EXPECT_STREQ(text, "keep");
}
