// The note sequence on the synthesizer library alone, loaded by its own loader, without chorus or reverb,
// rendered in the same blocks and split at the same event frames as the plug-in renders: the cost the
// plug-in is measured against.
#pragma once

#include <string>

#include "BlockTimes.h"
#include "NoteSequence.h"

// False with a message in error when the synthesizer or the bank cannot be set up.
bool RunBareSynth(const std::string& riffBank, const NoteSequence& notes, int sampleRate, int blockFrames,
                  BlockTimes& times, std::string& error);
