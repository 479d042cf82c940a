#include "realhost/ExportChecks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

using namespace realhost;

namespace
{

constexpr double kRate = 44100.0;
constexpr int64_t kOn = 45000, kOff = 89100;
constexpr int64_t kLength = 89100 + 3 * 44100;
constexpr int64_t kOnTime = kOn + 288;

// A struck chord: silence until `start`, then a 440 Hz tone decaying with `heldSeconds`, and with
// `releasedSeconds` from the release on.
std::vector<float> chordSamples(int64_t start, double level, double heldSeconds = 1.0,
                                double releasedSeconds = 0.15)
{
    std::vector<float> samples(kLength, 0.0f);
    double envelope = level;
    for (int64_t i = std::max<int64_t>(start, 0); i < kLength; ++i)
    {
        samples[i] = static_cast<float>(envelope * std::sin(2.0 * M_PI * 440.0 * (i - start) / kRate));
        envelope *= std::exp(-1.0 / ((i < kOff ? heldSeconds : releasedSeconds) * kRate));
    }
    return samples;
}

// The same samples on both channels.
StereoTake take(const std::vector<float>& mono)
{
    StereoTake stereo{kRate, {}};
    for (float sample : mono)
        stereo.samples.insert(stereo.samples.end(), {sample, sample});
    return stereo;
}

StereoTake chord(int64_t start, double level, double heldSeconds = 1.0, double releasedSeconds = 0.15)
{
    return take(chordSamples(start, level, heldSeconds, releasedSeconds));
}

std::set<std::string> failed(const std::vector<Check>& checks)
{
    std::set<std::string> names;
    for (const Check& check : checks)
        if (!check.passed)
            names.insert(check.name);
    return names;
}

TEST(ExportChecks, JudgeTheChordAsAMusicianHearsIt)
{
    const std::string sounds = "the chord sounds", silence = "silence before the chord",
                      onTime = "the chord starts where it was played",
                      diesAway = "the chord dies away after its release";
    std::vector<float> cutShort = chordSamples(kOnTime, 0.5);
    cutShort.resize(kOff + 44100);
    const struct
    {
        const char* what;
        StereoTake take;
        std::set<std::string> failing;
    } cases[] = {
        {"played on time, released", chord(kOnTime, 0.5), {}},
        {"no sound at all", chord(kLength, 0.5), {sounds, silence, onTime, diesAway}},
        {"only faint noise", chord(kOnTime, 0.01), {sounds}},
        {"clipping", chord(kOnTime, 1.5), {sounds}},
        {"moved to the start of its cycle", chord(kOn - 900, 0.5), {silence, onTime}},
        {"a block late", chord(kOn + 1024, 0.5), {onTime}},
        {"the release is lost", chord(kOnTime, 0.5, 1.0, 1.0), {diesAway}},
        {"cut short before the release can show", take(cutShort), {diesAway}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(failed(checkChord(c.take, kOn, kOff)), c.failing) << c.what;
}

TEST(ExportChecks, TheSameSoundIsTheSameSamplesAndAChangeIsAudible)
{
    const std::vector<float> samples = chordSamples(kOnTime, 0.5);
    std::vector<float> nudged = samples, longer = samples;
    nudged[kOff] += 1e-4f;
    longer.push_back(0.0f);
    const StereoTake same = take(samples);
    EXPECT_TRUE(checkSameSound(same, same).passed);
    for (const StereoTake& other : {take(nudged), chord(kOnTime + 1, 0.5), take(longer)})
        EXPECT_FALSE(checkSameSound(same, other).passed);
    EXPECT_FALSE(checkSameSound({}, {}).passed);
    EXPECT_FALSE(checkSoundChanged(same, same).passed);
    EXPECT_FALSE(checkSoundChanged(same, chord(kOnTime, 0.49)).passed);
    EXPECT_TRUE(checkSoundChanged(same, chord(kOnTime, 0.3)).passed);
}

TEST(ExportChecks, ParametersChangeAsSetAndComeBackAsSaved)
{
    const ParameterValues defaults{{0, 0.875}, {1, 0.5}, {3, 0.214286}, {4, 0.5}};
    const ParameterValues saved{{0, 0.125}, {1, 0.5}, {3, 0.642857}, {4, 0.3}};
    const std::string set = "the host changed exactly the parameters set",
                      back = "the reopened session has the saved values";
    // The saved values with one changed, or left out when the value is NaN.
    const auto but = [&](int index, double value)
    {
        ParameterValues values = saved;
        if (std::isnan(value))
            values.erase(index);
        else
            values[index] = value;
        return values;
    };
    const struct
    {
        const char* what;
        ParameterValues defaults, saved, reopened;
        std::set<std::string> failing;
    } cases[] = {
        {"as intended", defaults, saved, saved, {}},
        {"a change did not take", defaults, but(0, 0.875), but(0, 0.875), {set}},
        {"another value moved too", defaults, but(1, 0.7), but(1, 0.7), {set}},
        {"reopened with the defaults", defaults, saved, defaults, {back}},
        {"reopened a little off", defaults, saved, but(4, 0.30001), {back}},
        {"a value missing after reopening", defaults, saved, but(4, std::nan("")), {back}},
        {"nothing reported", {}, {}, {}, {set, back}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(failed(checkParameters(c.defaults, c.saved, c.reopened, {0, 3, 4})), c.failing) << c.what;
}

} // namespace
