// An instrument linked into the test and played as a host plays it: MIDI through processEvents, audio
// through processReplacing. Every event the router hands to the synthesizer is recorded through the
// engine's observer, with the frames the engine had rendered when it arrived, and the MIDI the instrument
// sends back to the host is kept too.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "instrument/InstrumentFixture.h"
#include "instrument/VstXSynth.h"

struct EngineEvent
{
    int type, data1, data2;
    long frame; // counted from countFrames()

    bool operator==(const EngineEvent& other) const
    {
        return type == other.type && data1 == other.data1 && data2 == other.data2;
    }
};

struct HostMidi
{
    host::VstInt32 deltaFrames;
    int status, data1, data2;
};

// A system-exclusive dump from the host, F0 to F7.
struct HostDump
{
    host::VstInt32 deltaFrames;
    std::vector<uint8_t> bytes;
};

class PlayingInstrument : public InstrumentFixture
{
protected:
    static constexpr int kNoteOff = 0x80, kNoteOn = 0x90, kControl = 0xB0;

    void TearDown() override;

    // Writes the bank beside the module, creates the instrument, waits for its sample data and starts
    // recording.
    void start(const std::vector<uint8_t>& bank);
    // Creates the instrument without a sound bank.
    void startWithoutBank();

    // The host's event list for these MIDI events, in storage the fixture keeps until the next call; making
    // it is the only part of sending that allocates.
    host::VstEvents* eventList(const std::vector<HostMidi>& events);
    // The same with the dumps after the MIDI events in the list.
    host::VstEvents* eventList(const std::vector<HostMidi>& events, const std::vector<HostDump>& dumps);
    void sendHost(const std::vector<HostMidi>& events) { synth->processEvents(eventList(events)); }
    // Renders frames in blocks of blockFrames, or in one block; both channels are kept whole.
    struct Block
    {
        std::vector<float> left, right;
        double energy() const;
        float peak() const;
        bool allZero() const;
    };
    Block render(int frames, int blockFrames = 0);

    std::vector<EngineEvent> engineEventsWhere(const std::function<bool(const EngineEvent&)>& keep) const;
    std::vector<EngineEvent> controllers(int number) const;
    // The key (or controller) and frame of each event of one type (0x80, 0x90, 0xB0), in order.
    using KeyFrames = std::vector<std::pair<int, long>>;
    KeyFrames keyFrames(int type) const;

    // Forgets the events so far and counts frames from the engine's next one.
    void countFrames();
    long framesCounted() const;

    std::unique_ptr<instrument::VstXSynth> synth;
    std::vector<EngineEvent> engineEvents;
    uint64_t frameBase = 0;
    static std::vector<host::VstMidiEvent> echoed;

private:
    static host::VstIntPtr echoHost(host::AEffect*, host::VstInt32 opcode, host::VstInt32, host::VstIntPtr,
                                    void* ptr, float);
    static void record(void* context, int type, int data1, int data2);

    std::vector<host::VstMidiEvent> listedMidi;
    std::vector<host::VstMidiSysexEvent> listedDumps;
    std::vector<HostDump> dumpCopies;
    std::vector<unsigned char> listStorage;
};
