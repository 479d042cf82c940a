// The note sequence through the built plug-in, loaded from a temporary folder with the bank beside it
// and played as a host plays it: the block's events, then processReplacing. The piece plays a stretch at a
// time, so that several runs can take turns through it.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "BlockTimes.h"
#include "NoteSequence.h"
#include "host/VstInterface.h"
#include "support/PluginFolder.h"

// Host values set before the piece: (parameter index, value).
using ParameterValues = std::vector<std::pair<int, float>>;

class PluginRun
{
public:
    PluginRun() = default;
    PluginRun(const PluginRun&) = delete;
    PluginRun& operator=(const PluginRun&) = delete;

    // False with a message in error when the plug-in or its bank cannot be set up.
    bool open(const std::string& bank, const NoteSequence& notes, int sampleRate, int blockFrames,
              const ParameterValues& parameters, std::string& error);
    // Plays the blocks that start before endFrame; their processor time adds to processorSeconds.
    void playUntil(uint64_t endFrame);

    BlockTimes times;       // whole blocks (events and audio), wall-clock
    BlockTimes renderTimes; // processReplacing alone, wall-clock
    BlockTimes threadTimes; // whole blocks, the thread's processor time
    double processorSeconds = 0.0;
    // Heap operations on the audio thread once the first second has played.
    long allocationsAfterWarmUp = 0;

private:
    void playBlock();

    PluginFolder folder;
    std::unique_ptr<plughost::PluginInstance> plugin;
    const NoteSequence* notes = nullptr;
    int blockFrames = 0;
    uint64_t warmUpFrames = 0;
    std::vector<float> left;
    std::vector<float> right;
    // The block's event list is built here, ahead, so that the host's own work allocates nothing while
    // the plug-in's heap operations are counted.
    std::vector<host::VstMidiEvent> midi;
    std::vector<unsigned char> listStorage;
    uint64_t start = 0;
    size_t next = 0;
};
