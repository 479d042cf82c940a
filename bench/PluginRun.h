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

// blockTimes gets whole blocks (events and audio), renderTimes processReplacing alone. False with a
// message in error when the plug-in or its bank cannot be set up.
bool RunPlugin(const std::string& bank, const NoteSequence& notes, const ParameterValues& parameters,
               int sampleRate, int blockFrames, BlockTimes& blockTimes, BlockTimes& renderTimes,
               std::string& error);
