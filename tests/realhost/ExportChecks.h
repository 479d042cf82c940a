// What a real host's exports must show: the chord sounds where it was played and dies away after its
// release, changed parameters change the sound, and a saved session comes back with the same values
// and the same sound. Each check is one line of the report. Plain functions, any thread.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "realhost/StereoTake.h"

namespace realhost
{

struct Check
{
    std::string name;
    bool passed = false;
    std::string detail;
};

// When the chord's notes start and end, in frames from the start of the export.
struct ChordTimes
{
    int64_t on = 0;
    int64_t off = 0;
};

// Parameter index to the value the host reported for it.
using ParameterValues = std::map<int, double>;

// Before the chord: silence; the chord: loud and starting on time; after its release: dying away.
std::vector<Check> checkChord(const StereoTake& take, const ChordTimes& times);
// The parameters changed between two exports of the same chord audibly change it.
Check checkSoundChanged(const StereoTake& before, const StereoTake& after);
// The export after reopening the session is the export before saving it.
Check checkSameSound(const StereoTake& saved, const StereoTake& reopened);
// The values set before saving differ from the defaults exactly at `changed`, and the reopened
// session reports every value as saved.
std::vector<Check> checkParameters(const ParameterValues& defaults, const ParameterValues& saved,
                                   const ParameterValues& reopened, const std::vector<int>& changed);

} // namespace realhost
