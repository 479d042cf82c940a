// The built plug-in under a hostile host: seeded random sequences of every kind of host call, then all
// notes off and the pedal up and ten seconds of blocks. Each seed is its own test; more run with
// VIRELLANDO_HOSTILE_SEED=<first seed> and VIRELLANDO_HOSTILE_RUNS=<count>.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <vector>

#include "hardening/HostileHost.h"
#include "hardening/PianoLikeBank.h"
#include "instrument/programs/PresetsFile.h"
#include "support/PluginFolder.h"

using namespace host;
using namespace instrument;
using namespace plughost;

namespace
{
constexpr int kParameters = 11;
// Sequences with rate changes, then a stretch at one rate the engine runs at, so that a note left
// sounding before the end is still sounding at the end.
constexpr int kStepsChangingRates = 400;
constexpr int kStepsAtOneRate = 200;
// A released voice ends at the engine's noise floor and the reverb sleeps after two seconds below -60 dB,
// then the instrument writes exact zeros. Ten seconds cover any tail, so the last second is allowed no more
// than -120 dBFS, far below the quietest note the engine plays (velocity 1 holds above -100 dBFS).
constexpr double kSilence = 1e-6;

// What a fresh instance answers; a mistreated one must answer the same.
std::vector<std::string> AnswersOf(PluginInstance& instance)
{
    std::vector<std::string> answers;
    for (int i = 0; i < kParameters; ++i)
        for (const VstInt32 opcode : {effGetParamName, effGetParamLabel})
            answers.push_back(instance.getString(opcode, i));
    for (const VstInt32 opcode : {effGetEffectName, effGetVendorString, effGetProductString})
        answers.push_back(instance.getString(opcode));
    for (const VstInt32 opcode : {effGetVendorVersion, effGetVstVersion, effGetPlugCategory})
        answers.push_back(std::to_string(instance.dispatch(opcode)));
    for (const char* text :
         {"receiveVstEvents", "receiveVstMidiEvent", "midiProgramNames", "sendVstMidiEvent"})
        answers.push_back(std::to_string(instance.canDo(text)));
    const AEffect* e = instance.effect();
    for (const VstInt32 value : {e->numParams, e->numOutputs, e->flags, e->uniqueID})
        answers.push_back(std::to_string(value));
    return answers;
}

// Programs with values a damaged presets file may carry and a name without its terminator.
std::vector<StoredProgram> OddPrograms()
{
    std::vector<StoredProgram> programs(8);
    const float values[] = {0.0f, 1.0f, 0.5f, -1.0f, 2.0f, NAN, INFINITY, 0.25f};
    for (size_t p = 0; p < programs.size(); ++p)
    {
        std::snprintf(programs[p].name, sizeof programs[p].name, "Program %zu", p);
        for (int i = 0; i < kParameters; ++i)
            programs[p].values[i] = values[(p + static_cast<size_t>(i)) % std::size(values)];
    }
    std::memset(programs[3].name, 'x', sizeof programs[3].name);
    return programs;
}

class HostileHostTest : public ::testing::TestWithParam<uint32_t>
{
protected:
    void SetUp() override
    {
        folder.addBank(hardening::MakePianoLikeBank().bytes());
        ASSERT_TRUE(PresetsFile::write(folder.besidePlugin("presets").c_str(), OddPrograms()));
    }

    void runSeed(uint32_t seed)
    {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const float startRates[] = {22050.0f, 44100.0f, 48000.0f, 96000.0f};
        HostAnswers answers;
        answers.sampleRate = startRates[seed % std::size(startRates)];
        answers.blockSize = 512;
        auto reference = folder.instantiate(answers);
        auto instance = folder.instantiate(answers);
        ASSERT_TRUE(reference && instance);
        const std::vector<std::string> expected = AnswersOf(*reference);
        reference->close();

        HostileHost host(*instance, seed, static_cast<float>(answers.sampleRate));
        ASSERT_TRUE(host.run(kStepsChangingRates, true)) << host.fault();
        host.settle();
        ASSERT_TRUE(host.run(kStepsAtOneRate, false)) << host.fault();

        // A sequence may leave the volume or every tone band at 0, which would hide a stuck note.
        for (const VstInt32 volumeAndBands : {4, 8, 9, 10})
            instance->setParameter(volumeAndBands, 0.5f);
        // Events still queued for the next block are played first, so that the last word is the host's.
        ASSERT_TRUE(host.render(0.0)) << host.fault();
        instance->sendMidi({{0, 0xb0, 123, 0}, {0, 0xb0, 64, 0}});
        ASSERT_TRUE(host.render(10.0)) << host.fault();
        std::cout << "seed " << seed << ": largest sample " << host.largest() << " (threshold "
                  << HostileHost::threshold() << "), last second's peak " << host.lastSecondPeak() << " at "
                  << host.sampleRate() << " Hz\n";
        EXPECT_LE(host.lastSecondPeak(), kSilence) << "a note is still sounding";

        EXPECT_EQ(expected, AnswersOf(*instance));

        int32_t chunk[12] = {1, 2, 0, 0, 0, 0, 0, 0, 0, 0, 4, 5};
        const float amounts[] = {0.7f, 0.2f, 0.4f, 0.6f, 0.1f, 1.5f, 0.5f, 2.0f};
        std::memcpy(&chunk[2], amounts, sizeof amounts);
        ASSERT_EQ(48, instance->dispatch(effSetChunk, 0, 48, chunk));
        void* data = nullptr;
        ASSERT_EQ(48, instance->dispatch(effGetChunk, 0, 0, &data));
        ASSERT_NE(nullptr, data);
        EXPECT_EQ(0, std::memcmp(chunk, data, 48));
        EXPECT_FLOAT_EQ(0.75f, instance->getParameter(8));
    }

    PluginFolder folder;
};

TEST_P(HostileHostTest, SurvivesAndEndsSilentAndSane)
{
    runSeed(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Seeds, HostileHostTest, ::testing::Values(1u, 2u, 3u, 4u, 5u, 6u));

// By default the two seeds after the fixed ones.
TEST_F(HostileHostTest, FurtherSeeds)
{
    const char* first = std::getenv("VIRELLANDO_HOSTILE_SEED");
    const char* runs = std::getenv("VIRELLANDO_HOSTILE_RUNS");
    const uint32_t seed = first ? static_cast<uint32_t>(std::strtoul(first, nullptr, 10)) : 7;
    const uint32_t count = runs ? static_cast<uint32_t>(std::strtoul(runs, nullptr, 10)) : 2;
    for (uint32_t i = 0; i < count && !HasFatalFailure(); ++i)
        runSeed(seed + i);
}

} // namespace
