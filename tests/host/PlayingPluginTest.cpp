// The built plug-in playing a small sound bank beside it, as a host plays it: what it sounds like with the
// lid closed or open and with and without the strings' resonance; and its parameters as the host sees them.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numeric>

#include "instrument/PianoTestBanks.h"
#include "support/PluginFolder.h"

using namespace host;
using namespace plughost;

namespace
{
constexpr int kBlock = 256;
constexpr double kRate = 44100.0;

// The energy of a signal's second difference, which weighs each frequency by the fourth power of its
// distance from 0 Hz: mostly the highs.
double Highs(const std::vector<float>& x)
{
    double sum = 0.0;
    for (size_t i = 2; i < x.size(); ++i)
        sum += std::pow(static_cast<double>(x[i]) - 2.0 * x[i - 1] + x[i - 2], 2.0);
    return sum;
}

// The energy of a signal twice averaged over 256 frames: what lies below about 150 Hz.
double Lows(std::vector<float> x)
{
    for (int pass = 0; pass < 2; ++pass)
    {
        const std::vector<float> in = x;
        double run = 0.0;
        for (size_t i = 0; i < x.size(); ++i)
            x[i] = static_cast<float>((run += in[i] - (i >= 256 ? in[i - 256] : 0.0f)) / 256.0);
    }
    return std::inner_product(x.begin() + 512, x.end(), x.begin() + 512, 0.0);
}

class PlayingPlugin : public ::testing::Test
{
protected:
    void start(const std::vector<uint8_t>& bank)
    {
        folder.addBank(bank);
        plugin = folder.instantiate();
        ASSERT_TRUE(plugin);
        ASSERT_TRUE(WaitForSampleData(*plugin));
        plugin->setBlockSize(kBlock);
        plugin->dispatch(effMainsChanged, 0, 1);
        plugin->setParameter(2, 0.0f); // only the dry piano: the reverb would blur every comparison
    }

    // Renders seconds of audio in host blocks: the left channel, then the right.
    std::vector<float> render(double seconds)
    {
        return Render(*plugin, static_cast<int>(seconds * kRate) / kBlock * kBlock, kBlock);
    }

    PluginFolder folder;
    std::unique_ptr<PluginInstance> plugin;
};

TEST_F(PlayingPlugin, TheClosedLidLowersOnlyTheUpperBands)
{
    start(instrumenttest::NoiseBank());
    plugin->setParameter(0, 1.0f);
    plugin->sendMidi({{0, 0x90, 60, 127}});
    render(0.2);
    const std::vector<float> open = render(1.0);
    plugin->setParameter(0, 0.0f);
    render(0.2);
    const std::vector<float> closed = render(1.0);

    // The closed lid's curve lies 3 to 8 dB below the open one's from 500 Hz up, most at the top; up to
    // 250 Hz both curves are the same.
    EXPECT_LT(10.0 * std::log10(Highs(closed) / Highs(open)), -4.0);
    EXPECT_NEAR(10.0 * std::log10(Lows(closed) / Lows(open)), 0.0, 0.5);
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
        const std::vector<float> held = render(0.3);
        plugin->sendMidi({{0, 0xB0, 64, 0}, {0, 0xB0, 123, 0}});
        render(0.3);
        return std::inner_product(held.begin(), held.end(), held.begin(), 0.0);
    };
    start(instrumenttest::ResonanceBank());
    const double dry = afterRelease(0.0f);
    const double resonant = afterRelease(1.0f);
    EXPECT_GT(dry, 1.0);
    // The resonance layer comes up to the tone's own level: nearly twice the energy.
    EXPECT_GT(resonant, dry * 1.6);
}

class PluginParameters : public PlayingPlugin
{
protected:
    void SetUp() override
    {
        folder.addStringTable();
        plugin = folder.instantiate();
        ASSERT_TRUE(plugin);
    }
};

TEST_F(PluginParameters, NamesAndLabelsFromTheStringTable)
{
    EXPECT_EQ(plugin->getString(effGetParamName, 0), "Lid");
    EXPECT_EQ(plugin->getString(effGetParamName, 5), "VelCurve");
    EXPECT_EQ(plugin->getString(effGetParamName, 10), "Treble");
    EXPECT_EQ(plugin->getString(effGetParamLabel, 1), "%");
    EXPECT_EQ(plugin->getString(effGetParamLabel, 3), "");
}

// Stepped parameters report the centre of their step; the steps' edges are where a host's automation
// switches.
TEST_F(PluginParameters, ValuesAreReportedAndShownAtTheEdgesOfTheirSteps)
{
    const struct
    {
        int index;
        float value, reported;
        const char* shown;
    } rows[] = {{0, 1.0f, 0.875f, "Open"},
                {0, 0.74f, 0.625f, "OpenMore"},
                {0, 0.25f, 0.375f, "OpenSome"},
                {0, 0.24f, 0.125f, "Closed"},
                {3, 1.0f, 13.0f / 14.0f, "Room 3"},
                {5, 0.5f, 0.5f, "Normal"},
                {5, 1.0f, 0.9f, "Very Hea"},
                {8, 0.5f, 0.5f, "100"},
                {10, 1.0f, 1.0f, "200"},
                {4, 0.333f, 0.333f, "33"}};
    for (const auto& row : rows)
    {
        plugin->setParameter(row.index, row.value);
        EXPECT_FLOAT_EQ(plugin->getParameter(row.index), row.reported) << row.index << " at " << row.value;
        EXPECT_EQ(plugin->getString(effGetParamDisplay, row.index), row.shown)
            << row.index << " at " << row.value;
    }
}

TEST_F(PluginParameters, ValuesOutsideZeroToOneAndUnknownIndicesChangeNothingButAreLogged)
{
    plugin->setParameter(2, 0.4f);
    for (const float outside : {1.5f, -0.1f, std::numeric_limits<float>::quiet_NaN()})
        plugin->setParameter(2, outside);
    EXPECT_EQ(plugin->getParameter(2), 0.4f);
    plugin->setParameter(11, 0.5f);
    EXPECT_EQ(plugin->getParameter(11), 0.0f);
    EXPECT_TRUE(folder.logHas("Set Parameter 2 value 1.500000"));
}
} // namespace
