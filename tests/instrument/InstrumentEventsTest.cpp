// What reaches the synthesizer, in which order and at which frame, when the host and the editor play:
// observed at the router's output, behind the instrument's real MIDI handling.
#include <atomic>
#include <cstdint>
#include <thread>

#include "instrument/PianoTestBanks.h"
#include "instrument/PlayingInstrument.h"
#include "platform/Platform.h"

using namespace host;
using namespace instrument;

namespace
{

class InstrumentEvents : public PlayingInstrument
{
protected:
    void SetUp() override
    {
        PlayingInstrument::SetUp();
        start(instrumenttest::NoiseBank());
        render(64);
    }
};
} // namespace

TEST_F(InstrumentEvents, AnEventAtOrBeyondTheBlockEndIsHandledBeforeTheLastFrame)
{
    synth->setBlockSize(256);
    countFrames();
    sendHost({{100, kNoteOn, 60, 100}, {150, kNoteOn, 62, 100}});
    render(100);
    sendHost({{4000, kNoteOn, 64, 100}});
    render(256);
    // The last is limited to the block size's last frame when merged, and handled before it.
    EXPECT_EQ(keyFrames(kNoteOn), (KeyFrames{{60, 99}, {62, 99}, {64, 100 + 255}}));
    EXPECT_EQ(framesCounted(), 100 + 256);
}

TEST_F(InstrumentEvents, EventsOfSeveralListsArriveOnceInListOrderAtTheirOffsets)
{
    countFrames();
    sendHost({{40, kNoteOn, 60, 100}, {40, kNoteOn, 62, 100}, {41, kNoteOn, 64, 100}});
    sendHost({{50, kNoteOff, 60, 64}});
    render(64);
    render(64);
    // Without the release noise.
    const auto keys = engineEventsWhere([](const EngineEvent& event) { return event.data1 < 100; });
    const std::vector<EngineEvent> expected = {
        {kNoteOn, 60, 99, 0}, {kNoteOn, 62, 99, 0}, {kNoteOn, 64, 99, 0}, {kNoteOff, 60, 64, 0}};
    EXPECT_EQ(keys, expected);
    EXPECT_EQ(keyFrames(kNoteOn), (KeyFrames{{60, 40}, {62, 40}, {64, 41}, {125, 50}}));
    EXPECT_EQ(keyFrames(kNoteOff), (KeyFrames{{60, 50}}));
}

TEST_F(InstrumentEvents, SystemExclusiveEventsAreNotReadAsMidi)
{
    VstMidiSysexEvent sysex{};
    sysex.type = kVstSysExType;
    sysex.byteSize = sizeof sysex;
    char dump[] = {static_cast<char>(0xF0), 0x7E, 0x7F, 0x09, 0x01, static_cast<char>(0xF7)};
    sysex.dumpBytes = sizeof dump;
    sysex.sysexDump = dump;
    // Where a MIDI event keeps its message, these bytes would read as a note-on of key 60.
    sysex.resvd1 = 0x643C90;
    VstEvents* events = eventList({{0, 0, 0, 0}, {3, kNoteOn, 62, 100}});
    events->events[0] = reinterpret_cast<VstEvent*>(&sysex);
    synth->processEvents(events);
    render(64);
    const std::vector<EngineEvent> expected = {{kNoteOn, 62, 99, 0}};
    EXPECT_EQ(engineEvents, expected);
}

TEST_F(InstrumentEvents, KeysOutsideThePianoAreNeitherPlayedShownNorEchoed)
{
    synth->takeDisplayChanged();
    sendHost({{0, kNoteOn, 20, 100}, {1, kNoteOn, 109, 100}, {2, kNoteOff, 20, 0}, {3, kNoteOff, 109, 0}});
    synth->keyPressed(20, 100);
    synth->keyPressed(109, 100);
    synth->keyReleased(109, 0);
    render(64);
    EXPECT_TRUE(engineEvents.empty());
    EXPECT_FALSE(synth->takeDisplayChanged());
    EXPECT_TRUE(echoed.empty());

    synth->keyPressed(21, 100);
    synth->keyPressed(108, 100);
    sendHost({});
    render(64);
    ASSERT_EQ(echoed.size(), 2u);
    EXPECT_EQ(echoed[0].midiData[1], 21);
    EXPECT_EQ(echoed[1].midiData[1], 108);
    EXPECT_TRUE(synth->isKeyDown(21));
    EXPECT_TRUE(synth->isKeyDown(108));
}

// Released keys and the sustain pedal bring their noises: key 60 is in the third group of eighteen keys and
// hammer 0.5 gives it 1 + trunc(48); the pedal-down noise 1 + trunc(45), the pedal-up noise 1 + trunc(47.5);
// a second press of the held pedal makes none, and hammer 0 none at all.
TEST_F(InstrumentEvents, ReleasesAndPedalsBringTheirNoisesInOrder)
{
    const struct
    {
        const char* what;
        float hammer;
        std::vector<HostMidi> host;
        std::vector<EngineEvent> expected;
    } cases[] = {
        {"a note-on of velocity 0",
         0.5f,
         {{0, kNoteOn, 60, 100}, {5, kNoteOn, 60, 0}},
         {{kNoteOn, 60, 99, 0}, {kNoteOff, 60, 0, 0}, {kNoteOn, 125, 49, 0}}},
        {"full hammer across the keyboard",
         1.0f,
         {{0, kNoteOff, 108, 30}, {1, kNoteOff, 21, 0}, {2, kNoteOff, 38, 0}, {3, kNoteOff, 39, 0}},
         {{kNoteOff, 108, 30, 0},
          {kNoteOn, 127, 97, 0},
          {kNoteOff, 21, 0, 0},
          {kNoteOn, 123, 97, 0},
          {kNoteOff, 38, 0, 0},
          {kNoteOn, 123, 97, 0},
          {kNoteOff, 39, 0, 0},
          {kNoteOn, 124, 97, 0}}},
        {"hammer 0",
         0.0f,
         {{0, kNoteOff, 60, 0}, {1, kControl, 64, 127}, {2, kControl, 64, 0}},
         {{kNoteOff, 60, 0, 0}, {kControl, 64, 127, 0}, {kControl, 64, 0, 0}}},
        {"the sustain pedal",
         0.5f,
         {{0, kControl, 64, 63}, {1, kControl, 64, 127}, {2, kControl, 64, 100}, {3, kControl, 64, 0}},
         {{kControl, 64, 63, 0},
          {kControl, 64, 127, 0},
          {kNoteOff, 122, 127, 0},
          {kNoteOn, 121, 46, 0},
          {kControl, 64, 100, 0},
          {kControl, 64, 0, 0},
          {kNoteOff, 121, 127, 0},
          {kNoteOn, 122, 48, 0}}},
    };
    for (const auto& c : cases)
    {
        synth->setParameter(1, c.hammer);
        render(16);
        engineEvents.clear();
        sendHost(c.host);
        render(64);
        // Without the resonance envelope's steps.
        EXPECT_EQ(engineEventsWhere([](const EngineEvent& e) { return e.type != kControl || e.data1 != 21; }),
                  c.expected)
            << c.what;
    }
    EXPECT_FALSE(synth->isKeyDown(60));
    EXPECT_FALSE(synth->isSustainDown());
}

// The velocity the engine hears for a key struck with the soft pedal (controller 67) up or down: a note-on
// of velocity 0 is handed on as the note-off it means.
TEST_F(InstrumentEvents, TheSoftPedalScalesByThreeQuartersButNeverBelowOne)
{
    const struct
    {
        int curve, pedal, velocity, heard;
    } rows[] = {{3, 0, 1, 0},   {3, 127, 1, 1}, {3, 127, 12, 2}, {3, 127, 127, 95},
                {2, 127, 1, 1}, {2, 127, 2, 1}, {2, 63, 100, 99}};
    for (const auto& row : rows)
    {
        synth->setParameter(5, static_cast<float>(row.curve) * 0.2f + 0.1f);
        sendHost({{0, kControl, 67, row.pedal}});
        render(16);
        ASSERT_EQ(synth->appliedSettings().velocityCurve, row.curve);
        EXPECT_EQ(synth->isSoftDown(), row.pedal > 63);
        engineEvents.clear();
        sendHost({{0, kNoteOn, 60, row.velocity}, {1, kNoteOff, 60, 0}});
        render(16);
        ASSERT_FALSE(engineEvents.empty());
        EXPECT_EQ(engineEvents[0].data1, 60);
        EXPECT_EQ(engineEvents[0].type == kNoteOn ? engineEvents[0].data2 : 0, row.heard) << row.velocity;
    }
    EXPECT_TRUE(controllers(67).empty());
}

TEST_F(InstrumentEvents, ToneControllersGiveExactUnityAtTheirCentre)
{
    sendHost({{0, kControl, 77, 63}, {1, kControl, 76, 127}, {2, kControl, 78, 64}});
    render(16);
    render(16);
    const PianoSettings settings = synth->requestedSettings();
    EXPECT_EQ(settings.midGain, 1.0f);
    EXPECT_EQ(settings.bassGain, 2.0f);
    EXPECT_GT(settings.highGain, 1.0f);
    EXPECT_EQ(synth->appliedSettings().midGain, 1.0f);
    EXPECT_TRUE(engineEvents.empty());
}

TEST_F(InstrumentEvents, EditorEventsWhileTheHostIsStoppedArriveInTheBlocksLastFrame)
{
    synth->setBlockSize(256);
    sendHost({{0, kControl, 64, 127}});
    render(1);
    countFrames();
    // The host stops: more than a block's time passes on the instrument's clock without a block.
    const uint32_t stopped = platform::TimeGetTime();
    while (platform::TimeGetTime() - stopped < 30)
        platform::SleepMilliseconds(1);
    synth->keyPressed(60, 100);
    synth->sustainPedal(false);
    // The host's event at the same offset as the editor's comes first.
    sendHost({{3, kNoteOn, 62, 100}, {255, kNoteOn, 64, 100}});
    render(256);
    ASSERT_EQ(echoed.size(), 2u);
    EXPECT_EQ(echoed[0].deltaFrames, 255);
    EXPECT_EQ(static_cast<uint8_t>(echoed[0].midiData[0]), kNoteOn);
    EXPECT_EQ(echoed[0].midiData[1], 60);
    EXPECT_EQ(static_cast<uint8_t>(echoed[1].midiData[0]), kControl);
    // The pedal's noise comes last.
    EXPECT_EQ(keyFrames(kNoteOn), (KeyFrames{{62, 3}, {64, 255}, {60, 255}, {122, 255}}));
    EXPECT_FALSE(synth->isSustainDown());
}

TEST_F(InstrumentEvents, EveryEditorEventArrivesWhileTheAudioThreadPlays)
{
    constexpr int kPresses = 2000;
    std::atomic<bool> done{false};
    std::thread editor(
        [this, &done]
        {
            for (int i = 0; i < kPresses; ++i)
            {
                synth->keyPressed(60 + i % 12, 100);
                synth->keyReleased(60 + i % 12, 0);
                synth->setParameter(4, static_cast<float>(i % 100) / 100.0f);
            }
            done = true;
        });
    int blocks = 0;
    while (!done.load() && blocks < 1000000)
    {
        sendHost({{0, kControl, 64, blocks % 2 == 0 ? 127 : 0}});
        render(64);
        ++blocks;
    }
    editor.join();
    // A block takes at most the events it has room for; the rest follow in the next blocks, however many
    // the editor queued while the audio thread waited for the processor.
    int presses = 0, releases = 0;
    for (int more = 0; more < 1000 && (presses < kPresses || releases < kPresses); ++more)
    {
        sendHost({});
        render(64);
        presses = releases = 0;
        for (const auto& event : engineEvents)
        {
            presses += event.type == kNoteOn && event.data1 >= 60 && event.data1 < 72 && event.data2 == 99;
            releases += event.type == kNoteOff && event.data1 >= 60 && event.data1 < 72;
        }
    }
    EXPECT_EQ(presses, kPresses);
    EXPECT_EQ(releases, kPresses);
    EXPECT_EQ(echoed.size(), 2u * kPresses);
}
