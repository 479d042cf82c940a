// The note sequence through the instrument linked into the benchmark, with the bank beside a module name in
// a temporary folder, played a block at a time as a host plays it: how many voices its synthesizer plays
// after each block, the figure the built plug-in does not report.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "PieceEvents.h"
#include "PieceRun.h"
#include "VoiceCount.h"
#include "instrument/VstXSynth.h"

class InstrumentRun : public PieceRun
{
public:
    InstrumentRun() = default;
    ~InstrumentRun() override;

    // False with a message in error when the instrument or its bank cannot be set up.
    bool open(const std::string& bank, const NoteSequence& notes, int sampleRate, int blockFrames,
              std::string& error);

    VoiceCount voices;

private:
    void playBlock() override;

    std::filesystem::path folder;
    std::unique_ptr<instrument::VstXSynth> synth;
    PieceEvents pieceEvents;
    std::unique_ptr<float[]> left;
    std::unique_ptr<float[]> right;
};
