// One instance of an LV2 plug-in in the test host: its ports connected to buffers of its own, its MIDI input
// written as an atom sequence for each block, its state saved to and restored from memory.
#pragma once

#include <lv2/core/lv2.h>
#include <lv2/options/options.h>
#include <lv2/state/state.h>

#include <cstdint>
#include <map>
#include <vector>

#include "formathost/Lv2UridMap.h"

namespace formathost
{

// A MIDI message at a frame of the block.
struct Lv2Midi
{
    int64_t frame;
    std::vector<uint8_t> bytes;
};

// A saved state: each key's type and bytes.
struct Lv2StateValue
{
    uint32_t type;
    std::vector<uint8_t> bytes;
};
using Lv2State = std::map<uint32_t, Lv2StateValue>;

class Lv2Instance
{
public:
    Lv2Instance(const LV2_Descriptor& descriptor, Lv2UridMap& map, double rate, int maxBlock);
    ~Lv2Instance(); // deactivates and cleans up
    Lv2Instance(const Lv2Instance&) = delete;
    Lv2Instance& operator=(const Lv2Instance&) = delete;

    bool valid() const { return handle != nullptr; }
    LV2_Handle lv2Handle() const { return handle; }

    // The value of a control input port (its plain value) for the next block. A control port stays
    // unconnected until it is given a value.
    void setControl(uint32_t port, float value)
    {
        controls.at(port) = value;
        connected.at(port) = true;
    }
    float control(uint32_t port) const { return controls.at(port); }
    // What the latency port reported in the last block.
    float latency() const;

    // Runs a block into left and right with the MIDI messages and, before them, any prepared atoms
    // (for instance a transport position), in the order given.
    void run(float* left, float* right, int frames, const std::vector<Lv2Midi>& midi = {});
    // The two halves of run, for a benchmark that times the plug-in alone: the host's work of writing the
    // block's atoms and connecting the ports, then the plug-in's run.
    void connect(float* left, float* right, const std::vector<Lv2Midi>& midi);
    void runConnected(int frames);
    // An atom to send with the next block, at its frame.
    void queueAtom(int64_t frame, uint32_t type, const std::vector<uint8_t>& body);

    // The state through the plug-in's state interface; false when it has none or refuses.
    bool save(Lv2State& state);
    LV2_State_Status restore(const Lv2State& state);

private:
    const LV2_Descriptor& plugin;
    Lv2UridMap& uris;
    LV2_Handle handle = nullptr;
    std::vector<float> controls;
    std::vector<bool> connected;
    std::vector<uint8_t> sequence;
    std::vector<std::pair<int64_t, std::pair<uint32_t, std::vector<uint8_t>>>> queued;
    int32_t blockLength = 0;
    std::vector<LV2_Options_Option> options;
};

} // namespace formathost
