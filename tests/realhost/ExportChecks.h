// What a real host's exports must show: the chord sounds where it was played and dies away after its
// release, changed parameters change the sound, and a saved session comes back with the same values
// and the same sound. Each check is one line of the report. Plain functions, any thread.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace realhost
{

// A stereo recording a host exported.
struct StereoTake
{
    double rate = 0.0;
    std::vector<float> samples; // interleaved left, right
    int64_t frames() const { return static_cast<int64_t>(samples.size() / 2); }
};

struct Check
{
    std::string name;
    bool passed = false;
    std::string detail;
};

// Parameter index to the value the host reported for it.
using ParameterValues = std::map<int, double>;

// Before the chord: silence; the chord: loud and starting on time; after its release: dying away. The
// notes start at frame `on` and end at `off`, counted from the start of the export.
std::vector<Check> checkChord(const StereoTake& take, int64_t on, int64_t off);
// The parameters changed between two exports of the same chord audibly change it.
Check checkSoundChanged(const StereoTake& before, const StereoTake& after);
// The export after reopening the session is the export before saving it.
Check checkSameSound(const StereoTake& saved, const StereoTake& reopened);
// The values set before saving differ from the defaults exactly at `changed`, and the reopened
// session reports every value as saved.
std::vector<Check> checkParameters(const ParameterValues& defaults, const ParameterValues& saved,
                                   const ParameterValues& reopened, const std::vector<int>& changed);

} // namespace realhost
