#include "render/WavWriter.h"
#include "tools/TempPath.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cstdio>
#include <vector>

using namespace render;

namespace
{

// Writes four stereo frames in blocks of three and one, checks the header libsndfile reads back and
// returns the samples interleaved.
std::vector<float> roundTrip(const std::vector<float>& left, const std::vector<float>& right, int rate,
                             SampleFormat format, int expectedFormat)
{
    const std::string path = tempPath(".wav");
    WavWriter writer;
    EXPECT_TRUE(writer.open(path, rate, format)) << writer.error();
    EXPECT_TRUE(writer.write(left.data(), right.data(), 3));
    EXPECT_TRUE(writer.write(left.data() + 3, right.data() + 3, 1));
    EXPECT_TRUE(writer.close()) << writer.error();
    SF_INFO info = {};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    std::vector<float> samples(8, -99.0f);
    if (file)
    {
        sf_command(file, SFC_SET_NORM_FLOAT, nullptr, SF_TRUE);
        EXPECT_EQ(sf_readf_float(file, samples.data(), 4), 4);
        sf_close(file);
    }
    EXPECT_NE(file, nullptr) << sf_strerror(nullptr);
    EXPECT_EQ(info.frames, 4);
    EXPECT_EQ(info.samplerate, rate);
    EXPECT_EQ(info.channels, 2);
    EXPECT_EQ(info.format, expectedFormat);
    std::remove(path.c_str());
    return samples;
}

} // namespace

TEST(WavWriter, Pcm24QuantisesAndClipsInsteadOfWrapping)
{
    const float step = 1.0f / 8388608.0f;
    const std::vector<float> back =
        roundTrip({0.5f, 1000.0f * step, 1.25f, -1.25f}, {-0.5f, 0.3f, 0.0f, 0.0f}, 44100,
                  SampleFormat::Pcm24, SF_FORMAT_WAV | SF_FORMAT_PCM_24);
    EXPECT_FLOAT_EQ(back[0], 0.5f);
    EXPECT_FLOAT_EQ(back[1], -0.5f);
    EXPECT_FLOAT_EQ(back[2], 1000.0f * step);
    EXPECT_NEAR(back[3], 0.3f, step);
    EXPECT_NEAR(back[4], 1.0f, 2 * step) << "an over must clip to full scale";
    EXPECT_NEAR(back[6], -1.0f, 2 * step) << "a negative over must clip to negative full scale";
}
