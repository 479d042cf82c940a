// Programs from the presets file, the state chunk the host stores with a song, and the answers to the
// host's MIDI program name questions.
#include <cstring>

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

bool SameBytes(const PianoSettings& a, const PianoSettings& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

using ProgramsAndState = PlayingInstrument;
} // namespace

TEST_F(ProgramsAndState, ProgramsStartOnTheFirstAndKeepTheirEdits)
{
    ASSERT_TRUE(PresetsFile::write(
        beside("presets").string().c_str(),
        {MakeProgram("Concert", 0.2f), MakeProgram("Studio", 0.4f), MakeProgram("Jazz", 0.6f)}));
    start(instrumenttest::NoiseBank());
    EXPECT_EQ(synth->getAeffect()->numPrograms, 3);
    EXPECT_EQ(synth->getParameter(kVolume), 0.2f);
    synth->setProgram(2);
    EXPECT_EQ(synth->getParameter(kVolume), 0.6f);
    synth->setParameter(kVolume, 0.9f);
    synth->setProgram(2); // selecting the current program again does not reapply it
    EXPECT_EQ(synth->getParameter(kVolume), 0.9f);
    synth->setProgram(0);
    EXPECT_EQ(synth->getParameter(kVolume), 0.2f);
    synth->setProgram(3);
    synth->setProgram(-1);
    EXPECT_EQ(synth->getProgram(), 0);
    synth->setProgram(2);
    EXPECT_EQ(synth->getParameter(kVolume), 0.9f);
}

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
    void* data = nullptr;
    ASSERT_EQ(synth->getChunk(&data, false), 48);
    PianoSettings stored;
    std::memcpy(static_cast<void*>(&stored), data, sizeof stored);
    EXPECT_EQ(synth->setChunk(&stored, 48, false), 48);
    EXPECT_TRUE(synth->takeDisplayChanged());
    render(16);
    EXPECT_TRUE(SameBytes(synth->appliedSettings(), applied));
    ASSERT_EQ(synth->getChunk(&data, false), 48);
    EXPECT_EQ(std::memcmp(data, &stored, 48), 0);
}

// General MIDI names on channels 1-16 but 10, one drum set on channel 10; a request outside the lists
// answers 0 and leaves the host's record as it was.
TEST_F(ProgramsAndState, MidiProgramNamesAndCategories)
{
    startWithoutBank();
    const struct
    {
        int channel, index;
        VstIntPtr answer;
        const char* name;
        int category;
    } programs[] = {{0, 7, 128, "Clavi", 0},   {3, 8, 128, "Celesta", 1}, {0, 127, 128, "Gunshot", 15},
                    {9, 40, 1, "Standard", 0}, {0, 128, 0, "kept", -9},   {0, -1, 0, "kept", -9}};
    for (const auto& row : programs)
    {
        MidiProgramName name{};
        name.thisProgramIndex = row.index;
        name.parentCategoryIndex = -9;
        std::snprintf(name.name, sizeof name.name, "kept");
        EXPECT_EQ(synth->getMidiProgramName(row.channel, &name), row.answer) << row.index;
        EXPECT_STREQ(name.name, row.name);
        EXPECT_EQ(name.parentCategoryIndex, row.category) << row.index;
    }
    MidiProgramName current{};
    EXPECT_EQ(synth->getCurrentMidiProgram(16, &current), -1);
    EXPECT_EQ(synth->getCurrentMidiProgram(0, &current), 0);
    EXPECT_STREQ(current.name, "Acoustic Grand Piano");

    MidiProgramCategory category{};
    category.thisCategoryIndex = 16;
    EXPECT_EQ(synth->getMidiProgramCategory(0, &category), 17);
    EXPECT_STREQ(category.name, "DrumSets");
    category.thisCategoryIndex = 17;
    EXPECT_EQ(synth->getMidiProgramCategory(0, &category), 17);
    EXPECT_STREQ(category.name, "");
    MidiKeyName key{};
    std::snprintf(key.keyName, sizeof key.keyName, "x");
    EXPECT_FALSE(synth->getMidiKeyName(0, &key));
    EXPECT_STREQ(key.keyName, "");
}
