// Once an LV2 or VST3 host has started the plug-in, its audio thread's call (LV2 run, VST3 process) neither
// allocates nor frees, as the VST 2.4 instrument's calls do not: across notes struck and released across the
// keyboard, the sustain pedal and controllers (VST3: as the parameters they are mapped to), master tuning
// dumps, parameter changes (LV2: control ports), and a VST3 host's transport starting and stopping. The
// chorus stays off, as in the instrument's own test: the synthesizer library's chorus allocates on every
// effects pass. The adapters are linked into this program with the instrument.
#include <gtest/gtest.h>

#include <vector>

#include "host/FormatSongs.h"
#include "host/lv2/Lv2Ports.h"
#include "host/vst3/Vst3Entry.h"
#include "host/vst3/Vst3Parameters.h"
#include "instrument/PianoTestBanks.h"
#include "instrument/programs/ParameterTable.h"
#include "platform/Platform.h"
#include "support/AllocationCounter.h"

using namespace host;

namespace
{
constexpr double kRate = 44100.0;
constexpr int kBlock = 256;
constexpr int kWarmUpBlocks = 100;
constexpr int kBlocks = 700;
constexpr int kSustain = 64, kVolume = 7, kReverb = 91;
constexpr int kChorus = instrument::ParameterTable::kChorus;

// The MIDI of block b: a note struck and one released, the pedal down or up every 40 blocks, the volume
// every 25, the reverb send every 33.
std::vector<SongEvent> BlockEvents(int b)
{
    std::vector<SongEvent> events = {
        {b % kBlock, 0x90, static_cast<uint8_t>(30 + (b * 7) % 60), 90},
        {(b * 13) % kBlock, 0x80, static_cast<uint8_t>(30 + ((b - 9) * 7 % 60 + 60) % 60), 0}};
    if (b % 40 == 0)
        events.push_back({17, 0xB0, kSustain, static_cast<uint8_t>((b / 40) % 2 ? 0 : 127)});
    if (b % 25 == 0)
        events.push_back({100, 0xB0, kVolume, static_cast<uint8_t>(60 + b % 60)});
    if (b % 33 == 0)
        events.push_back({5, 0xB0, kReverb, static_cast<uint8_t>(b % 127)});
    return events;
}

// Every 50 blocks, master fine tuning as a system-exclusive dump; none otherwise.
std::vector<uint8_t> TuningDump(int b)
{
    if (b % 50 != 0)
        return {};
    return {0xF0, 0x7F, 0x7F, 0x04, 0x03, 0x00, static_cast<uint8_t>(0x30 + b % 32), 0xF7};
}

class FormatRealTime : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder.addBank(instrumenttest::ResonanceBank());
        platform::SetModuleFileName(folder.pluginPath().string());
        lv2.take(lv2_descriptor(0), nullptr);
        vst3.take(GetPluginFactory());
    }

    PluginFolder folder;
    formathost::Lv2Host lv2;
    formathost::Vst3Host vst3;
    std::vector<float> left = std::vector<float>(kBlock), right = left;
};

TEST_F(FormatRealTime, AnLv2HostsRunNeitherAllocatesNorFreesAfterWarmUp)
{
    auto plugin = lv2.instantiate(kRate, kBlock);
    ASSERT_TRUE(plugin && hosttest::WaitForLinkedSampleData());
    long operations = 0;
    for (int b = 0; b < kBlocks; ++b)
    {
        std::vector<formathost::Lv2Midi> midi;
        for (const SongEvent& event : BlockEvents(b))
            midi.push_back({event.frame, {event.status, event.data1, event.data2}});
        if (const std::vector<uint8_t> dump = TuningDump(b); !dump.empty())
            midi.push_back({50, dump});
        // A control moved every 70 blocks, to a value that is a position of every stepped control and a
        // percentage of every continuous one.
        if (b % 70 == 10 && b % 11 != kChorus)
            plugin->setControl(lv2port::kFirstParameter + b % 11, static_cast<float>(b % 4));
        plugin->connect(left.data(), right.data(), midi);
        const AllocationCounter counter;
        plugin->runConnected(kBlock);
        if (b >= kWarmUpBlocks)
            operations += counter.count();
    }
    EXPECT_EQ(operations, 0);
}

TEST_F(FormatRealTime, AVst3HostsProcessNeitherAllocatesNorFreesAfterWarmUp)
{
    auto plugin = vst3.instantiate();
    ASSERT_TRUE(plugin && plugin->start(kRate, kBlock) && hosttest::WaitForLinkedSampleData());
    ProcessContext context{};
    context.sampleRate = kRate;
    context.tempo = 120.0;
    plugin->context = &context;
    long operations = 0;
    for (int b = 0; b < kBlocks; ++b)
    {
        for (const SongEvent& event : BlockEvents(b))
        {
            if (event.status == 0xB0)
                plugin->changes.add(Vst3Parameters::kFirstControllerId + event.data1, event.frame,
                                    event.data2 / 127.0);
            else
                plugin->events.addNote(event.frame, event.status == 0x90, event.data1, event.data2 / 127.0f);
        }
        if (const std::vector<uint8_t> dump = TuningDump(b); !dump.empty())
            plugin->events.addSysex(50, dump);
        if (b % 70 == 10 && b % 11 != kChorus)
            plugin->changes.add(static_cast<ParamID>(b % 11), b % kBlock, (b % 100) / 100.0);
        // The transport starts and stops every 100 blocks.
        context.state =
            ProcessContext::kTempoValid | ((b / 100) % 2 ? uint32_t{ProcessContext::kPlaying} : 0u);
        context.projectTimeSamples = static_cast<int64_t>(b) * kBlock;
        tresult result = kResultFalse;
        {
            const AllocationCounter counter;
            result = plugin->process(left.data(), right.data(), kBlock, false);
            if (b >= kWarmUpBlocks)
                operations += counter.count();
        }
        plugin->forgetQueued();
        ASSERT_EQ(result, kResultOk) << "block " << b;
    }
    EXPECT_EQ(operations, 0);
}

} // namespace
