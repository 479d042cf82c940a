#include "realhost/ExportChecks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace realhost
{
namespace
{

// Everything before the first note lies this far below the chord's peak: nothing but rounding noise.
constexpr double kSilenceBelowPeakDb = 80.0;
// The chord counts as heard from the first sample within 40 dB of its peak, which must come no earlier
// than the notes and within 20 ms of them (the piano's attack and the limiter's look-ahead take a few).
constexpr double kOnsetBelowPeakDb = 40.0;
constexpr double kOnsetWithinSeconds = 0.020;
// An export of a chord at a musician's playing level, not the quiet output of a broken chain.
constexpr double kLoudestPeakDb = 0.0;
constexpr double kQuietestPeakDb = -30.0;
// Two seconds after the release the chord has died down this far below its first 100 ms; a chord whose
// keys stay down (a lost note-off) is still within about 30 dB of it there.
constexpr double kReleasedBelowAttackDb = 45.0;
constexpr double kAttackSeconds = 0.100;
constexpr double kReleaseWindowStartSeconds = 2.0;
constexpr double kReleaseWindowSeconds = 0.5;
// Changed parameters move the sound by at least a tenth of its level.
constexpr double kChangeBelowLevelDb = -20.0;
// The same session renders the same samples; only float rounding may differ.
constexpr double kSameSoundTolerance = 1e-6;
constexpr double kSameValueTolerance = 1e-6;

std::string format(const char* pattern, double a, double b = 0.0, double c = 0.0)
{
    char text[200];
    std::snprintf(text, sizeof text, pattern, a, b, c);
    return text;
}

int64_t seconds(const StereoTake& take, double s)
{
    return static_cast<int64_t>(std::llround(s * take.rate()));
}

} // namespace

std::vector<Check> checkChord(const StereoTake& take, const ChordTimes& times)
{
    std::vector<Check> checks;
    const double peak = take.peak(times.on, take.frames());
    const double peakDb = decibels(peak);
    checks.push_back(
        {"the chord sounds", peakDb >= kQuietestPeakDb && peakDb <= kLoudestPeakDb,
         format("peak %.1f dBFS (between %.0f and %.0f expected)", peakDb, kQuietestPeakDb, kLoudestPeakDb)});

    const double before = take.peak(0, times.on);
    const double silenceDb = peakDb - decibels(before);
    checks.push_back(
        {"silence before the chord", peak > 0.0 && silenceDb >= kSilenceBelowPeakDb,
         format("%.1f dB below the chord's peak (at least %.0f expected)", silenceDb, kSilenceBelowPeakDb)});

    const int64_t onset = take.firstFrameReaching(peak * std::pow(10.0, -kOnsetBelowPeakDb / 20.0), 0);
    const int64_t latest = times.on + seconds(take, kOnsetWithinSeconds);
    checks.push_back(
        {"the chord starts where it was played", peak > 0.0 && onset >= times.on && onset <= latest,
         format("first heard at frame %.0f, played at %.0f (up to %.0f expected)", static_cast<double>(onset),
                static_cast<double>(times.on), static_cast<double>(latest))});

    const double attack = take.rms(times.on, times.on + seconds(take, kAttackSeconds));
    const int64_t windowStart = times.off + seconds(take, kReleaseWindowStartSeconds);
    const int64_t windowEnd = windowStart + seconds(take, kReleaseWindowSeconds);
    const double decayDb = decibels(attack) - decibels(take.rms(windowStart, windowEnd));
    checks.push_back({"the chord dies away after its release",
                      take.frames() >= windowEnd && attack > 0.0 && decayDb >= kReleasedBelowAttackDb,
                      format("%.1f dB below the attack %.1f s after the release (at least %.0f expected)",
                             decayDb, kReleaseWindowStartSeconds, kReleasedBelowAttackDb)});
    return checks;
}

Check checkSoundChanged(const StereoTake& before, const StereoTake& after)
{
    const double changeDb = decibels(before.differenceRms(after)) - decibels(before.rms(0, before.frames()));
    return {"changed parameters change the sound", changeDb >= kChangeBelowLevelDb,
            format("difference %.1f dB relative to the sound (at least %.0f expected)", changeDb,
                   kChangeBelowLevelDb)};
}

Check checkSameSound(const StereoTake& saved, const StereoTake& reopened)
{
    const double largest = saved.largestDifference(reopened);
    return {"the reopened session sounds the same",
            saved.frames() == reopened.frames() && saved.frames() > 0 && largest <= kSameSoundTolerance,
            format("%.0f and %.0f frames, largest difference %g", static_cast<double>(saved.frames()),
                   static_cast<double>(reopened.frames()), largest)};
}

std::vector<Check> checkParameters(const ParameterValues& defaults, const ParameterValues& saved,
                                   const ParameterValues& reopened, const std::vector<int>& changed)
{
    auto value = [](const ParameterValues& values, int index)
    {
        const auto found = values.find(index);
        return found == values.end() ? std::nan("") : found->second;
    };
    auto same = [](double a, double b) { return std::fabs(a - b) <= kSameValueTolerance; };

    std::vector<Check> checks;
    std::string setDetail;
    bool setAsIntended = !saved.empty() && saved.size() == defaults.size();
    for (const auto& entry : saved)
    {
        const bool meantToChange = std::find(changed.begin(), changed.end(), entry.first) != changed.end();
        const double was = value(defaults, entry.first);
        if (meantToChange == same(was, entry.second))
        {
            setAsIntended = false;
            setDetail += format("parameter %.0f: %g -> %g; ", entry.first, was, entry.second);
        }
    }
    checks.push_back({"the host changed exactly the parameters set", setAsIntended,
                      setDetail.empty() ? std::to_string(saved.size()) + " parameters" : setDetail});

    std::string backDetail;
    bool cameBack = !saved.empty() && saved.size() == reopened.size();
    for (const auto& entry : saved)
    {
        const double back = value(reopened, entry.first);
        if (!same(back, entry.second))
        {
            cameBack = false;
            backDetail += format("parameter %.0f: saved %g, reopened %g; ", entry.first, entry.second, back);
        }
    }
    checks.push_back({"the reopened session has the saved values", cameBack,
                      backDetail.empty() ? std::to_string(reopened.size()) + " parameters" : backDetail});
    return checks;
}

} // namespace realhost
