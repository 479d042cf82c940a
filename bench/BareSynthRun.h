// The note sequence on the synthesizer library alone, loaded by its own loader, rendered in the same
// blocks and split at the same event frames as the plug-in renders: the cost the plug-in is measured
// against, bare (without chorus or reverb) or with the library's own reverb and chorus on.
#pragma once

#include <string>

#include "BlockTimes.h"
#include "NoteSequence.h"

struct BareSynthRun
{
    bool ownEffects = false; // the library's reverb and chorus on
    BlockTimes times;        // wall-clock per block
    BlockTimes threadTimes;  // the thread's processor time per block
    double meanVoices = 0.0; // sounding voices, averaged over the blocks
    int mostVoices = 0;
};

// False with a message in error when the synthesizer or the bank cannot be set up.
bool RunBareSynth(const std::string& riffBank, const NoteSequence& notes, int sampleRate, int blockFrames,
                  BareSynthRun& run, std::string& error);
