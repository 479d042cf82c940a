// What a real host's exports must show: the chord sounds where it was played and dies away after its
// release; a note at its pitch, held by the sustain pedal after its release until the pedal lifts; a program
// sets its values, changed parameters change the sound, and a saved session comes back with the same
// program, values and sound. Each check is one line of the report. Plain functions, any thread.
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

// A note played with the sustain pedal, in frames from the start of the export: the pedal goes down, the
// note starts and ends, the pedal lifts.
struct PedalledNote
{
    int64_t pedalDown, on, off, pedalUp;
    double frequency;
};

// Before the chord: silence; the chord: loud and starting on time; after its release: dying away. The
// notes start at frame `on` and end at `off`, counted from the start of the export.
std::vector<Check> checkChord(const StereoTake& take, int64_t on, int64_t off);
// The parameters changed between two exports of the same chord audibly change it.
Check checkSoundChanged(const StereoTake& before, const StereoTake& after);
// The export after reopening the session is the export before saving it.
Check checkSameSound(const StereoTake& saved, const StereoTake& reopened);
// The note sounds at its pitch, rings on after its release while the pedal is down, and is damped once
// the pedal lifts.
std::vector<Check> checkPedalledNote(const StereoTake& take, const PedalledNote& note);
// A note played once somewhere in the take sounds at a musician's level and at its pitch.
Check checkNoteHeard(const StereoTake& take, double frequency);
// The program moved the values away from the defaults; the values set after it differ from the program's
// exactly at `changed`; and the reopened session reports every value as saved.
std::vector<Check> checkParameters(const ParameterValues& defaults, const ParameterValues& program,
                                   const ParameterValues& saved, const ParameterValues& reopened,
                                   const std::vector<int>& changed);
// The host reports the program it was asked for when saving and again after reopening.
Check checkProgram(const std::string& requested, const std::string& saved, const std::string& reopened);

} // namespace realhost
