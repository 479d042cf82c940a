// Programs from the presets file, the state chunk the host stores with a song, and the answers to the
// host's program and MIDI program name questions.
#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>

#include "instrument/PianoTestBanks.h"
#include "instrument/PlayingInstrument.h"
#include "instrument/programs/PresetsFile.h"

using namespace host;
using namespace instrument;

namespace
{
constexpr int kVolume = 4;

StoredProgram MakeProgram(const char* name, float volume)
{
    StoredProgram program{};
    std::snprintf(program.name, sizeof program.name, "%s", name);
    const float values[ParameterTable::kCount] = {1.0f, 0.5f, 0.0f, 0.0f, volume, 0.5f,
                                                  0.5f, 0.0f, 0.5f, 0.5f, 0.5f};
    std::memcpy(program.values, values, sizeof values);
    return program;
}

class ProgramsAndState : public PlayingInstrument
{
protected:
    void writePresets(const std::vector<StoredProgram>& programs)
    {
        ASSERT_TRUE(PresetsFile::write(beside("presets").string().c_str(), programs));
    }

    void writeRawPresets(double version, uint32_t count, size_t recordBytes)
    {
        std::vector<uint8_t> bytes(12 + recordBytes, 0);
        std::memcpy(bytes.data(), &version, 8);
        std::memcpy(bytes.data() + 8, &count, 4);
        for (size_t i = 12; i < bytes.size(); ++i)
            bytes[i] = 'A';
        writeBeside("presets", bytes);
    }

    void startWithPrograms()
    {
        writePresets({MakeProgram("Concert", 0.2f), MakeProgram("Studio", 0.4f), MakeProgram("Jazz", 0.6f)});
        start(instrumenttest::NoiseBank());
    }

    PianoSettings chunkSettings()
    {
        void* data = nullptr;
        EXPECT_EQ(synth->getChunk(&data, false), 48);
        PianoSettings settings;
        std::memcpy(static_cast<void*>(&settings), data, sizeof settings);
        return settings;
    }
};

bool SameBytes(const PianoSettings& a, const PianoSettings& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}
} // namespace

// --- Programs ---

TEST_F(ProgramsAndState, StartUpAppliesTheFirstProgram)
{
    startWithPrograms();
    EXPECT_EQ(synth->programCount(), 3);
    EXPECT_EQ(synth->getAeffect()->numPrograms, 3);
    EXPECT_EQ(synth->getParameter(kVolume), 0.2f);
}

TEST_F(ProgramsAndState, ProgramsKeepTheirEdits)
{
    startWithPrograms();
    synth->setProgram(2);
    EXPECT_EQ(synth->getParameter(kVolume), 0.6f);
    synth->setParameter(kVolume, 0.9f);
    synth->setProgram(0);
    EXPECT_EQ(synth->getParameter(kVolume), 0.2f);
    synth->setProgram(2);
    EXPECT_EQ(synth->getParameter(kVolume), 0.9f);
    EXPECT_EQ(synth->getProgram(), 2);
}

TEST_F(ProgramsAndState, SelectingTheCurrentProgramAgainDoesNotReapplyIt)
{
    startWithPrograms();
    synth->setProgram(1);
    synth->setParameter(kVolume, 0.9f);
    synth->setProgram(1);
    EXPECT_EQ(synth->getParameter(kVolume), 0.9f);
}

TEST_F(ProgramsAndState, ProgramsOutsideTheListChangeNothing)
{
    startWithPrograms();
    synth->setProgram(3);
    synth->setProgram(-1);
    EXPECT_EQ(synth->getProgram(), 0);
    EXPECT_EQ(synth->getParameter(kVolume), 0.2f);
}

// --- The state chunk ---

TEST_F(ProgramsAndState, ChunksOfAnyOtherSizeThan48AreRefused)
{
    start(instrumenttest::NoiseBank());
    render(16);
    synth->takeDisplayChanged();
    const PianoSettings before = synth->requestedSettings();
    uint8_t bytes[49] = {};
    EXPECT_EQ(synth->setChunk(bytes, 47, false), 0);
    EXPECT_EQ(synth->setChunk(bytes, 49, true), 0);
    EXPECT_EQ(synth->setChunk(nullptr, 48, false), 0);
    EXPECT_TRUE(SameBytes(synth->requestedSettings(), before));
    EXPECT_FALSE(synth->takeDisplayChanged());
}

TEST_F(ProgramsAndState, TheChunkSetBackLeavesTheSoundAsItWasAndMarksTheChange)
{
    start(instrumenttest::NoiseBank());
    synth->setParameter(kVolume, 0.7f);
    synth->setParameter(0, 0.3f);
    render(16);
    synth->takeDisplayChanged();
    const PianoSettings applied = synth->appliedSettings();
    const PianoSettings stored = chunkSettings();
    EXPECT_EQ(synth->setChunk(const_cast<PianoSettings*>(&stored), 48, false), 48);
    EXPECT_TRUE(synth->takeDisplayChanged());
    render(16);
    EXPECT_TRUE(SameBytes(synth->appliedSettings(), applied));
    EXPECT_TRUE(SameBytes(chunkSettings(), stored));
}

TEST_F(ProgramsAndState, AChunkReachesTheAudioAtTheNextBlock)
{
    start(instrumenttest::NoiseBank());
    render(16);
    PianoSettings wanted = chunkSettings();
    wanted.volume = 0.0f;
    wanted.velocityCurve = 4;
    wanted.lidPosition = 0;
    ASSERT_EQ(synth->setChunk(&wanted, 48, true), 48);
    render(16);
    EXPECT_EQ(synth->appliedSettings().volume, 0.0f);
    EXPECT_EQ(synth->appliedSettings().lidPosition, 0);
    EXPECT_EQ(synth->velocities().curve(), 4);
}

TEST_F(ProgramsAndState, ADamagedChunkNeverReachesTheAudioAsNaNOrAnIndexOutOfRange)
{
    start(instrumenttest::NoiseBank());
    render(16);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Damage
    {
        int32_t lid, curve, type;
        float volume, amount, gain;
    };
    const Damage damages[] = {{7, 9, 12, nan, nan, nan},
                              {-1, -1, -3, inf, -inf, inf},
                              {3, 4, 6, -inf, inf, -inf},
                              {INT32_MIN, INT32_MAX, INT32_MIN, 1e30f, -1e30f, nan},
                              {2, 2, 2, 0.5f, 2.0f, -5.0f}};
    for (const Damage& damage : damages)
    {
        PianoSettings settings = chunkSettings();
        settings.lidPosition = damage.lid;
        settings.velocityCurve = damage.curve;
        settings.reverbType = damage.type;
        settings.volume = damage.volume;
        settings.reverbAmount = settings.hammerAmount = settings.sympatheticResonance = settings.chorus =
            damage.amount;
        settings.bassGain = settings.midGain = settings.highGain = damage.gain;
        ASSERT_EQ(synth->setChunk(&settings, 48, false), 48);
        EXPECT_TRUE(SameBytes(chunkSettings(), settings)) << "the host gets back the bytes it set";

        engineEvents.clear();
        sendHost({{0, 0xB0, 64, 127}, {1, 0x90, 60, 100}, {300, 0x80, 60, 0}, {400, 0xB0, 64, 0}});
        const Block block = renderLong(4096, 512);
        for (size_t i = 0; i < block.left.size(); ++i)
        {
            ASSERT_TRUE(std::isfinite(block.left[i]) && std::isfinite(block.right[i])) << "frame " << i;
            ASSERT_LE(std::fabs(block.left[i]), 1.0f);
        }
        for (const auto& event : engineEvents)
        {
            EXPECT_GE(event.data2, 0);
            EXPECT_LE(event.data2, 127);
        }
        char text[64];
        for (int i = 0; i < ParameterTable::kCount; ++i)
        {
            const float value = synth->getParameter(i);
            EXPECT_TRUE(value >= 0.0f && value <= 1.0f) << "parameter " << i << " reports " << value;
            synth->getParameterDisplay(i, text);
        }
    }
}

// --- MIDI program names ---

TEST_F(ProgramsAndState, MidiProgramNamesFollowGeneralMidi)
{
    startWithoutBank();
    MidiProgramName name{};
    name.thisProgramIndex = 7;
    EXPECT_EQ(synth->getMidiProgramName(0, &name), 128);
    EXPECT_STREQ(name.name, "Clavi");
    EXPECT_EQ(name.midiProgram, 7);
    EXPECT_EQ(name.parentCategoryIndex, 0);
    EXPECT_EQ(name.midiBankMsb, -1);
    EXPECT_EQ(name.midiBankLsb, -1);
    name.thisProgramIndex = 8;
    EXPECT_EQ(synth->getMidiProgramName(3, &name), 128);
    EXPECT_EQ(name.parentCategoryIndex, 1);
    name.thisProgramIndex = 127;
    EXPECT_EQ(synth->getMidiProgramName(0, &name), 128);
    EXPECT_STREQ(name.name, "Gunshot");
    EXPECT_EQ(name.parentCategoryIndex, 15);

    name.thisProgramIndex = 40;
    EXPECT_EQ(synth->getMidiProgramName(9, &name), 1);
    EXPECT_STREQ(name.name, "Standard");
    EXPECT_EQ(name.midiProgram, 0);
    EXPECT_EQ(name.parentCategoryIndex, 0);

    MidiProgramName untouched{};
    untouched.thisProgramIndex = 128;
    std::snprintf(untouched.name, sizeof untouched.name, "kept");
    EXPECT_EQ(synth->getMidiProgramName(0, &untouched), 0);
    EXPECT_STREQ(untouched.name, "kept");
}

TEST_F(ProgramsAndState, CurrentMidiProgramAndCategories)
{
    startWithoutBank();
    MidiProgramName current{};
    EXPECT_EQ(synth->getCurrentMidiProgram(16, &current), -1);
    EXPECT_EQ(synth->getCurrentMidiProgram(0, &current), 0);
    EXPECT_STREQ(current.name, "Acoustic Grand Piano");
    EXPECT_EQ(synth->getCurrentMidiProgram(9, &current), 0);
    EXPECT_STREQ(current.name, "Standard");

    MidiProgramCategory category{};
    category.thisCategoryIndex = 16;
    EXPECT_EQ(synth->getMidiProgramCategory(0, &category), 17);
    EXPECT_STREQ(category.name, "DrumSets");
    EXPECT_EQ(category.parentCategoryIndex, -1);
    category.thisCategoryIndex = 17;
    EXPECT_EQ(synth->getMidiProgramCategory(0, &category), 17);
    EXPECT_STREQ(category.name, "");
    EXPECT_EQ(synth->getMidiProgramCategory(9, &category), 1);
    EXPECT_STREQ(category.name, "Drums");

    MidiKeyName key{};
    std::snprintf(key.keyName, sizeof key.keyName, "x");
    EXPECT_FALSE(synth->getMidiKeyName(0, &key));
    EXPECT_STREQ(key.keyName, "");
}
