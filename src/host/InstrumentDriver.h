// Drives the instrument as a VST 2.4 host does, for the LV2 and VST3 adapters: creates it through the
// module's entry, hands it the format's set-up, the block's MIDI at its frame offsets, processReplacing,
// parameters, programs, the state chunk and the editor calls, and answers its host callbacks through the
// adapter's FormatHost (automate, the transport, the editor's size, the output delay). Each call checks
// what a host hands it and refuses what the instrument must not see, with a false result and a log line.
// Threads: open, set-up, names, programs, state and the editor on the host's user-interface thread; the
// block (beginBlock, addMidi, addSysex, setTransport, render) on its audio thread; setParameter on either.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "host/BlockEvents.h"
#include "host/FormatHost.h"
#include "host/InstrumentEntry.h"
#include "host/InstrumentParameter.h"
#include "host/VstInterface.h"

namespace host
{

class InstrumentDriver
{
public:
    // The block length the instrument is prepared for until the format tells its own.
    static constexpr int kDefaultBlockFrames = 1024;
    // The most frames a format may announce; longer blocks are rendered in pieces of this.
    static constexpr int kMaxBlockFrames = 65536;

    explicit InstrumentDriver(FormatHost& formatHost);
    ~InstrumentDriver(); // ends the instrument
    InstrumentDriver(const InstrumentDriver&) = delete;
    InstrumentDriver& operator=(const InstrumentDriver&) = delete;

    // Creates the instrument at the rate and for blocks of up to the given frames, and reads what it tells of
    // its parameters and programs. False (and nothing to drive) when the entry gives no instrument.
    bool open(const InstrumentEntry& entry, double sampleRate, int blockFrames);
    bool isOpen() const { return effect != nullptr; }
    // Closes the editor, suspends and ends the instrument.
    void close();

    // The names the instrument gives itself and its maker.
    std::string effectName();
    std::string vendorName();

    // Set-up, while processing is suspended. A rate that is not a positive number is refused.
    bool setSampleRate(double rate);
    double sampleRate() const { return rate; }
    bool setBlockFrames(int frames);
    int blockFrames() const { return maxFrames; }
    // Suspends or resumes the instrument; on suspending, logs how many events it refused meanwhile.
    void setActive(bool active);
    // Frames the output trails its events by.
    int latency() const;

    // The block, on the audio thread: beginBlock, the events in any order, then render.
    void beginBlock(int frames);
    // False, and the event is not played, for an offset outside the block or when the block's list is full.
    bool addMidi(int offset, uint8_t status, uint8_t data1, uint8_t data2);
    // A system-exclusive dump (F0 to F7), copied; false and not played as addMidi, or when the block's room
    // for dumps is full.
    bool addSysex(int offset, const uint8_t* bytes, size_t length);
    // The transport at the block's start, as the instrument's time requests will see it; the driver adds the
    // rate and whether playing started or stopped since the last block.
    void setTransport(const VstTimeInfo& info);
    // Renders the block begun into both channels, in pieces no longer than the block length the
    // instrument was given.
    void render(float* left, float* right);
    // Events refused since the last call.
    int takeRefusedEvents() { return refusedEvents.exchange(0); }

    // Parameters (host values 0..1).
    int parameterCount() const { return static_cast<int>(parameters.size()); }
    // Null outside 0..parameterCount()-1.
    const InstrumentParameter* parameter(int index) const;
    float parameterValue(int index) const;
    // False for an index the instrument lacks, or a value outside 0..1 or not a number.
    bool setParameter(int index, float value);
    std::string parameterDisplay(int index);

    // Programs: as many as the instrument has names for.
    int programCount() const { return static_cast<int>(programNames.size()); }
    const std::string& programName(int index) const;
    int program() const;
    // False for a program the instrument lacks.
    bool setProgram(int index);

    // The state: the instrument's chunk as it hands it to a VST 2.4 host.
    std::vector<uint8_t> state();
    // Whether the instrument takes a state: false, with a log line, when its size or version (its first
    // four bytes) is not that of the instrument's own chunk.
    bool stateAcceptable(const uint8_t* data, size_t size);
    // False, with nothing changed, for a state that is not acceptable.
    bool setState(const uint8_t* data, size_t size);

    // The editor.
    bool hasEditor() const;
    bool editorSize(int& width, int& height);
    // parent is the host's window (an X11 window id, or an HWND on Windows).
    bool openEditor(void* parent);
    void idleEditor();
    void closeEditor();
    bool editorOpen() const { return editorIsOpen; }

    // The instrument's host callback (public for the tests that stand in for an instrument).
    static VstIntPtr VSTCALLBACK callback(AEffect* instrument, VstInt32 opcode, VstInt32 index,
                                          VstIntPtr value, void* ptr, float opt);

private:
    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0.0f) const;
    VstIntPtr answer(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);
    void describe(const InstrumentEntry& entry);
    std::string text(VstInt32 opcode, VstInt32 index = 0) const;

    FormatHost& format;
    AEffect* effect = nullptr;
    double rate = 44100.0;
    int maxFrames = kDefaultBlockFrames;
    bool active = false;
    bool editorIsOpen = false;
    std::vector<InstrumentParameter> parameters;
    std::vector<std::string> programNames;

    BlockEvents events;
    int frames = 0;
    VstTimeInfo timeInfo{};
    bool wasPlaying = false;
    std::atomic<int> refusedEvents{0};
};

} // namespace host
