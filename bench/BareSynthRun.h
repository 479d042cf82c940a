// The note sequence on the synthesizer library alone, loaded by its own loader, rendered in the same
// blocks and split at the same event frames as the plug-in renders: the cost the plug-in is measured
// against, bare (without chorus or reverb) or with the library's own reverb and chorus on. The piece plays
// a stretch at a time, so that several runs can take turns through it.
#pragma once

#include <memory>
#include <string>

#include <fluidsynth.h>

#include "BlockTimes.h"
#include "NoteSequence.h"

class BareSynthRun
{
public:
    explicit BareSynthRun(bool withOwnEffects) : ownEffects(withOwnEffects) {}
    ~BareSynthRun();
    BareSynthRun(const BareSynthRun&) = delete;
    BareSynthRun& operator=(const BareSynthRun&) = delete;

    // False with a message in error when the synthesizer or the bank cannot be set up.
    bool open(const std::string& riffBank, const NoteSequence& notes, int sampleRate, int blockFrames,
              std::string& error);
    // Renders the blocks that start before endFrame; their processor time adds to processorSeconds.
    void playUntil(uint64_t endFrame);

    BlockTimes times;       // wall-clock per block
    BlockTimes threadTimes; // the thread's processor time per block
    double processorSeconds = 0.0;
    double meanVoices() const { return blocks > 0 ? voiceSum / static_cast<double>(blocks) : 0.0; }
    int mostVoices = 0;

private:
    void playBlock();

    bool ownEffects; // the library's reverb and chorus on
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    const NoteSequence* notes = nullptr;
    int blockFrames = 0;
    std::unique_ptr<float[]> left;
    std::unique_ptr<float[]> right;
    uint64_t start = 0;
    size_t next = 0;
    double voiceSum = 0.0;
    uint64_t blocks = 0;
};
