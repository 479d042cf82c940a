// The reverb and its handle layer: what they refuse, the mix, and how buffers pass through. Every preset's
// response itself is pinned by the response test.
#include "dsp/zreverb/CReverb.h"
#include "dsp/zreverb/ReverbApi.h"
#include "dsp/zreverb/ReverbPresets.h"
#include "dsp/zreverb/RuntimeRandom.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

using namespace zreverb;

namespace
{

constexpr int kRate = 44100;

// Runs interleaved stereo through the reverb in place, in blocks of at most CReverb::kMaxFrames.
std::vector<float> Render(CReverb& reverb, std::vector<float> buffer)
{
    const int frames = static_cast<int>(buffer.size() / 2);
    for (int done = 0; done < frames; done += CReverb::kMaxFrames)
    {
        const int chunk = std::min(CReverb::kMaxFrames, frames - done);
        EXPECT_EQ(kReverbOk, reverb.Process(&buffer[2 * done], &buffer[2 * done], chunk));
    }
    return buffer;
}

std::vector<float> Tone(int frames)
{
    std::vector<float> buffer(static_cast<size_t>(2 * frames));
    for (size_t i = 0; i < buffer.size(); ++i)
        buffer[i] = std::sin(0.01f * static_cast<float>(i)) * (i % 2 ? 0.5f : 0.9f);
    return buffer;
}

class CReverbTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(kReverbOk, reverb.Create(kRate, 2, 0));
        ASSERT_EQ(kReverbOk, reverb.SetMix(1.0f));
    }
    CReverb reverb;
};

TEST(ReverbApiTest, UnusableArgumentsAreRefusedAndLeaveANullHandle)
{
    CReverb other;
    EXPECT_EQ(kReverbOutOfRange, other.Create(kRate, 1, 0));
    EXPECT_EQ(kReverbOutOfRange, other.Create(kRate, 2, 1));
    ReverbHandle handle = reinterpret_cast<ReverbHandle>(&handle);
    EXPECT_EQ(kReverbOutOfRange, ReverbCreate(&handle, -48000, 2, 0));
    EXPECT_EQ(nullptr, handle);
    EXPECT_EQ(kReverbNullHandle, ReverbCreate(nullptr, 44100, 2, 0));
    ASSERT_EQ(kReverbOk, ReverbCreate(&handle, 44100, 2, 0));
    EXPECT_EQ(kReverbOk, ReverbDestroy(&handle));
    EXPECT_EQ(nullptr, handle);
    EXPECT_EQ(kReverbOutOfRange, ReverbDestroy(&handle));
    EXPECT_EQ(kReverbOutOfRange, ReverbDestroy(nullptr));
    // The other calls with a null handle are the reverb unit's without a reverb.
    std::vector<float> buffer(64, 0.25f);
    EXPECT_EQ(kReverbNullHandle, ReverbProcess(nullptr, buffer.data(), buffer.data(), 32));
    EXPECT_EQ(buffer, std::vector<float>(64, 0.25f));
}

// The names are the string table's keys for the host's menu, in the order of the preset numbers.
TEST(ReverbPresetsTest, NamesInTableOrder)
{
    const char* names[] = {"MediumHall", "LargeHall", "Plate", "Cathedral", "Room1", "Room2", "Room3"};
    for (int i = 0; i < kReverbPresetCount; ++i)
        EXPECT_STREQ(names[i], ReverbPresetName(i));
    EXPECT_EQ(nullptr, ReverbPresetName(-1));
    EXPECT_EQ(nullptr, ReverbPresetName(7));
    EXPECT_EQ(nullptr, GetReverbPreset(-1));
}

// The reverb draws the same numbers on every system, whatever the host does with the C run-time's generator.
TEST(RuntimeRandom, DrawsTheWindowsRunTimeSequenceWhateverTheHostSeeds)
{
    SeedRuntimeRandom(1);
    std::srand(12345);
    for (int expected : {41, 18467, 6334, 26500, 19169})
    {
        std::rand();
        EXPECT_EQ(RuntimeRandom15(), expected);
    }
}

TEST_F(CReverbTest, PresetOutsideTheTableAnswersBadPresetAndChangesNothing)
{
    ASSERT_EQ(kReverbOk, reverb.SetPreset(3));
    const float preDelay = reverb.PreDelay();
    const float decay = reverb.Network().TankB().Decay();
    for (int index : {7, -1, -1000, 1 << 30})
    {
        EXPECT_EQ(kReverbBadPreset, reverb.SetPreset(index));
        EXPECT_EQ(3, reverb.Preset());
        EXPECT_EQ(preDelay, reverb.PreDelay());
        EXPECT_EQ(decay, reverb.Network().TankB().Decay());
    }
}

TEST_F(CReverbTest, MixOutsideZeroToOneIsClampedAndReported)
{
    const struct
    {
        float mix;
        ReverbResult result;
        float wet;
    } cases[] = {{1.5f, kReverbOutOfRange, 1.0f},
                 {0.25f, kReverbOk, 0.25f},
                 {std::nanf(""), kReverbOutOfRange, 0.0f},
                 {-0.5f, kReverbOutOfRange, 0.0f}};
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.result, reverb.SetMix(c.mix)) << c.mix;
        EXPECT_EQ(c.wet, reverb.Wet()) << c.mix;
        EXPECT_EQ(1.0f - c.wet, reverb.Dry()) << c.mix;
    }
}

TEST_F(CReverbTest, DryOnlyMixPassesTheInputExactly)
{
    ASSERT_EQ(kReverbOk, reverb.SetMix(0.0f));
    const std::vector<float> in = Tone(4000);
    EXPECT_EQ(in, Render(reverb, in));
}

TEST_F(CReverbTest, EightThousandOneHundredNinetyThreeFramesAreRefusedUntouched)
{
    std::vector<float> in(2 * 8193, 0.5f);
    std::vector<float> out(2 * 8193, -3.0f);
    EXPECT_EQ(kReverbOutOfRange, reverb.Process(in.data(), out.data(), 8193));
    EXPECT_EQ(out, std::vector<float>(2 * 8193, -3.0f));
    EXPECT_EQ(kReverbOutOfRange, reverb.Process(in.data(), out.data(), -1));
    EXPECT_EQ(kReverbOutOfRange, reverb.Process(nullptr, out.data(), 16));
    EXPECT_EQ(kReverbOk, reverb.Process(in.data(), out.data(), 8192));
}

TEST_F(CReverbTest, InPlaceAndSeparateBuffersGiveTheSameOutput)
{
    CReverb separate;
    CReverb inPlace;
    SeedRuntimeRandom(3);
    ASSERT_EQ(kReverbOk, separate.Create(kRate, 2, 0));
    SeedRuntimeRandom(3);
    ASSERT_EQ(kReverbOk, inPlace.Create(kRate, 2, 0));
    separate.SetMix(0.3f);
    inPlace.SetMix(0.3f);
    const std::vector<float> in = Tone(3000);
    std::vector<float> out(in.size());
    ASSERT_EQ(kReverbOk, separate.Process(in.data(), out.data(), 3000));
    EXPECT_EQ(out, Render(inPlace, in));
}

} // namespace
