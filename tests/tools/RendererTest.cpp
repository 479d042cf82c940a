#include "render/Renderer.h"
#include "tools/SmfBytes.h"
#include "tools/TempPath.h"
#include "tools/TextAssertions.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace render;

using toolstest::Bytes;

namespace
{

void writeFile(const std::string& path, const void* bytes, size_t size)
{
    std::ofstream(path, std::ios::binary).write(static_cast<const char*>(bytes), std::streamsize(size));
}

bool exists(const std::string& path)
{
    return std::ifstream(path).good();
}

class RendererRun : public ::testing::Test
{
protected:
    // 480 ticks per quarter at 120 bpm. Note on at tick 1 (frame 50 at 48 kHz), pedal at tick 480 (frame
    // 24000), note off at tick 960 (frame 48000), which is also the end of the track.
    void SetUp() override
    {
        const Bytes piece = toolstest::file(0, 480,
                                            {{0x01, 0x90, 60, 100, 0x83, 0x5F, 0xB0, 64, 127, 0x83, 0x60,
                                              0x80, 60, 0, 0x00, 0xFF, 0x2F, 0x00}});
        writeFile(midi, piece.data(), piece.size());
    }
    void TearDown() override
    {
        for (const std::string& path : {midi, wav, stateIn, stateOut})
            std::remove(path.c_str());
    }

    int run(std::vector<std::string> args)
    {
        out.str("");
        err.str("");
        Renderer renderer(out, err);
        return renderer.run(args);
    }

    // Interleaved samples of the written file.
    std::vector<float> readWav()
    {
        SF_INFO info = {};
        SNDFILE* file = sf_open(wav.c_str(), SFM_READ, &info);
        EXPECT_NE(file, nullptr);
        if (!file)
            return {};
        EXPECT_EQ(info.samplerate, 48000);
        EXPECT_EQ(info.channels, 2);
        std::vector<float> samples(size_t(info.frames) * 2);
        sf_readf_float(file, samples.data(), info.frames);
        sf_close(file);
        return samples;
    }

    std::vector<float> readState()
    {
        std::vector<float> fields(12, -1.0f);
        std::ifstream(stateOut, std::ios::binary).read(reinterpret_cast<char*>(fields.data()), 48);
        return fields;
    }

    const std::string midi = tempPath(".mid");
    const std::string wav = tempPath(".wav");
    const std::string stateIn = tempPath("_in.state");
    const std::string stateOut = tempPath("_out.state");
    const std::string plugin = FAKE_PLUGIN;
    const std::string unready = FAKE_PLUGIN_UNREADY;
    std::ostringstream out;
    std::ostringstream err;
};

class RendererBlockSizes : public RendererRun, public ::testing::WithParamInterface<const char*>
{
};

} // namespace

TEST_P(RendererBlockSizes, EveryMessageSoundsAtItsFrameWhateverTheBlockSize)
{
    ASSERT_EQ(run({"-q", "--rate", "48000", "--block", GetParam(), "--tail", "0.5", plugin, midi, wav}), 0)
        << err.str();
    const std::vector<float> samples = readWav();
    ASSERT_EQ(samples.size(), 2u * (48001 + 24000)) << "to just past the last message, then the tail";
    // The stand-in marks key (or controller) / 128 on the left and velocity (or value) / 128 on the right.
    struct Mark
    {
        size_t frame;
        float left, right;
    };
    const Mark marks[] = {
        {50, 60 / 128.0f, 100 / 128.0f}, {24000, 64 / 128.0f, 127 / 128.0f}, {48000, 60 / 128.0f, 0}};
    size_t nonZero = 0;
    for (size_t i = 0; i < samples.size(); ++i)
        nonZero += samples[i] != 0.0f;
    EXPECT_EQ(nonZero, 5u) << "nothing sounds but the marks (the last release has velocity 0)";
    for (const Mark& mark : marks)
    {
        EXPECT_EQ(samples[2 * mark.frame], mark.left) << "frame " << mark.frame;
        EXPECT_EQ(samples[2 * mark.frame + 1], mark.right) << "frame " << mark.frame;
    }
    EXPECT_TRUE(err.str().empty()) << "quiet means quiet: " << err.str();
    EXPECT_NE(out.str().find("72001 frames at 48000 Hz"), std::string::npos) << out.str();
}

INSTANTIATE_TEST_SUITE_P(Blocks, RendererBlockSizes, ::testing::Values("1", "256", "4096"));

TEST_F(RendererRun, ProgramThenStateThenParameters)
{
    std::vector<float> state(12, 0.5f);
    state[11] = 7.0f;
    writeFile(stateIn, state.data(), 48);
    ASSERT_EQ(run({"-q", "--program", "2", "--state-in", stateIn, "--param", "3=0.25", "--state-out",
                   stateOut, plugin, midi, wav}),
              0)
        << err.str();
    std::vector<float> expected(12, 0.5f);
    expected[3] = 0.25f;
    expected[11] = 7.0f; // the state came after the program
    EXPECT_EQ(readState(), expected);

    ASSERT_EQ(run({"-q", "--program", "2", "--state-out", stateOut, plugin, midi, wav}), 0) << err.str();
    EXPECT_EQ(readState()[11], 2.0f);
}

TEST_F(RendererRun, BankThatNeverLoadsOrIsMissingEndsInAnErrorWithoutAFile)
{
    EXPECT_EQ(run({"--bank-timeout", "1", unready, midi, wav}), 1);
    EXPECT_TRUE(mentions(err.str(), "not ready after 1 s"));
    EXPECT_TRUE(mentions(err.str(), "gave up"));
    EXPECT_FALSE(exists(wav));
    // A copy of the never-ready stand-in with no sound bank beside it is refused at once, not after 600 s.
    const std::string lonely = tempPath(".so");
    std::filesystem::copy_file(unready, lonely, std::filesystem::copy_options::overwrite_existing);
    EXPECT_EQ(run({"--bank-timeout", "600", lonely, midi, wav}), 1);
    EXPECT_TRUE(mentions(err.str(), "the sound bank '" + tempPath(".DAT") + "' is missing"));
    EXPECT_FALSE(exists(wav));
    std::remove(lonely.c_str());
}

TEST_F(RendererRun, NonFiniteOutputFailsTheRenderButKeepsTheFile)
{
    EXPECT_EQ(run({"-q", "--block", "4096", "--param", "10=1", plugin, midi, wav}), 1);
    EXPECT_TRUE(mentions(err.str(), "produced 44 NaN or infinite samples")) << "one per block";
    EXPECT_TRUE(mentions(out.str(), "44 samples were NaN or infinite"));
    EXPECT_TRUE(exists(wav)) << "kept for inspection";
}
