// The built plug-in as a host sees it: loaded from a temporary folder through the test host; and the
// records hosts and the plug-in exchange.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "support/PluginFolder.h"

using namespace host;
using namespace plughost;

namespace
{
size_t indexOf(const std::vector<std::string>& lines, const std::string& text, size_t from = 0)
{
    for (size_t i = from; i < lines.size(); ++i)
        if (lines[i].find(text) != std::string::npos)
            return i;
    return std::string::npos;
}

std::string textOf(const std::string& line)
{
    const size_t colon = line.find("] : ");
    return colon == std::string::npos ? line : line.substr(colon + 4);
}
// "Starting up on M/DD/YYYY!", the month in one or two digits.
bool IsStartUpLine(std::string text)
{
    const std::string prefix = "Starting up on ";
    if (text.compare(0, prefix.size(), prefix) != 0)
        return false;
    text.erase(0, prefix.size());
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }, 'd');
    return text == "d/dd/dddd!" || text == "dd/dd/dddd!";
}
} // namespace

TEST(PluginRecord, HoldsTheInstrumentsValues)
{
    PluginFolder folder;
    folder.addStringTable();
    auto plugin = folder.instantiate();
    ASSERT_TRUE(plugin);
    const AEffect* e = plugin->effect();
    EXPECT_EQ(e->magic, FourCC('V', 's', 't', 'P'));
    EXPECT_EQ(e->uniqueID, FourCC('V', 'l', 'D', 'o'));
    EXPECT_EQ(e->numParams, 11);
    EXPECT_EQ(e->numInputs, 0);
    EXPECT_EQ(e->numOutputs, 2);
    EXPECT_EQ(e->numPrograms, 128);
    EXPECT_EQ(e->version, 1);
    EXPECT_FLOAT_EQ(e->ioRatio, 1.0f);
    EXPECT_EQ(e->flags & (effFlagsCanReplacing | effFlagsIsSynth), effFlagsCanReplacing | effFlagsIsSynth);
    EXPECT_EQ(e->flags & effFlagsProgramChunks, 0);
    EXPECT_NE(e->processReplacing, nullptr);
    EXPECT_NE(e->object, nullptr);
}

TEST(PluginDispatcher, AnswersNamesVersionsCategoryAndCanDo)
{
    PluginFolder folder;
    auto plugin = folder.instantiate();
    ASSERT_TRUE(plugin);
    EXPECT_EQ(plugin->getString(effGetEffectName), "Virellando");
    EXPECT_EQ(plugin->getString(effGetVendorString), "Tallowind Inc.");
    EXPECT_EQ(plugin->getString(effGetProductString), "Tallowind Virellando");
    EXPECT_EQ(plugin->dispatch(effGetVendorVersion), 1000);
    EXPECT_EQ(plugin->dispatch(effGetVstVersion), 2400);
    EXPECT_EQ(plugin->dispatch(effGetPlugCategory), 2);
    EXPECT_EQ(plugin->dispatch(effIdentify), FourCC('N', 'v', 'E', 'f'));
    EXPECT_EQ(plugin->dispatch(effHasMidiProgramsChanged), 0);
    EXPECT_EQ(plugin->dispatch(9999), 0);
    // canDo is exact and case-sensitive.
    for (const char* yes : {"receiveVstEvents", "receiveVstMidiEvent", "midiProgramNames"})
        EXPECT_EQ(plugin->canDo(yes), 1) << yes;
    for (const char* no : {"sendVstMidiEvent", "ReceiveVstMidiEvent", "receiveVstMidiEvents", ""})
        EXPECT_EQ(plugin->canDo(no), -1) << no;
    EXPECT_EQ(plugin->dispatch(effCanDo, 0, 0, nullptr), 0);
}

TEST(PluginDispatcher, DescribesTwoStereoOutputPins)
{
    PluginFolder folder;
    auto plugin = folder.instantiate();
    ASSERT_TRUE(plugin);
    for (VstInt32 pin = 0; pin < 2; ++pin)
    {
        VstPinProperties properties{};
        ASSERT_EQ(plugin->dispatch(effGetOutputProperties, pin, 0, &properties), 1);
        EXPECT_EQ(std::string(properties.label), "Output " + std::to_string(pin + 1));
        EXPECT_EQ(properties.flags, kVstPinIsActive | kVstPinIsStereo);
    }
    VstPinProperties properties{};
    EXPECT_EQ(plugin->dispatch(effGetOutputProperties, 2, 0, &properties), 0);
    EXPECT_EQ(plugin->dispatch(effGetOutputProperties, -1, 0, &properties), 0);
    EXPECT_EQ(plugin->dispatch(effGetOutputProperties, 0, 0, nullptr), 0);
    EXPECT_EQ(plugin->dispatch(effGetInputProperties, 0, 0, &properties), 0);
}

// Without a sound bank or presets the instance still answers, never reports its sample data read (vendor
// request 1004), keeps program 0 though its record says 128, and plays silence.
TEST(PluginDispatcher, WithoutASoundBankOrPresetsTheInstanceAnswersAndIsSilent)
{
    PluginFolder folder;
    auto plugin = folder.instantiate();
    ASSERT_TRUE(plugin);
    for (const VstInt32 request : {1004, 1001, 1005})
        EXPECT_EQ(plugin->dispatch(effVendorSpecific, request), 0) << request;
    for (const VstInt32 other : {999, 2000, -5, 1000}) // 1000 opens the help file, which is absent
        EXPECT_EQ(plugin->dispatch(effVendorSpecific, other), 1) << other;
    for (const VstIntPtr program : {5, -1})
    {
        plugin->dispatch(effSetProgram, 0, program);
        EXPECT_EQ(plugin->dispatch(effGetProgram), 0);
    }
    plugin->dispatch(effOpen);
    plugin->setBlockSize(512);
    plugin->dispatch(effMainsChanged, 0, 1);
    plugin->sendMidi({{0, 0x90, 60, 100}});
    EXPECT_EQ(Peak(Render(*plugin, 512, 512)), 0.0f);
    plugin->dispatch(effMainsChanged, 0, 0);
}

// Without a bank the instance's message box writes its text to the log from a thread of its own, which may
// come after the shutdown line: the line is looked for anywhere.
TEST(PluginDispatcher, CloseDeletesTheInstanceAndAnswersOne)
{
    PluginFolder folder;
    auto plugin = folder.instantiate();
    ASSERT_TRUE(plugin);
    EXPECT_EQ(plugin->close(), 1);
    EXPECT_FALSE(plugin->isOpen());
    EXPECT_TRUE(folder.logHas("Shutting down."));
}

#ifdef _WIN32
// When the process ends, the system has stopped the host's other threads wherever they were, and clean-up
// that waits for one never returns: the module must then run none of its own. The loader's call is made
// here by hand while an instance lives; the instance's statics must be left as they were, so it still logs.
TEST(PluginEntry, RunsNoCleanUpWhenTheProcessEnds)
{
    PluginFolder folder;
    auto plugin = folder.instantiate();
    ASSERT_TRUE(plugin);
    const auto* module = static_cast<const uint8_t*>(folder.libraryHandle());
    ASSERT_NE(module, nullptr);
    // The entry point's address from the image's headers: the PE header's offset at 0x3c, then the
    // optional header's entry field 16 bytes past the 20-byte file header.
    uint32_t header = 0;
    uint32_t entryAddress = 0;
    std::memcpy(&header, module + 0x3c, sizeof header);
    std::memcpy(&entryAddress, module + header + 4 + 20 + 16, sizeof entryAddress);
    using Entry = int(__stdcall*)(const void*, unsigned long, void*);
    const auto entry = reinterpret_cast<Entry>(module + entryAddress);
    constexpr unsigned long kProcessDetach = 0;
    int processEnding = 1;
    EXPECT_NE(entry(module, kProcessDetach, &processEnding), 0);
    EXPECT_EQ(plugin->close(), 1);
    EXPECT_TRUE(folder.logHas("Shutting down."));
}
#endif

TEST(PluginEntry, HostVersionZeroGivesNoInstance)
{
    PluginFolder folder;
    HostAnswers oldHost;
    oldHost.version = 0;
    auto plugin = folder.instantiate(oldHost);
    EXPECT_FALSE(plugin);
    EXPECT_EQ(indexOf(folder.logLines(), "Aeffect created."), std::string::npos);
}

TEST(PluginLog, RecordsTheStartUpInOrder)
{
    PluginFolder folder;
    folder.addStringTable();
    auto plugin = folder.instantiate();
    ASSERT_TRUE(plugin);
    const auto lines = folder.logLines();
    ASSERT_GE(lines.size(), 8u);

    EXPECT_TRUE(IsStartUpLine(textOf(lines[0]))) << lines[0];
    EXPECT_EQ(textOf(lines[1]), "Virellando 1.0 Build 1");
    EXPECT_FALSE(textOf(lines[2]).empty()); // the operating system
    EXPECT_EQ(indexOf(lines, "String File: " + folder.besidePlugin("INI").string()),
              indexOf(lines, "String File: "));
#ifdef _WIN32
    // No synthesizer library is installed beside the test's copy of the DLL, so no bank is tried.
    const std::vector<const char*> engineSteps = {"FluidSynth is missing: ", "New settings.",
                                                  "Creating the synthesizer.", "Loading the sound bank."};
#else
    const std::vector<const char*> engineSteps = {"FluidSynth 2.",
                                                  "New settings.",
                                                  "Creating the synthesizer.",
                                                  "Loading the sound bank.",
                                                  "Module File Name: ",
                                                  "Data File Name: ",
                                                  "File Does Not Exist: ",
                                                  "Data File Load Complete, result = -1"};
#endif
    // The memory figures, then the construction steps, follow one another in this order.
    size_t step = 2;
    for (const auto& texts :
         {std::vector<const char*>{
              "Mem in use percentage = ", "Free physical : ", "Free paging file : ", "Free virtual : "},
          {"String File: ", "Initializing lid model"},
          engineSteps,
          {"Creating EQ.", "Creating Reverb.", "Creating Tone Controls.", "Creating Dynamics.",
           "Initializing sympathetic resonance.", "Calculating velocity curves.", "Initializing presets.",
           "Setting VST params.", "Init completed."}})
        for (const char* text : texts)
        {
            step = indexOf(lines, text, step + 1);
            ASSERT_NE(step, std::string::npos) << text;
        }
    const size_t created = indexOf(lines, "Aeffect created.  processReplacing is 0x", step);
    ASSERT_NE(created, std::string::npos);
    EXPECT_EQ(created, lines.size() - 1);
}

TEST(PluginLog, SecondInstanceRestartsTheLog)
{
    PluginFolder folder;
    auto first = folder.instantiate();
    ASSERT_TRUE(first);
    first->dispatch(effGetEffectName);
    auto second = folder.instantiate();
    ASSERT_TRUE(second);
    const auto lines = folder.logLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(lines[0].find("Starting up on "), std::string::npos);
    // One start-up since the restart: the first instance's lines are gone.
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& l)
                            { return l.find("Starting up on ") != std::string::npos; }),
              1);
    first->close();
    second->close();
}

// The records as hosts compiled for 32-bit and 64-bit systems lay them out; the effect record and MIDI
// events are read through a real host's own declarations by the real-host test.
TEST(RecordLayout, FieldsSitWhereHostsLookForThem)
{
    const struct
    {
        const char* field;
        size_t offset32, offset64, actual;
    } places[] = {
        {"VstMidiEvent::noteOffVelocity", 29, 29, offsetof(VstMidiEvent, noteOffVelocity)},
        {"VstMidiSysexEvent::dumpBytes", 16, 16, offsetof(VstMidiSysexEvent, dumpBytes)},
        {"VstMidiSysexEvent::sysexDump", 24, 32, offsetof(VstMidiSysexEvent, sysexDump)},
        {"VstMidiSysexEvent size", 32, 48, sizeof(VstMidiSysexEvent)},
        {"VstPinProperties::flags", 64, 64, offsetof(VstPinProperties, flags)},
        {"VstPinProperties::shortLabel", 72, 72, offsetof(VstPinProperties, shortLabel)},
        {"VstPinProperties size", 128, 128, sizeof(VstPinProperties)},
        {"VstParameterProperties::label", 12, 12, offsetof(VstParameterProperties, label)},
        {"VstParameterProperties::displayIndex", 104, 104, offsetof(VstParameterProperties, displayIndex)},
        {"VstParameterProperties::categoryLabel", 112, 112, offsetof(VstParameterProperties, categoryLabel)},
        {"VstParameterProperties size", 152, 152, sizeof(VstParameterProperties)},
        {"MidiProgramName::midiProgram", 68, 68, offsetof(MidiProgramName, midiProgram)},
        {"MidiProgramName size", 80, 80, sizeof(MidiProgramName)},
        {"MidiKeyName size", 80, 80, sizeof(MidiKeyName)},
        {"ERect::right", 6, 6, offsetof(ERect, right)},
        {"ERect size", 8, 8, sizeof(ERect)},
    };
    for (const auto& place : places)
        EXPECT_EQ(place.actual, sizeof(void*) == 8 ? place.offset64 : place.offset32) << place.field;
}
