#include "dsp/zreverb/CReverb.h"
#include "dsp/zreverb/RuntimeRandom.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

using namespace zreverb;

namespace
{

constexpr int kRate = 44100;

// Runs frames of interleaved stereo through the reverb in blocks of at most CReverb::kMaxFrames.
std::vector<float> Render(CReverb& reverb, std::vector<float> buffer)
{
    const int frames = static_cast<int>(buffer.size() / 2);
    for (int done = 0; done < frames; done += CReverb::kMaxFrames)
    {
        const int chunk = std::min(CReverb::kMaxFrames, frames - done);
        EXPECT_EQ(kReverbOk, reverb.Process(buffer.data() + 2 * done, buffer.data() + 2 * done, chunk));
    }
    return buffer;
}

std::vector<float> Impulse(int frames, int channel)
{
    std::vector<float> buffer(static_cast<size_t>(2 * frames), 0.0f);
    buffer[static_cast<size_t>(channel)] = 1.0f;
    return buffer;
}

// First frame whose sample on the channel exceeds the level, -1 if none. The anti-denormal noise keeps
// the output from being exactly zero, so "silent" means below this level.
int FirstAbove(const std::vector<float>& out, int channel, float level = 1e-9f)
{
    for (size_t f = 0; f < out.size() / 2; ++f)
    {
        if (std::fabs(out[2 * f + static_cast<size_t>(channel)]) > level)
        {
            return static_cast<int>(f);
        }
    }
    return -1;
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

TEST_F(CReverbTest, OtherConfigurationsAreRefused)
{
    CReverb other;
    EXPECT_EQ(kReverbOutOfRange, other.Create(kRate, 1, 0));
    EXPECT_EQ(kReverbOutOfRange, other.Create(kRate, 2, 1));
    EXPECT_EQ(kReverbOutOfRange, other.Create(0, 2, 0));
}

TEST_F(CReverbTest, PresetOutsideTheTableAnswersBadPresetAndChangesNothing)
{
    ASSERT_EQ(kReverbOk, reverb.SetPreset(3));
    for (int index : {7, -1, -1000, 1 << 30})
    {
        EXPECT_EQ(kReverbBadPreset, reverb.SetPreset(index));
        EXPECT_EQ(3, reverb.Preset());
        EXPECT_FLOAT_EQ(0.035f, reverb.PreDelay());
        EXPECT_FLOAT_EQ(5000.0f, reverb.Network().LowPass().Cutoff());
        EXPECT_FLOAT_EQ(0.8f, reverb.Network().TankB().Decay());
        EXPECT_FLOAT_EQ(0.7f, reverb.Network().TankA().TapGain());
        EXPECT_FLOAT_EQ(0.95f, reverb.Network().Diffuser(0).Coefficient());
    }
}

TEST_F(CReverbTest, MixAboveOneIsClampedAndReported)
{
    EXPECT_EQ(kReverbOutOfRange, reverb.SetMix(1.5f));
    EXPECT_EQ(1.0f, reverb.Wet());
    EXPECT_EQ(0.0f, reverb.Dry());
    EXPECT_EQ(kReverbOutOfRange, reverb.SetMix(-0.5f));
    EXPECT_EQ(0.0f, reverb.Wet());
    EXPECT_EQ(1.0f, reverb.Dry());
    EXPECT_EQ(kReverbOutOfRange, reverb.SetMix(std::nanf("")));
    EXPECT_EQ(0.0f, reverb.Wet());
    EXPECT_EQ(kReverbOk, reverb.SetMix(0.25f));
    EXPECT_EQ(0.25f, reverb.Wet());
    EXPECT_EQ(0.75f, reverb.Dry());
}

TEST_F(CReverbTest, DryOnlyMixPassesTheInputExactly)
{
    ASSERT_EQ(kReverbOk, reverb.SetMix(0.0f));
    std::vector<float> in(2 * 4000);
    for (size_t i = 0; i < in.size(); ++i)
    {
        in[i] = std::sin(0.05f * static_cast<float>(i)) * 0.9f;
    }
    const std::vector<float> out = Render(reverb, in);
    EXPECT_EQ(in, out);
}

TEST_F(CReverbTest, EightThousandOneHundredNinetyThreeFramesAreRefusedUntouched)
{
    std::vector<float> in(2 * 8193, 0.5f);
    std::vector<float> out(2 * 8193, -3.0f);
    EXPECT_EQ(kReverbOutOfRange, reverb.Process(in.data(), out.data(), 8193));
    for (float v : out)
    {
        ASSERT_EQ(-3.0f, v);
    }
    EXPECT_EQ(kReverbOutOfRange, reverb.Process(in.data(), out.data(), -1));
    EXPECT_EQ(kReverbOutOfRange, reverb.Process(nullptr, out.data(), 16));
    EXPECT_EQ(kReverbOk, reverb.Process(in.data(), out.data(), 8192));
}

TEST_F(CReverbTest, InPlaceAndSeparateBuffersGiveTheSameOutput)
{
    zreverb::SeedRuntimeRandom(3);
    CReverb other;
    ASSERT_EQ(kReverbOk, other.Create(kRate, 2, 0));
    zreverb::SeedRuntimeRandom(3);
    CReverb same;
    ASSERT_EQ(kReverbOk, same.Create(kRate, 2, 0));
    other.SetMix(0.3f);
    same.SetMix(0.3f);
    std::vector<float> in(2 * 3000);
    for (size_t i = 0; i < in.size(); ++i)
    {
        in[i] = std::sin(0.01f * static_cast<float>(i)) * (i % 2 ? 0.5f : 1.0f);
    }
    std::vector<float> separate(in.size());
    ASSERT_EQ(kReverbOk, other.Process(in.data(), separate.data(), 3000));
    const std::vector<float> inPlace = Render(same, in);
    for (size_t i = 0; i < in.size(); ++i)
    {
        ASSERT_EQ(separate[i], inPlace[i]) << i;
    }
}

// Every preset's impulse response: a tail on both channels that starts after the preset's pre-delay,
// stays finite, and dies away; the larger spaces ring longer than the rooms.
TEST_F(CReverbTest, EveryPresetRingsAndDiesAway)
{
    double lateEnergy[kReverbPresetCount] = {};
    for (int preset = 0; preset < kReverbPresetCount; ++preset)
    {
        ASSERT_EQ(kReverbOk, reverb.SetPreset(preset));
        reverb.Reset();
        const std::vector<float> out = Render(reverb, Impulse(6 * kRate, preset % 2));
        double energy[6] = {};
        for (size_t f = 0; f < out.size() / 2; ++f)
        {
            ASSERT_TRUE(std::isfinite(out[2 * f]) && std::isfinite(out[2 * f + 1])) << preset << ", " << f;
            energy[f / kRate] += out[2 * f] * out[2 * f] + out[2 * f + 1] * out[2 * f + 1];
        }
        EXPECT_GT(FirstAbove(out, 0, 1e-6f), 0) << preset;
        EXPECT_GT(FirstAbove(out, 1, 1e-6f), 0) << preset;
        EXPECT_GT(energy[0], 1e-3) << preset;
        for (int second = 1; second < 6; ++second)
            EXPECT_TRUE(energy[second] < energy[second - 1] || energy[second] < 1e-20) // the noise floor
                << preset << ", second " << second;
        EXPECT_LT(energy[5], energy[0] * 1e-3) << preset;
        lateEnergy[preset] = energy[1] / energy[0];
    }
    // Halls and cathedral against the three rooms.
    for (const int space : {0, 1, 3})
        for (const int room : {4, 5, 6})
            EXPECT_GT(lateEnergy[space], lateEnergy[room]) << space << " against " << room;
}

} // namespace
