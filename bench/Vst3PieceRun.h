// The note sequence through a VST3 plug-in as a VST3 host plays it: each block's notes as note events, its
// controllers as changes of the parameters the plug-in maps them to (a controller it maps to none is not
// sent), then the plug-in's process, which alone is timed.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "PieceRun.h"
#include "formathost/Vst3Host.h"

class Vst3PieceRun : public PieceRun
{
public:
    // False with a message in error when the host gives no instance or cannot start it.
    bool open(formathost::Vst3Host& host, const NoteSequence& notes, int sampleRate, int blockFrames,
              std::string& error);

private:
    void playBlock() override;

    std::unique_ptr<formathost::Vst3Instance> plugin;
    // Controller number to the parameter the plug-in maps it to.
    std::map<int, host::ParamID> mapped;
    std::vector<float> left;
    std::vector<float> right;
};
