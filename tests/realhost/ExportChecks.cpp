#include "realhost/ExportChecks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

namespace realhost
{
namespace
{
// Before the notes: nothing but rounding noise, this far below the chord's peak.
constexpr double kSilenceBelowPeakDb = 80.0;
// The chord is heard from its first sample within 40 dB of its peak: no earlier than the notes and within
// 20 ms of them (the attack and the limiter's look-ahead).
constexpr double kOnsetBelowPeakDb = 40.0;
constexpr double kOnsetWithinSeconds = 0.020;
// A musician's playing level, not the quiet output of a broken chain.
constexpr double kLoudestPeakDb = 0.0;
constexpr double kQuietestPeakDb = -30.0;
// 2 s after the release the chord lies this far below its first 100 ms; a lost note-off leaves it within
// about 30 dB.
constexpr double kReleasedBelowAttackDb = 45.0;
constexpr double kAttackSeconds = 0.100;
constexpr double kReleaseWindowStartSeconds = 2.0;
constexpr double kReleaseWindowSeconds = 0.5;
// Changed parameters move the sound by at least a tenth of its level.
constexpr double kChangeBelowLevelDb = -20.0;
// Only float rounding may differ: of a host value 0..1, or of a plain value up to a few hundred.
constexpr double kSameTolerance = 1e-6;
// The pedalled note: its fundamental stands out this far above the semitones beside it, in its first
// half second after the attack.
constexpr double kPitchAboveNeighboursDb = 12.0;
constexpr double kPitchSkipSeconds = 0.05;
// With the pedal down (and no reverb) the string rings on after the key's release, within this of its level
// before the release (a damped one falls 50 dB and more); once the pedal lifts it falls at least this far
// within half a second (a ringing one some 10 dB).
constexpr double kHeldWithinDb = 25.0;
constexpr double kDampedBelowDb = 25.0;
constexpr double kWindowSeconds = 0.3;
constexpr double kAfterPedalUpSeconds = 0.4;

std::string format(const char* pattern, double a, double b = 0.0, double c = 0.0)
{
    char text[200];
    std::snprintf(text, sizeof text, pattern, a, b, c);
    return text;
}

int64_t seconds(const StereoTake& take, double s)
{
    return static_cast<int64_t>(std::llround(s * take.rate));
}

// Decibels of a ratio of levels; -300 for silence.
double decibels(double ratio)
{
    return ratio > 1e-15 ? 20.0 * std::log10(ratio) : -300.0;
}

// The peak and the RMS level over the frames [begin, end) of both channels, clipped to the take; 0 for an
// empty range.
std::pair<double, double> levels(const StereoTake& take, int64_t begin, int64_t end)
{
    begin = std::max<int64_t>(begin, 0);
    end = std::min(end, take.frames());
    double largest = 0.0, sum = 0.0;
    for (int64_t i = 2 * begin; i < 2 * end; ++i)
    {
        largest = std::max(largest, std::fabs(static_cast<double>(take.samples[i])));
        sum += static_cast<double>(take.samples[i]) * take.samples[i];
    }
    return {largest, end <= begin ? 0.0 : std::sqrt(sum / static_cast<double>(2 * (end - begin)))};
}

// The largest and the RMS sample difference over the longer take; the extra frames count whole.
std::pair<double, double> difference(const std::vector<float>& a, const std::vector<float>& b)
{
    const size_t count = std::max(a.size(), b.size());
    double largest = 0.0, sum = 0.0;
    for (size_t i = 0; i < count; ++i)
    {
        const double d = (i < a.size() ? a[i] : 0.0) - (i < b.size() ? b[i] : 0.0);
        largest = std::max(largest, std::fabs(d));
        sum += d * d;
    }
    return {largest, count == 0 ? 0.0 : std::sqrt(sum / static_cast<double>(count))};
}

bool same(double a, double b)
{
    return std::fabs(a - b) <= kSameTolerance * std::max(1.0, std::fabs(a));
}

// The power at a frequency in frames [begin, end) of both channels' sum (Goertzel).
double powerAt(const StereoTake& take, int64_t begin, int64_t end, double frequency)
{
    const double coefficient = 2.0 * std::cos(2.0 * M_PI * frequency / take.rate);
    double s1 = 0.0, s2 = 0.0;
    for (int64_t i = std::max<int64_t>(begin, 0); i < std::min(end, take.frames()); ++i)
    {
        const double s = take.samples[2 * i] + take.samples[2 * i + 1] + coefficient * s1 - s2;
        s2 = s1;
        s1 = s;
    }
    return s1 * s1 + s2 * s2 - coefficient * s1 * s2;
}

// How far the power at a frequency stands above that at the semitones beside it, over frames [begin, end).
double aboveNeighboursDb(const StereoTake& take, int64_t begin, int64_t end, double frequency)
{
    const double fundamental = powerAt(take, begin, end, frequency);
    const double neighbour = std::max(powerAt(take, begin, end, frequency / std::pow(2.0, 1.0 / 12.0)),
                                      powerAt(take, begin, end, frequency * std::pow(2.0, 1.0 / 12.0)));
    return fundamental > 0.0 ? 10.0 * std::log10(fundamental / std::max(neighbour, 1e-30)) : -300.0;
}

// Every value of `values` against `reference` (NaN where missing): the listed ones must differ when
// `listedDiffer`, all others must be the same.
Check compare(const char* name, const ParameterValues& reference, const ParameterValues& values,
              const std::vector<int>& listed, bool listedDiffer)
{
    Check check{name, !values.empty() && values.size() == reference.size(), ""};
    for (const auto& [index, value] : values)
    {
        const auto found = reference.find(index);
        const double was = found == reference.end() ? std::nan("") : found->second;
        const bool differ = listedDiffer && std::find(listed.begin(), listed.end(), index) != listed.end();
        if (differ == same(was, value))
        {
            check.passed = false;
            check.detail += format("parameter %.0f: %g -> %g; ", index, was, value);
        }
    }
    if (check.detail.empty())
        check.detail = std::to_string(values.size()) + " parameters";
    return check;
}
} // namespace

std::vector<Check> checkChord(const StereoTake& take, int64_t on, int64_t off)
{
    const double loudest = levels(take, on, take.frames()).first;
    const double peakDb = decibels(loudest);
    const double silenceDb = peakDb - decibels(levels(take, 0, on).first);
    // The first frame where either channel comes within the onset's distance of the peak.
    const double onsetLevel = loudest * std::pow(10.0, -kOnsetBelowPeakDb / 20.0);
    const auto heard = std::find_if(take.samples.begin(), take.samples.end(),
                                    [onsetLevel](float s) { return std::fabs(s) >= onsetLevel; });
    const int64_t onset = heard == take.samples.end() ? -1 : (heard - take.samples.begin()) / 2;
    const int64_t latest = on + seconds(take, kOnsetWithinSeconds);
    const double attack = levels(take, on, on + seconds(take, kAttackSeconds)).second;
    const int64_t windowStart = off + seconds(take, kReleaseWindowStartSeconds);
    const int64_t windowEnd = windowStart + seconds(take, kReleaseWindowSeconds);
    const double decayDb = decibels(attack) - decibels(levels(take, windowStart, windowEnd).second);
    return {
        {"the chord sounds", peakDb >= kQuietestPeakDb && peakDb <= kLoudestPeakDb,
         format("peak %.1f dBFS (between %.0f and %.0f expected)", peakDb, kQuietestPeakDb, kLoudestPeakDb)},
        {"silence before the chord", loudest > 0.0 && silenceDb >= kSilenceBelowPeakDb,
         format("%.1f dB below the chord's peak (at least %.0f expected)", silenceDb, kSilenceBelowPeakDb)},
        {"the chord starts where it was played", loudest > 0.0 && onset >= on && onset <= latest,
         format("first heard at frame %.0f, played at %.0f (up to %.0f expected)", static_cast<double>(onset),
                static_cast<double>(on), static_cast<double>(latest))},
        {"the chord dies away after its release",
         take.frames() >= windowEnd && attack > 0.0 && decayDb >= kReleasedBelowAttackDb,
         format("%.1f dB below the attack %.1f s after the release (at least %.0f expected)", decayDb,
                kReleaseWindowStartSeconds, kReleasedBelowAttackDb)}};
}

Check checkSoundChanged(const StereoTake& before, const StereoTake& after)
{
    const double changeDb = decibels(difference(before.samples, after.samples).second) -
                            decibels(levels(before, 0, before.frames()).second);
    return {"changed parameters change the sound", changeDb >= kChangeBelowLevelDb,
            format("difference %.1f dB relative to the sound (at least %.0f expected)", changeDb,
                   kChangeBelowLevelDb)};
}

Check checkSameSound(const StereoTake& saved, const StereoTake& reopened)
{
    const double largest = difference(saved.samples, reopened.samples).first;
    return {"the reopened session sounds the same",
            saved.frames() == reopened.frames() && saved.frames() > 0 && largest <= kSameTolerance,
            format("%.0f and %.0f frames, largest difference %g", static_cast<double>(saved.frames()),
                   static_cast<double>(reopened.frames()), largest)};
}

std::vector<Check> checkPedalledNote(const StereoTake& take, const PedalledNote& note)
{
    const int64_t attack = note.on + seconds(take, kPitchSkipSeconds);
    const double pitchDb = aboveNeighboursDb(take, attack, note.off, note.frequency);
    const int64_t window = seconds(take, kWindowSeconds);
    const double beforeRelease = levels(take, note.off - window, note.off).second;
    const double held = levels(take, note.off + window, note.off + 2 * window).second;
    const double beforePedalUp = levels(take, note.pedalUp - window, note.pedalUp).second;
    const int64_t damped = note.pedalUp + seconds(take, kAfterPedalUpSeconds);
    const double afterPedal = levels(take, damped, damped + window).second;
    const double heldDb = decibels(beforeRelease) - decibels(held);
    const double dampedDb = decibels(beforePedalUp) - decibels(afterPedal);
    return {
        {"the pedalled note sounds at its pitch", pitchDb >= kPitchAboveNeighboursDb,
         format("%.0f Hz stands %.1f dB above the semitones beside it (at least %.0f expected)",
                note.frequency, pitchDb, kPitchAboveNeighboursDb)},
        {"the sustain pedal holds the note after its release",
         beforeRelease > 0.0 && held > 0.0 && heldDb <= kHeldWithinDb,
         format("%.1f dB below its level before the release (at most %.0f expected)", heldDb, kHeldWithinDb)},
        {"lifting the pedal damps the note", beforePedalUp > 0.0 && dampedDb >= kDampedBelowDb,
         format("%.1f dB down %.1f s after the pedal lifts (at least %.0f expected)", dampedDb,
                kAfterPedalUpSeconds, kDampedBelowDb)}};
}

Check checkNoteHeard(const StereoTake& take, double frequency)
{
    const double peakDb = decibels(levels(take, 0, take.frames()).first);
    const double pitchDb = aboveNeighboursDb(take, 0, take.frames(), frequency);
    return {"the played note sounds at its pitch",
            peakDb >= kQuietestPeakDb && pitchDb >= kPitchAboveNeighboursDb,
            format("peak %.1f dBFS (at least %.0f expected), ", peakDb, kQuietestPeakDb) +
                format("%.0f Hz stands %.1f dB above the semitones beside it (at least %.0f expected)",
                       frequency, pitchDb, kPitchAboveNeighboursDb)};
}

std::vector<Check> checkParameters(const ParameterValues& defaults, const ParameterValues& program,
                                   const ParameterValues& saved, const ParameterValues& reopened,
                                   const std::vector<int>& changed)
{
    const bool programMoved =
        std::any_of(program.begin(), program.end(),
                    [&](const auto& entry)
                    {
                        const auto found = defaults.find(entry.first);
                        return found != defaults.end() && !same(found->second, entry.second);
                    });
    return {{"the program set its values", programMoved && program.size() == defaults.size(),
             std::to_string(program.size()) + " parameters, " + (programMoved ? "some" : "none") +
                 " moved from the defaults"},
            compare("the host changed exactly the parameters set", program, saved, changed, true),
            compare("the reopened session has the saved values", saved, reopened, changed, false)};
}

Check checkProgram(const std::string& requested, const std::string& saved, const std::string& reopened)
{
    return {"the reopened session is on the saved program",
            !requested.empty() && saved == requested && reopened == requested,
            "asked for \"" + requested + "\", saved \"" + saved + "\", reopened \"" + reopened + "\""};
}

} // namespace realhost
