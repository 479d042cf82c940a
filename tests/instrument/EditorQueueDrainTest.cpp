// The editor's keys and pedals play in every kind of host: one that gives every block an event list, empty
// or not; one that never calls processEvents; and one that calls it only for blocks with events of its own.
// Each editor event reaches the synthesizer once, in the first block that begins after it, and is echoed
// to the host once.
#include <string>
#include <vector>

#include "instrument/PianoTestBanks.h"
#include "instrument/PlayingInstrument.h"

using namespace host;

namespace
{
constexpr int kBlock = 256;

enum class Host
{
    EmptyLists,
    NoLists,
    OwnEventsOnly,
};

const struct
{
    const char* what;
    Host host;
} kHosts[] = {
    {"a host that sends empty lists", Host::EmptyLists},
    {"a host that never sends a list", Host::NoLists},
    {"a host that sends lists only with events", Host::OwnEventsOnly},
};

class EditorQueueDrain : public PlayingInstrument
{
protected:
    void startFor(Host kind)
    {
        host = kind;
        synth.reset();
        start(instrumenttest::NoiseBank());
        synth->setBlockSize(kBlock);
        block();
        countFrames();
        echoed.clear();
    }

    // One block as the host plays it, with the host's own events.
    void block(const std::vector<HostMidi>& events = {})
    {
        if (host == Host::EmptyLists || (host == Host::OwnEventsOnly && !events.empty()))
            sendHost(events);
        render(kBlock);
    }

    // The editor's and the host's notes and pedal, without the noises.
    std::vector<EngineEvent> played() const
    {
        return engineEventsWhere([](const EngineEvent& event) { return event.data1 < 100; });
    }

    Host host = Host::EmptyLists;
};
} // namespace

TEST_F(EditorQueueDrain, EditorKeysAndPedalsPlayOnceInEveryHost)
{
    for (const auto& row : kHosts)
    {
        startFor(row.host);
        synth->keyPressed(60, 100);
        block();
        EXPECT_TRUE(synth->isKeyDown(60)) << row.what;
        synth->sustainPedal(true);
        block();
        EXPECT_TRUE(synth->isSustainDown()) << row.what;
        block(row.host == Host::NoLists ? std::vector<HostMidi>{}
                                        : std::vector<HostMidi>{{10, kNoteOn, 72, 90}});
        synth->keyReleased(60, 0);
        synth->sustainPedal(false);
        for (int i = 0; i < 4; ++i)
            block();
        EXPECT_FALSE(synth->isKeyDown(60)) << row.what;
        EXPECT_FALSE(synth->isSustainDown()) << row.what;

        std::vector<EngineEvent> expected = {{kNoteOn, 60, 99, 0}, {kControl, 64, 127, 0}};
        if (row.host != Host::NoLists)
            expected.push_back({kNoteOn, 72, 90, 0});
        expected.insert(expected.end(), {{kNoteOff, 60, 0, 0}, {kControl, 64, 0, 0}});
        EXPECT_EQ(played(), expected) << row.what;
        // Each in the block after the editor's change: the first at its start (no time passed on the
        // instrument's clock between the change and the block), the others in the following blocks.
        const KeyFrames ons = keyFrames(kNoteOn);
        ASSERT_FALSE(ons.empty()) << row.what;
        EXPECT_LT(ons.front().second, kBlock) << row.what;
        EXPECT_EQ(controllers(64).back().frame / kBlock, 3) << row.what;

        ASSERT_EQ(echoed.size(), 4u) << row.what;
        const int echoedKeys[4][2] = {{kNoteOn, 60}, {kControl, 64}, {kNoteOff, 60}, {kControl, 64}};
        for (size_t i = 0; i < echoed.size(); ++i)
        {
            EXPECT_EQ(static_cast<uint8_t>(echoed[i].midiData[0]), echoedKeys[i][0]) << row.what << " " << i;
            EXPECT_EQ(echoed[i].midiData[1], echoedKeys[i][1]) << row.what << " " << i;
        }
    }
}

// A key pressed after the host has given the block its events waits for the next block, which drains it
// whether the host sends that block a list or not; a host without lists hears it in the block it renders
// next.
TEST_F(EditorQueueDrain, AKeyPressedBetweenABlocksEventsAndItsAudioWaitsForTheNextBlock)
{
    for (const auto& row : kHosts)
    {
        startFor(row.host);
        if (row.host != Host::NoLists)
            sendHost({{0, kNoteOn, 72, 90}});
        synth->keyPressed(60, 100);
        render(kBlock);
        block();
        block();
        const KeyFrames ons = keyFrames(kNoteOn);
        const long expectedBlock = row.host == Host::NoLists ? 0 : 1;
        int heard = 0;
        for (const auto& [key, frame] : ons)
            if (key == 60)
            {
                ++heard;
                EXPECT_EQ(frame / kBlock, expectedBlock) << row.what;
            }
        EXPECT_EQ(heard, 1) << row.what;
        EXPECT_EQ(echoed.size(), 1u) << row.what;
    }
}
