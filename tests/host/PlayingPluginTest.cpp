// The built plug-in playing a small sound bank beside it, as a host plays it: what it sounds like with the
// lid closed or open, with and without the hammer's noises, with and without the strings' resonance; and
// its parameters as the host sees them.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <thread>

#include "dsp/TenBandEQ.h"
#include "host/BandEnergy.h"
#include "instrument/PianoTestBanks.h"
#include "piano/LidCurves.h"
#include "support/PluginFolder.h"

using namespace dsp;
using namespace host;
using namespace piano;
using namespace plughost;

namespace
{
constexpr int kBlock = 256;
constexpr double kRate = 44100.0;

std::vector<float> WhiteNoise(size_t frames)
{
    std::vector<float> noise(frames);
    uint32_t state = 99u;
    for (float& sample : noise)
    {
        state = state * 1664525u + 1013904223u;
        sample = static_cast<float>(static_cast<int32_t>(state)) * 1e-10f;
    }
    return noise;
}

// The signal through a ten-band equaliser holding one lid position's curve.
std::vector<float> Equalised(std::vector<float> signal, int lidPosition)
{
    const LidCurves curves;
    TenBandEQ eq(static_cast<float>(kRate));
    for (int band = 0; band < LidCurves::kBandCount; ++band)
        eq.SetBandGain(band, static_cast<float>((*curves.curve(lidPosition))[static_cast<size_t>(band)]));
    for (float& sample : signal)
    {
        float right = sample;
        eq.ProcessSample(sample, right);
    }
    return signal;
}

class PlayingPlugin : public ::testing::Test
{
protected:
    void start(const std::vector<uint8_t>& bank)
    {
        folder.addStringTable();
        folder.writeFile("DAT", std::string(bank.begin(), bank.end()));
        plugin = folder.instantiate();
        ASSERT_TRUE(plugin);
        ASSERT_TRUE(WaitForSampleData(*plugin));
        plugin->setBlockSize(kBlock);
        plugin->dispatch(effMainsChanged, 0, 1);
        // Only the dry piano: the reverb would blur every comparison.
        plugin->setParameter(2, 0.0f);
    }

    // Renders seconds of audio in host blocks; the left channel and the right channel one after the other.
    std::vector<float> render(double seconds)
    {
        const int frames = static_cast<int>(seconds * kRate) / kBlock * kBlock;
        std::vector<float> out;
        std::vector<float> left(kBlock), right(kBlock), both;
        std::vector<float> rights;
        for (int done = 0; done < frames; done += kBlock)
        {
            plugin->processReplacing(left.data(), right.data(), kBlock);
            out.insert(out.end(), left.begin(), left.end());
            rights.insert(rights.end(), right.begin(), right.end());
        }
        out.insert(out.end(), rights.begin(), rights.end());
        return out;
    }

    static double energy(const std::vector<float>& samples)
    {
        double sum = 0.0;
        for (float sample : samples)
            sum += static_cast<double>(sample) * sample;
        return sum;
    }

    PluginFolder folder;
    std::unique_ptr<PluginInstance> plugin;
};
} // namespace

TEST_F(PlayingPlugin, ANoteSounds)
{
    start(instrumenttest::ReleaseNoiseBank());
    EXPECT_EQ(energy(render(0.1)), 0.0);
    plugin->sendMidi({{10, 0x90, 60, 100}});
    EXPECT_GT(energy(render(0.2)), 1.0);
}

TEST_F(PlayingPlugin, TheClosedLidLowersTheUpperBandsByItsCurve)
{
    start(instrumenttest::NoiseBank());
    plugin->setParameter(0, 1.0f);
    plugin->sendMidi({{0, 0x90, 60, 127}});
    render(0.2);
    const std::vector<float> open = render(1.0);
    plugin->setParameter(0, 0.0f);
    render(0.2);
    const std::vector<float> closed = render(1.0);

    const auto change = [](const std::vector<float>& a, const std::vector<float>& b, double low, double high)
    { return 10.0 * std::log10(BandEnergy(a, kRate, low, high) / BandEnergy(b, kRate, low, high)); };
    // What the two curves do to white noise in an equaliser of their own.
    const std::vector<float> noise = WhiteNoise(open.size());
    const std::vector<float> openNoise = Equalised(noise, LidCurves::kOpen);
    const std::vector<float> closedNoise = Equalised(noise, 0);
    const double expected = change(closedNoise, openNoise, 4000.0, 16000.0);
    ASSERT_LT(expected, -4.0);
    EXPECT_NEAR(change(closed, open, 4000.0, 16000.0), expected, 0.5);
    // The bands up to 250 Hz are the same in both positions.
    EXPECT_NEAR(change(closed, open, 40.0, 160.0), 0.0, 0.5);
}

TEST_F(PlayingPlugin, HammerZeroLeavesOutTheReleaseNoiseThatFullHammerPlays)
{
    const auto afterRelease = [this](float hammer)
    {
        plugin->setParameter(1, hammer);
        plugin->sendMidi({{0, 0x90, 60, 100}});
        render(0.2);
        plugin->sendMidi({{0, 0x80, 60, 0}});
        // The tone's own release and the limiter's look-ahead are over within 20 ms.
        render(0.02);
        return energy(render(0.08));
    };
    start(instrumenttest::ReleaseNoiseBank());
    const double quiet = afterRelease(0.0f);
    const double noisy = afterRelease(1.0f);
    EXPECT_GT(noisy, 1.0);
    EXPECT_LT(quiet, noisy * 1e-6);
}

TEST_F(PlayingPlugin, WithTheSustainPedalDownResonanceLeavesMoreAfterTheNoteOff)
{
    const auto afterRelease = [this](float resonance)
    {
        plugin->setParameter(6, resonance);
        render(0.01);
        plugin->sendMidi({{0, 0xB0, 64, 127}, {10, 0x90, 60, 100}});
        render(0.4);
        plugin->sendMidi({{0, 0x80, 60, 0}});
        const double held = energy(render(0.3));
        plugin->sendMidi({{0, 0xB0, 64, 0}, {0, 0xB0, 123, 0}});
        render(0.3);
        return held;
    };
    start(instrumenttest::ResonanceBank());
    const double dry = afterRelease(0.0f);
    const double resonant = afterRelease(1.0f);
    EXPECT_GT(dry, 1.0);
    // The resonance layer comes up to the tone's own level: nearly twice the energy.
    EXPECT_GT(resonant, dry * 1.6);
}

// --- Parameters as the host sees them ---

namespace
{
class PluginParameters : public PlayingPlugin
{
protected:
    void SetUp() override
    {
        folder.addStringTable();
        plugin = folder.instantiate();
        ASSERT_TRUE(plugin);
    }

    std::string display(int index) { return plugin->getString(effGetParamDisplay, index); }
};
} // namespace

TEST_F(PluginParameters, NamesAndLabelsFromTheStringTable)
{
    EXPECT_EQ(plugin->getString(effGetParamName, 0), "Lid");
    EXPECT_EQ(plugin->getString(effGetParamName, 5), "VelCurve");
    EXPECT_EQ(plugin->getString(effGetParamName, 10), "Treble");
    EXPECT_EQ(plugin->getString(effGetParamLabel, 1), "%");
    EXPECT_EQ(plugin->getString(effGetParamLabel, 3), "");
}

TEST_F(PluginParameters, SteppedParametersReportTheCentresOfTheirSteps)
{
    plugin->setParameter(0, 1.0f);
    EXPECT_EQ(plugin->getParameter(0), 0.875f);
    EXPECT_EQ(display(0), "Open");
    plugin->setParameter(0, 0.74f);
    EXPECT_EQ(display(0), "OpenMore");
    plugin->setParameter(0, 0.25f);
    EXPECT_EQ(display(0), "OpenSome");
    plugin->setParameter(0, 0.24f);
    EXPECT_EQ(display(0), "Closed");
    EXPECT_EQ(plugin->getParameter(0), 0.125f);

    plugin->setParameter(3, 1.0f);
    EXPECT_FLOAT_EQ(plugin->getParameter(3), 6.0f / 7.0f + 1.0f / 14.0f);
    EXPECT_EQ(display(3), "Room 3");
    plugin->setParameter(3, plugin->getParameter(3));
    EXPECT_EQ(display(3), "Room 3");

    plugin->setParameter(5, 0.5f);
    EXPECT_EQ(plugin->getParameter(5), 0.5f);
    EXPECT_EQ(display(5), "Normal");
    plugin->setParameter(5, 1.0f);
    EXPECT_EQ(display(5), "Very Hea");
}

TEST_F(PluginParameters, PercentagesAndGains)
{
    plugin->setParameter(8, 0.5f);
    EXPECT_EQ(plugin->getParameter(8), 0.5f);
    EXPECT_EQ(display(8), "100");
    plugin->setParameter(10, 1.0f);
    EXPECT_EQ(display(10), "200");
    plugin->setParameter(4, 0.333f);
    EXPECT_EQ(display(4), "33");
    EXPECT_EQ(plugin->getParameter(4), 0.333f);
}

TEST_F(PluginParameters, ValuesOutsideZeroToOneAndUnknownIndicesChangeNothingButAreLogged)
{
    plugin->setParameter(2, 0.4f);
    plugin->setParameter(2, 1.5f);
    plugin->setParameter(2, -0.1f);
    plugin->setParameter(2, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(plugin->getParameter(2), 0.4f);
    plugin->setParameter(11, 0.5f);
    EXPECT_EQ(plugin->getParameter(11), 0.0f);
    bool logged = false;
    for (const auto& line : folder.logLines())
        logged = logged || line.find("Set Parameter 2 value 1.500000") != std::string::npos;
    EXPECT_TRUE(logged);
}
