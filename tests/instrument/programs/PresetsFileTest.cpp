#include "instrument/programs/PresetsFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

using namespace instrument;

namespace
{
using Bytes = std::vector<unsigned char>;

// A header with the given version and count (this machine is little-endian, as the file is), then records
// of a name and eleven values from firstValue up in steps of 0.01; the whole cut to at most length bytes.
Bytes presets(double version, std::uint32_t count, const std::vector<std::string>& names,
              size_t length = SIZE_MAX, float firstValue = 0.5f)
{
    Bytes bytes(12);
    std::memcpy(bytes.data(), &version, 8);
    std::memcpy(bytes.data() + 8, &count, 4);
    for (const std::string& name : names)
    {
        Bytes record(172, 0);
        std::memcpy(record.data(), name.data(), std::min<size_t>(name.size(), 128));
        for (int i = 0; i < 11; ++i)
        {
            const float value = firstValue + 0.01f * i;
            std::memcpy(record.data() + 128 + 4 * i, &value, 4);
        }
        bytes.insert(bytes.end(), record.begin(), record.end());
    }
    bytes.resize(std::min(bytes.size(), length));
    return bytes;
}

class PresetsFileTest : public ::testing::Test
{
protected:
    std::string path = ::testing::TempDir() + "presets_file_test_" +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".presets";

    void TearDown() override { std::remove(path.c_str()); }

    bool read(const Bytes& bytes)
    {
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return file.read(path.c_str());
    }

    PresetsFile file;
};
} // namespace

TEST_F(PresetsFileTest, ReadsEveryRecordAndAShortFileKeepsItsCountWithTheMissingValuesZero)
{
    ASSERT_TRUE(read(presets(1.0, 2, {"Concert", "Studio"}, SIZE_MAX, 0.1f)));
    ASSERT_EQ(file.count(), 2);
    EXPECT_STREQ(file.program(1)->name, "Studio");
    EXPECT_EQ(file.program(1)->values[10], 0.1f + 0.01f * 10);

    // The second record breaks off after its name and two values; the third is missing.
    ASSERT_TRUE(read(presets(1.0, 3, {"First", "Second"}, 12 + 172 + 128 + 8)));
    ASSERT_EQ(file.count(), 3);
    EXPECT_STREQ(file.program(1)->name, "Second");
    EXPECT_EQ(file.program(1)->values[1], 0.51f);
    EXPECT_EQ(file.program(1)->values[2], 0.0f);
    const StoredProgram zero{};
    EXPECT_EQ(std::memcmp(file.program(2), &zero, sizeof zero), 0);
}

TEST_F(PresetsFileTest, RefusedFilesGiveNoProgramsAndDropEarlierOnes)
{
    const struct
    {
        const char* what;
        Bytes bytes;
    } refused[] = {
        {"version 1.5", presets(1.5, 1, {"X"})},
        {"version 0", presets(0.0, 1, {"X"})},
        {"version 2", presets(2.0, 1, {"X"})},
        {"a version a bit above 1", presets(1.0000000000000002, 1, {"X"})},
        {"count 0", presets(1.0, 0, {})},
        {"a header cut short", presets(1.0, 1, {}, 11)},
        {"count 2^32 - 1", presets(1.0, 0xFFFFFFFFu, {"X"})},
        {"count 2^31", presets(1.0, 0x80000000u, {"X"})},
        {"one more than the most programs", presets(1.0, PresetsFile::kMaxPrograms + 1, {"X"})},
    };
    for (const auto& refusedFile : refused)
    {
        ASSERT_TRUE(read(presets(1.0, 1, {"One"})));
        EXPECT_FALSE(read(refusedFile.bytes)) << refusedFile.what;
        EXPECT_EQ(file.count(), 0) << refusedFile.what;
        EXPECT_EQ(file.program(0), nullptr) << refusedFile.what;
    }
    std::remove(path.c_str());
    EXPECT_FALSE(file.read(path.c_str()));
    EXPECT_FALSE(file.read(nullptr));
}

TEST_F(PresetsFileTest, NamesEndInsideTheirFieldAndRequestsOutsideTheListChangeNothing)
{
    ASSERT_TRUE(read(presets(1.0, 2, {"One", std::string(128, 'A')})));
    EXPECT_EQ(std::strlen(file.program(1)->name), 127u);
    EXPECT_EQ(file.program(1)->values[0], 0.5f);

    file.rename(2, "Beyond");
    file.rename(-1, "Before");
    file.rename(0, nullptr);
    EXPECT_STREQ(file.program(0)->name, "One");

    char text[24] = "keep";
    EXPECT_FALSE(file.copyName(2, text, sizeof text));
    EXPECT_FALSE(file.copyName(0, text, 0));
    EXPECT_FALSE(file.copyName(0, nullptr, 24));
    EXPECT_STREQ(text, "keep");
}
