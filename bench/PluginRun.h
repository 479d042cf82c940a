// The note sequence through the built plug-in, loaded from a temporary folder with the bank beside it
// and played as a host plays it: the block's events, then processReplacing.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "PieceEvents.h"
#include "PieceRun.h"
#include "host/VstInterface.h"
#include "support/PluginFolder.h"

// Host values set before the piece: (parameter index, value).
using ParameterValues = std::vector<std::pair<int, float>>;

class PluginRun : public PieceRun
{
public:
    // False with a message in error when the plug-in or its bank cannot be set up.
    bool open(const std::string& bank, const NoteSequence& notes, int sampleRate, int blockFrames,
              const ParameterValues& parameters, std::string& error);
    // The same through the entry point of a plug-in linked into this program, whose files are wherever
    // that plug-in finds them.
    bool open(plughost::PluginHost& linked, const NoteSequence& notes, int sampleRate, int blockFrames,
              std::string& error);

    BlockTimes renderTimes; // processReplacing alone, wall-clock (times: with the events)
    // Heap operations on the audio thread once the first second has played.
    long allocationsAfterWarmUp = 0;

private:
    bool openInstance(std::unique_ptr<plughost::PluginInstance> instance, const NoteSequence& notes,
                      int sampleRate, int blockFrames, const ParameterValues& parameters, std::string& error);
    void playBlock() override;

    PluginFolder folder;
    std::unique_ptr<plughost::PluginInstance> plugin;
    uint64_t warmUpFrames = 0;
    std::vector<float> left;
    std::vector<float> right;
    PieceEvents pieceEvents;
};
