#include "render/StateFile.h"
#include "tools/TempPath.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

using namespace render;

TEST(StateFile, RoundTripKeepsEveryByteAndWrongSizesAreRefused)
{
    const std::string path = tempPath(".state");
    std::vector<uint8_t> state(48), back;
    for (size_t i = 0; i < state.size(); ++i)
        state[i] = uint8_t(255 - i);
    const std::string padding(49, 'x');
    std::string error;
    EXPECT_FALSE(StateFile::write(path, state.data(), 47, error));
    EXPECT_FALSE(StateFile::write(path, nullptr, 48, error));
    EXPECT_FALSE(std::ifstream(path).good()) << "no file is left behind";
    ASSERT_TRUE(StateFile::write(path, state.data(), state.size(), error)) << error;
    ASSERT_TRUE(StateFile::read(path, back, error)) << error;
    EXPECT_EQ(back, state);

    const std::pair<size_t, const char*> wrong[] = {{47, "47 bytes"}, {49, "longer"}, {0, ""}};
    for (const auto& [size, fault] : wrong)
    {
        std::ofstream(path, std::ios::binary).write(padding.data(), long(size));
        back.clear();
        EXPECT_FALSE(StateFile::read(path, back, error)) << size;
        EXPECT_NE(error.find(fault), std::string::npos) << error;
        EXPECT_TRUE(back.empty()) << size;
    }
    std::remove(path.c_str());
}
