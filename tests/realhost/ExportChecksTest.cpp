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

TEST(ExportChecks, AProgramMovesTheValuesThenTheChangesAreExactlyTheSetOnesAndComeBackAsSaved)
{
    const ParameterValues defaults{{0, 3.0}, {1, 50.0}, {3, 1.0}, {4, 50.0}};
    const ParameterValues program{{0, 3.0}, {1, 60.0}, {3, 2.0}, {4, 55.0}};
    const ParameterValues saved{{0, 0.0}, {1, 60.0}, {3, 4.0}, {4, 30.0}};
    const std::string moved = "the program set its values",
                      set = "the host changed exactly the parameters set",
                      back = "the reopened session has the saved values";
    // The saved values with one changed, or left out when the value is NaN.
    const auto but = [](ParameterValues values, int index, double value)
    {
        if (std::isnan(value))
            values.erase(index);
        else
            values[index] = value;
        return values;
    };
    const struct
    {
        const char* what;
        ParameterValues defaults, program, saved, reopened;
        std::set<std::string> failing;
    } cases[] = {
        {"as intended", defaults, program, saved, saved, {}},
        {"the program changed nothing", defaults, defaults, saved, saved, {moved, set}},
        {"a change did not take", defaults, program, but(saved, 0, 3.0), but(saved, 0, 3.0), {set}},
        {"another value moved too", defaults, program, but(saved, 1, 70.0), but(saved, 1, 70.0), {set}},
        {"reopened with the program's values", defaults, program, saved, program, {back}},
        // A plain value of 30 read back as 30.0000012 from a float is the same value.
        {"reopened with a float's rounding", defaults, program, saved, but(saved, 4, 30.0000012), {}},
        {"reopened a little off", defaults, program, saved, but(saved, 4, 30.001), {back}},
        {"a value missing after reopening", defaults, program, saved, but(saved, 4, std::nan("")), {back}},
        {"nothing reported", {}, {}, {}, {}, {moved, set, back}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(failed(checkParameters(c.defaults, c.program, c.saved, c.reopened, {0, 3, 4})), c.failing)
            << c.what;
}

TEST(ExportChecks, TheProgramComesBackAsAskedFor)
{
    EXPECT_TRUE(checkProgram("Bright Pop", "Bright Pop", "Bright Pop").passed);
    EXPECT_FALSE(checkProgram("Bright Pop", "Bright Pop", "Concert Grand").passed);
    EXPECT_FALSE(checkProgram("Bright Pop", "", "Bright Pop").passed);
    EXPECT_FALSE(checkProgram("", "", "").passed);
}

// A note at 440 Hz from frame 10000 to 32050 under a pedal lifted at 76150: its tone with a second and a
// third harmonic, decaying slowly while held (by key or pedal) and with `dampedSeconds` once the pedal lifts
// (or, without the pedal, once the key does).
StereoTake pedalledNote(double frequency, bool pedal, double dampedSeconds = 0.05)
{
    constexpr int64_t kNoteOn = 10000, kNoteOff = 32050, kPedalUp = 76150, kEnd = 120000;
    std::vector<float> samples(kEnd, 0.0f);
    double envelope = 0.5;
    for (int64_t i = kNoteOn; i < kEnd; ++i)
    {
        const double t = (i - kNoteOn) / kRate;
        const double tone = std::sin(2.0 * M_PI * frequency * t) +
                            0.5 * std::sin(4.0 * M_PI * frequency * t) +
                            0.25 * std::sin(6.0 * M_PI * frequency * t);
        samples[i] = static_cast<float>(envelope * tone / 1.75);
        const bool held = i < (pedal ? kPedalUp : kNoteOff);
        envelope *= std::exp(-1.0 / ((held ? 3.0 : dampedSeconds) * kRate));
    }
    return take(samples);
}

TEST(ExportChecks, ThePedalledNoteIsJudgedAsAMusicianHearsIt)
{
    const PedalledNote note{9000, 10000, 32050, 76150, 440.0};
    const std::string pitch = "the pedalled note sounds at its pitch",
                      held = "the sustain pedal holds the note after its release",
                      damped = "lifting the pedal damps the note";
    const struct
    {
        const char* what;
        StereoTake take;
        std::set<std::string> failing;
    } cases[] = {
        {"as a piano plays it", pedalledNote(440.0, true), {}},
        {"a semitone flat", pedalledNote(415.3, true), {pitch}},
        {"the pedal never reached the instrument", pedalledNote(440.0, false), {held}},
        {"the pedal lifted but nothing was damped", pedalledNote(440.0, true, 3.0), {damped}},
        {"silence", take(std::vector<float>(120000, 0.0f)), {pitch, held, damped}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(failed(checkPedalledNote(c.take, note)), c.failing) << c.what;
}

TEST(ExportChecks, ANotePlayedOnceIsHeardAtItsPitchAndLevel)
{
    StereoTake quiet = pedalledNote(261.63, false);
    for (float& sample : quiet.samples)
        sample *= 0.01f;
    const struct
    {
        const char* what;
        StereoTake take;
        bool passes;
    } cases[] = {
        {"played at 261.6 Hz", pedalledNote(261.63, false), true},
        {"a semitone sharp", pedalledNote(277.18, false), false},
        {"far too quiet", quiet, false},
        {"silence", take(std::vector<float>(120000, 0.0f)), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(checkNoteHeard(c.take, 261.63).passed, c.passes) << c.what;
}

} // namespace
