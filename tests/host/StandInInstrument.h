// A stand-in for the instrument behind the format adapters: an AEffect with three parameters (the first
// stepped in four positions), two programs, an 8-byte chunk and an editor, that records what it is handed
// and calls its host when a test asks. A rate change moves its delay to 5 ms of the rate, as the
// instrument's limiter does. The entry makes the stand-in that `standIn` points at. One thread at a time.
#pragma once

#include <utility>
#include <vector>

#include "host/FormatHost.h"
#include "host/InstrumentEntry.h"

namespace hosttest
{

struct ReceivedEvent
{
    int piece;
    int offset;
    int status; // 0xF0 for a system-exclusive dump
    int key;
    std::vector<unsigned char> dump; // a dump's bytes
};

class StandInInstrument
{
public:
    StandInInstrument();

    host::AEffect effect{};
    host::audioMasterCallback master = nullptr;
    double rateAtCreation = 0.0;
    std::vector<host::VstInt32> opcodes;
    std::vector<int> pieces;
    std::vector<ReceivedEvent> events;
    std::vector<std::pair<int, float>> parametersSet;
    float values[3] = {0.25f, 0.5f, 0.75f};
    unsigned char chunk[8] = {1, 0, 0, 0, 9, 9, 9, 9};
    int chunksTaken = 0;
    int blockSize = 0;
    bool closed = false;

    host::VstIntPtr callHost(host::VstInt32 opcode, host::VstInt32 index = 0, host::VstIntPtr value = 0,
                             void* ptr = nullptr, float opt = 0.0f);
    int count(host::VstInt32 opcode) const;

    // The entry that hands out the stand-in `standIn` points at.
    static host::InstrumentEntry entry();
    static StandInInstrument* standIn;
};

// What the format heard from the instrument.
class RecordingFormat : public host::FormatHost
{
public:
    void parameterEdited(int index, float value) override { edits.emplace_back(index, value); }
    void latencyChanged(int frames) override { latencies.push_back(frames); }
    bool resizeEditor(int width, int height) override
    {
        sizes.emplace_back(width, height);
        return true;
    }
    std::vector<std::pair<int, float>> edits;
    std::vector<int> latencies;
    std::vector<std::pair<int, int>> sizes;
};

} // namespace hosttest
