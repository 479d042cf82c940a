// The note sequence through the built plug-in, loaded from a temporary folder with the bank beside it
// and played as a host plays it: the block's events, then processReplacing.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "BlockTimes.h"
#include "NoteSequence.h"

// Host values set before the piece: (parameter index, value).
using ParameterValues = std::vector<std::pair<int, float>>;

struct PluginRun
{
    ParameterValues parameters;
    BlockTimes times;       // whole blocks (events and audio), wall-clock
    BlockTimes renderTimes; // processReplacing alone, wall-clock
    BlockTimes threadTimes; // whole blocks, the thread's processor time
    // Heap operations on the audio thread once the first second has played.
    long allocationsAfterWarmUp = 0;
};

// False with a message in error when the plug-in or its bank cannot be set up.
bool RunPlugin(const std::string& bank, const NoteSequence& notes, int sampleRate, int blockFrames,
               PluginRun& run, std::string& error);
