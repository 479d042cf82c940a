// The note sequence through an LV2 plug-in as an LV2 host plays it: each block's MIDI messages written as
// atoms, the ports connected, then the plug-in's run, which alone is timed.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "PieceRun.h"
#include "formathost/Lv2Host.h"

class Lv2PieceRun : public PieceRun
{
public:
    // False with a message in error when the host gives no instance.
    bool open(formathost::Lv2Host& host, const NoteSequence& notes, int sampleRate, int blockFrames,
              std::string& error);

private:
    void playBlock() override;

    std::unique_ptr<formathost::Lv2Instance> plugin;
    std::vector<formathost::Lv2Midi> midi;
    std::vector<float> left;
    std::vector<float> right;
};
