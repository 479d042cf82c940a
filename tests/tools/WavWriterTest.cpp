#include "render/WavWriter.h"
#include "tools/TempPath.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cstdio>
#include <vector>

using namespace render;

namespace
{

struct ReadBack
{
    SF_INFO info = {};
    std::vector<float> samples; // interleaved
};

ReadBack readBack(const std::string& path)
{
    ReadBack result;
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &result.info);
    EXPECT_NE(file, nullptr) << sf_strerror(nullptr);
    if (!file)
        return result;
    result.samples.resize(size_t(result.info.frames) * size_t(result.info.channels));
    sf_command(file, SFC_SET_NORM_FLOAT, nullptr, SF_TRUE);
    EXPECT_EQ(sf_readf_float(file, result.samples.data(), result.info.frames), result.info.frames);
    sf_close(file);
    return result;
}

class WavWriterFile : public ::testing::Test
{
protected:
    void TearDown() override { std::remove(path.c_str()); }
    std::string path = tempPath(".wav");
};

} // namespace

TEST_F(WavWriterFile, FloatRoundTripKeepsEverySampleAndChannel)
{
    const std::vector<float> left = {0.0f, 0.25f, -0.5f, 1.5f};
    const std::vector<float> right = {1.0f, -1.0f, 0.125f, -2.0f};
    WavWriter writer;
    ASSERT_TRUE(writer.open(path, 48000, SampleFormat::Float32)) << writer.error();
    ASSERT_TRUE(writer.write(left.data(), right.data(), 3));
    ASSERT_TRUE(writer.write(left.data() + 3, right.data() + 3, 1));
    ASSERT_TRUE(writer.close()) << writer.error();

    const ReadBack back = readBack(path);
    EXPECT_EQ(back.info.samplerate, 48000);
    EXPECT_EQ(back.info.channels, 2);
    EXPECT_EQ(back.info.format, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    ASSERT_EQ(back.samples.size(), 8u);
    for (size_t i = 0; i < 4; ++i)
    {
        EXPECT_EQ(back.samples[2 * i], left[i]) << "frame " << i; // float is stored bit for bit, overs too
        EXPECT_EQ(back.samples[2 * i + 1], right[i]) << "frame " << i;
    }
}

TEST_F(WavWriterFile, Pcm24QuantisesAndClipsInsteadOfWrapping)
{
    const float step = 1.0f / 8388608.0f;
    const std::vector<float> left = {0.5f, 1000.0f * step, 1.25f, -1.25f};
    const std::vector<float> right = {-0.5f, 0.3f, 0.0f, 0.0f};
    WavWriter writer;
    ASSERT_TRUE(writer.open(path, 44100, SampleFormat::Pcm24)) << writer.error();
    ASSERT_TRUE(writer.write(left.data(), right.data(), 4));
    ASSERT_TRUE(writer.close()) << writer.error();

    const ReadBack back = readBack(path);
    EXPECT_EQ(back.info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_24);
    EXPECT_EQ(back.info.samplerate, 44100);
    ASSERT_EQ(back.samples.size(), 8u);
    EXPECT_FLOAT_EQ(back.samples[0], 0.5f);
    EXPECT_FLOAT_EQ(back.samples[1], -0.5f);
    EXPECT_FLOAT_EQ(back.samples[2], 1000.0f * step);
    EXPECT_NEAR(back.samples[3], 0.3f, step);
    EXPECT_NEAR(back.samples[4], 1.0f, 2 * step) << "an over must clip to full scale";
    EXPECT_NEAR(back.samples[6], -1.0f, 2 * step) << "a negative over must clip to negative full scale";
}
