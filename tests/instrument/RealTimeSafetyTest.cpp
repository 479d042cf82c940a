// Once the host has announced its block size and resumed, the audio thread's calls (processEvents and
// processReplacing) neither allocate nor free: across the host's notes, pedal and controllers, its master
// tunings and dumps the piano does not take, parameter changes, the editor's keys and pedals in blocks with
// and without the host's events, a block longer than announced, and the doubled rates. The chorus stays at
// 0: while the engine's chorus unit runs, the synthesizer library's OpenMP runtime allocates and frees a
// one-thread team on every effects pass, which no caller of the library can prevent. Nor are the keys
// tuned: the library makes a new tuning program for every change of the keys' pitches and frees the old one.

#include <vector>

#include "instrument/PianoTestBanks.h"
#include "instrument/PlayingInstrument.h"
#include "support/AllocationCounter.h"

using namespace host;

namespace
{
constexpr int kBlock = 256;

class RealTimeSafety : public PlayingInstrument
{
protected:
    void SetUp() override
    {
        PlayingInstrument::SetUp();
        start(instrumenttest::ResonanceBank());
        // The recording of engine events and of echoed notes belongs to the test, not to the instrument.
        synth->synthEngine()->setEventObserver(nullptr, nullptr);
        echoed.reserve(100000);
    }

    // The host's events of block b: notes struck and released across the keyboard, the sustain pedal going
    // down and up (each change starts the resonance envelope), volume and reverb controllers.
    static std::vector<HostMidi> hostEvents(int b)
    {
        std::vector<HostMidi> events = {{b % kBlock, kNoteOn, 30 + (b * 7) % 60, 40 + b % 80},
                                        {(b * 13) % kBlock, kNoteOff, 30 + ((b - 9) * 7 % 60 + 60) % 60, 0}};
        if (b % 40 == 0)
            events.push_back({17, kControl, 64, (b / 40) % 2 ? 0 : 127});
        if (b % 25 == 0)
            events.push_back({100, kControl, 7, 60 + b % 60});
        if (b % 33 == 0)
            events.push_back({5, kControl, 91, b % 127});
        return events;
    }

    // The host's dumps of block b: master fine and coarse tuning, and dumps the piano passes over (another
    // device's tuning, one cut short, a long dump of another kind).
    static std::vector<HostDump> hostDumps(int b)
    {
        if (b % 7 != 3)
            return {};
        const uint8_t fine = static_cast<uint8_t>(0x38 + b % 16);
        const uint8_t coarse = static_cast<uint8_t>(0x40 + b % 3);
        std::vector<uint8_t> other(2000, 0x11);
        other.front() = 0xF0;
        other.back() = 0xF7;
        return {{b % kBlock, {0xF0, 0x7F, 0x7F, 0x04, 0x03, 0x00, fine, 0xF7}},
                {(b * 3) % kBlock, {0xF0, 0x7F, 0x00, 0x04, 0x04, 0x00, coarse, 0xF7}},
                {0, {0xF0, 0x7F, 0x10, 0x04, 0x03, 0x00, 0x30, 0xF7}},
                {1, {0xF0, 0x7F, 0x7F, 0x08, 0x02, 0x00, 0x01, 69, 70}},
                {2, other}};
    }

    // The editor's keys and pedals and the host's parameter changes, on their own side of the instrument.
    void otherThreads(int b)
    {
        if (b % 5 == 0)
            synth->keyPressed(40 + b % 40, 90);
        if (b % 5 == 2)
            synth->keyReleased(40 + (b - 2) % 40, 0);
        if (b % 60 == 30)
            synth->sustainPedal((b / 60) % 2 == 0);
        if (b % 70 == 10 && b % 11 != instrument::ParameterTable::kChorus)
            synth->setParameter(b % 11, static_cast<float>(b % 100) / 100.0f);
    }

    // Plays the blocks and returns the heap operations the audio thread's calls made in the counted ones.
    long play(int blocks, int countFrom, int frames = kBlock)
    {
        long operations = 0;
        for (int b = 0; b < blocks; ++b)
        {
            otherThreads(b);
            VstEvents* events = eventList(hostEvents(b), hostDumps(b));
            float* outputs[2] = {left.data(), right.data()};
            const AllocationCounter counter;
            // Now and then a block without the host's events: the instrument takes the editor's itself.
            if (b % 9 != 4)
                synth->processEvents(events);
            synth->processReplacing(nullptr, outputs, frames);
            if (b >= countFrom)
                operations += counter.count();
        }
        return operations;
    }

    std::vector<float> left = std::vector<float>(4 * kBlock), right = left;
};

TEST(AllocationCounterTest, SeesTheCallingThreadsHeapOperations)
{
    const AllocationCounter counter;
    std::vector<int> grown(10);
    grown.resize(1000);
    EXPECT_EQ(3, counter.count()); // two allocations and the free between them
}

TEST_F(RealTimeSafety, NothingAllocatesOnTheAudioThreadAfterWarmUp)
{
    for (const float rate : {44100.0f, 192000.0f})
    {
        synth->suspend();
        synth->setSampleRate(rate);
        synth->setBlockSize(kBlock);
        synth->resume();
        EXPECT_EQ(0, play(600, 100)) << rate;
        // A block four times the announced size is rendered in pieces with the buffers it has.
        EXPECT_EQ(0, play(50, 0, 4 * kBlock)) << rate;
    }
}

} // namespace
