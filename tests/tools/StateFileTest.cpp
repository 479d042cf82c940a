#include "render/StateFile.h"
#include "tools/TempPath.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

using namespace render;

namespace
{

class StateFileOnDisk : public ::testing::Test
{
protected:
    void TearDown() override { std::remove(path.c_str()); }
    void writeBytes(size_t count)
    {
        std::ofstream out(path, std::ios::binary);
        for (size_t i = 0; i < count; ++i)
            out.put(char(i));
    }
    std::string path = tempPath(".state");
};

} // namespace

TEST_F(StateFileOnDisk, RoundTripKeepsEveryByte)
{
    std::vector<uint8_t> state(48);
    for (size_t i = 0; i < state.size(); ++i)
        state[i] = uint8_t(255 - i);
    std::string error;
    ASSERT_TRUE(StateFile::write(path, state.data(), state.size(), error)) << error;
    std::vector<uint8_t> back;
    ASSERT_TRUE(StateFile::read(path, back, error)) << error;
    EXPECT_EQ(back, state);
}

TEST_F(StateFileOnDisk, WrongSizesAreRefused)
{
    std::vector<uint8_t> bytes;
    std::string error;
    writeBytes(47);
    EXPECT_FALSE(StateFile::read(path, bytes, error));
    EXPECT_NE(error.find("47 bytes"), std::string::npos) << error;
    writeBytes(49);
    EXPECT_FALSE(StateFile::read(path, bytes, error));
    EXPECT_NE(error.find("longer"), std::string::npos) << error;
    writeBytes(0);
    EXPECT_FALSE(StateFile::read(path, bytes, error));
    EXPECT_TRUE(bytes.empty());
}

TEST_F(StateFileOnDisk, StateOfTheWrongSizeIsNotWritten)
{
    const uint8_t bytes[49] = {};
    std::string error;
    EXPECT_FALSE(StateFile::write(path, bytes, 49, error));
    EXPECT_FALSE(StateFile::write(path, nullptr, 48, error));
    EXPECT_FALSE(std::ifstream(path).good()) << "no file is left behind";
}
