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
