// What a musician hears through the LV2 and VST3 plug-ins: the same song as through the VST 2.4 module,
// sample for sample, whatever the host's blocks, with the pedals and the volume sent each format's way (the
// VST3 way being parameters through MIDI mapping); the sustain pedal holding a note past its release in a
// VST3 host; a state saved in one format playing the same in the others; and an event past a block's end
// never played. The adapters and their entry points are linked into this program with the instrument, so
// that it can wait for the sample data they read; the VST 2.4 module is loaded beside them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "host/FormatSongs.h"
#include "host/lv2/Lv2Ports.h"
#include "host/lv2/Lv2Uris.h"
#include "host/vst3/Vst3Entry.h"
#include "instrument/PianoTestBanks.h"
#include "platform/Platform.h"

#include <lv2/atom/atom.h>

using namespace host;
using namespace hosttest;

namespace
{
constexpr double kRate = 44100.0;
constexpr int kFrames = 30000;

class FormatSound : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The linked plug-ins read the files beside the VST 2.4 module's copy.
        vst2Folder.addBank(instrumenttest::ReleaseNoiseBank());
        platform::SetModuleFileName(vst2Folder.pluginPath().string());
        lv2.take(lv2_descriptor(0), lv2ui_descriptor(0));
        vst3.take(GetPluginFactory());
    }

    std::vector<float> reference(int announced, int played, const Song& song = kPedalledSong)
    {
        PluginFolder folder;
        auto vst2 = StartVst2(folder, instrumenttest::ReleaseNoiseBank(), kRate, announced);
        return vst2 ? Render(*vst2, kFrames, played, song) : std::vector<float>();
    }
    std::unique_ptr<formathost::Lv2Instance> startLv2(int block)
    {
        auto instance = lv2.instantiate(kRate, block);
        EXPECT_TRUE(instance && WaitForLinkedSampleData());
        return instance;
    }
    std::unique_ptr<formathost::Vst3Instance> startVst3(int block)
    {
        auto instance = vst3.instantiate();
        EXPECT_TRUE(instance && instance->start(kRate, block) && WaitForLinkedSampleData());
        return instance;
    }
    static void expectSame(const std::vector<float>& audio, const std::vector<float>& expected, int block)
    {
        ASSERT_GT(Peak(expected), 0.01f);
        const auto differs = std::mismatch(audio.begin(), audio.end(), expected.begin()).first;
        EXPECT_TRUE(differs == audio.end())
            << "blocks of " << block << " differ from frame " << (differs - audio.begin()) % kFrames;
    }
    // The energy of the audio in frames [from, to) of both channels.
    static double energy(const std::vector<float>& audio, size_t from, size_t to)
    {
        const size_t frames = audio.size() / 2;
        double sum = 0.0;
        for (size_t i = from; i < to && i < frames; ++i)
            sum += double(audio[i]) * audio[i] + double(audio[frames + i]) * audio[frames + i];
        return sum;
    }

    PluginFolder vst2Folder;
    formathost::Lv2Host lv2;
    formathost::Vst3Host vst3;
};

// Blocks of the announced length, shorter ones, ones longer than announced (rendered in pieces of the
// announced length, where a VST 2.4 host would have to split them itself), and an LV2 host that announces
// nothing (pieces of 1024). The volume controller takes effect at the next piece in every format alike.
const struct
{
    int announced, played, pieces;
} kBlocks[] = {{256, 256, 256}, {1024, 100, 100}, {512, 4096, 512}, {0, 777, 777}};

TEST_F(FormatSound, ASongThroughLv2SoundsAsThroughVst24SampleForSample)
{
    for (const auto& block : kBlocks)
    {
        auto instance = startLv2(block.announced);
        ASSERT_TRUE(instance);
        expectSame(RenderLv2(*instance, kFrames, block.played, kPedalledSong),
                   reference(block.announced ? block.announced : 1024, block.pieces), block.played);
    }
}

TEST_F(FormatSound, ASongThroughVst3SoundsAsThroughVst24SampleForSample)
{
    for (const auto& block : kBlocks)
    {
        if (block.announced == 0)
            continue; // a VST3 host always announces its blocks
        auto instance = startVst3(block.announced);
        ASSERT_TRUE(instance);
        expectSame(RenderVst3(*instance, kFrames, block.played, kPedalledSong),
                   reference(block.announced, block.pieces), block.played);
    }
}

// The classic fault of a VST3 instrument: a host that sends the sustain pedal only as a parameter, and a
// plug-in that never hears it.
TEST_F(FormatSound, TheSustainPedalSentThroughMidiMappingHoldsTheNoteAfterItsRelease)
{
    const auto play = [&](bool pedal)
    {
        auto instance = startVst3(512);
        if (!instance)
            return std::vector<float>();
        instance->controller->setParamNormalized(
            2, 0.0); // no reverb: what is left after the release is the note
        Song song = {{512, 0x90, 60, 100}, {11025, 0x80, 60, 0}};
        if (pedal)
            song.insert(song.begin(), {100, 0xB0, 64, 127});
        return RenderVst3(*instance, 22050, 512, song);
    };
    const std::vector<float> held = play(true);
    const std::vector<float> released = play(false);
    const double perFrameHeld = energy(held, 2000, 11000) / 9000.0;
    EXPECT_GT(perFrameHeld, 0.0);
    // Half a second after the release the pedalled note still sounds; the other is gone.
    EXPECT_GT(energy(held, 16000, 22050) / 6050.0, 0.25 * perFrameHeld);
    EXPECT_LT(energy(released, 16000, 22050) / 6050.0, 1e-6 * perFrameHeld);
}

// A state saved through VST 2.4 plays the same through VST3, comes back from it unchanged, and plays the
// same through LV2.
TEST_F(FormatSound, AStateSavedInOneFormatPlaysTheSameInTheOthers)
{
    PluginFolder folder;
    auto vst2 = StartVst2(folder, instrumenttest::ReleaseNoiseBank(), kRate, 256);
    ASSERT_TRUE(vst2);
    for (const auto& [index, value] : {std::pair{0, 0.1f}, {3, 0.9f}, {2, 0.7f}, {9, 0.2f}, {5, 0.0f}})
        vst2->setParameter(index, value);
    void* data = nullptr;
    ASSERT_EQ(vst2->dispatch(effGetChunk, 0, 0, &data), 48);
    const std::vector<uint8_t> chunk(static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + 48);
    const std::vector<float> expected = Render(*vst2, kFrames, 256, kPedalledSong);

    auto viaVst3 = startVst3(256);
    ASSERT_TRUE(viaVst3);
    ASSERT_EQ(viaVst3->setComponentState(chunk), kResultOk);
    const std::vector<uint8_t> fromVst3 = viaVst3->componentState();
    EXPECT_EQ(fromVst3, chunk);
    expectSame(RenderVst3(*viaVst3, kFrames, 256, kPedalledSong), expected, 256);
    // The song turned the volume down: the state now says so.
    EXPECT_NE(viaVst3->componentState(), chunk);

    auto viaLv2 = startLv2(256);
    ASSERT_TRUE(viaLv2);
    formathost::Lv2State state;
    state[lv2.uris().map(lv2uri::kStateChunk)] = {lv2.uris().map(LV2_ATOM__Chunk), fromVst3};
    ASSERT_EQ(viaLv2->restore(state), LV2_STATE_SUCCESS);
    formathost::Lv2State saved;
    ASSERT_TRUE(viaLv2->save(saved));
    EXPECT_EQ(saved[lv2.uris().map(lv2uri::kStateChunk)].bytes, chunk);
    expectSame(RenderLv2(*viaLv2, kFrames, 256, kPedalledSong), expected, 256);
}

// Tuning from the sequencer: master coarse tuning a semitone up, a system-exclusive dump sent each format's
// way (VST 2.4 and LV2 MIDI events, a VST3 data event) in the frame of the note after it, retunes the note
// alike in every format; without the dump the note sounds otherwise.
TEST_F(FormatSound, ATuningDumpRetunesTheNoteAlikeInEveryFormat)
{
    const std::vector<uint8_t> semitoneUp = {0xF0, 0x7F, 0x7F, 0x04, 0x04, 0x00, 0x41, 0xF7};
    constexpr int kBlock = 256;
    constexpr int kAfter = 8192;
    std::vector<float> left(kBlock), right(kBlock);

    const auto viaVst2 = [&](bool tuned)
    {
        PluginFolder folder;
        auto vst2 = StartVst2(folder, instrumenttest::ReleaseNoiseBank(), kRate, kBlock);
        if (!vst2)
            return std::vector<float>();
        std::vector<uint8_t> dump = semitoneUp;
        VstMidiSysexEvent sysex{};
        sysex.type = kVstSysExType;
        sysex.byteSize = sizeof sysex;
        sysex.deltaFrames = 10;
        sysex.dumpBytes = static_cast<VstInt32>(dump.size());
        sysex.sysexDump = reinterpret_cast<char*>(dump.data());
        VstMidiEvent note{};
        note.type = kVstMidiType;
        note.byteSize = sizeof note;
        note.deltaFrames = 10;
        note.midiData[0] = static_cast<char>(0x90);
        note.midiData[1] = 69;
        note.midiData[2] = 100;
        std::vector<VstEvent*> events = {reinterpret_cast<VstEvent*>(&note)};
        if (tuned)
            events.insert(events.begin(), reinterpret_cast<VstEvent*>(&sysex));
        vst2->sendEvents(events);
        vst2->processReplacing(left.data(), right.data(), kBlock);
        return Render(*vst2, kAfter, kBlock, {});
    };
    const std::vector<float> tuned = viaVst2(true);
    const std::vector<float> untuned = viaVst2(false);
    ASSERT_GT(Peak(tuned), 0.01f);
    ASSERT_EQ(tuned.size(), untuned.size());
    EXPECT_NE(tuned, untuned);

    auto viaLv2 = startLv2(kBlock);
    ASSERT_TRUE(viaLv2);
    viaLv2->run(left.data(), right.data(), kBlock, {{10, semitoneUp}, {10, {0x90, 69, 100}}});
    EXPECT_EQ(RenderLv2(*viaLv2, kAfter, kBlock, {}), tuned);

    auto viaVst3 = startVst3(kBlock);
    ASSERT_TRUE(viaVst3);
    viaVst3->events.addSysex(10, semitoneUp);
    viaVst3->events.addNote(10, true, 69, 100 / 127.0f);
    viaVst3->process(left.data(), right.data(), kBlock);
    EXPECT_EQ(RenderVst3(*viaVst3, kAfter, kBlock, {}), tuned);
}

// A note at the block's last frame plays; one a frame later is refused, in either format.
TEST_F(FormatSound, ANotePastTheBlocksEndIsNeverPlayed)
{
    for (const int frame : {255, 256})
    {
        auto viaLv2 = startLv2(256);
        ASSERT_TRUE(viaLv2);
        std::vector<float> left(256), right(256);
        viaLv2->run(left.data(), right.data(), 256, {{frame, {0x90, 60, 100}}});
        const std::vector<float> lv2After = RenderLv2(*viaLv2, 4096, 256, {});
        auto viaVst3 = startVst3(256);
        ASSERT_TRUE(viaVst3);
        viaVst3->events.addNote(frame, true, 60, 100 / 127.0f);
        viaVst3->process(left.data(), right.data(), 256);
        const std::vector<float> vst3After = RenderVst3(*viaVst3, 4096, 256, {});
        EXPECT_EQ(Peak(lv2After) > 0.01f, frame == 255) << frame;
        EXPECT_EQ(Peak(vst3After) > 0.01f, frame == 255) << frame;
    }
}

} // namespace
