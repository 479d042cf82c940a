// A stereo recording a host exported, and the level figures the real-host checks judge it by.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace realhost
{

class StereoTake
{
public:
    StereoTake() = default;
    // The same samples on both channels.
    StereoTake(double rateHz, const std::vector<float>& mono);

    // Reads a two-channel sound file; false with a reason when that is not possible.
    bool read(const std::string& path, std::string& error);

    double rate() const { return sampleRate; }
    int64_t frames() const { return static_cast<int64_t>(samples.size() / 2); }

    // Figures over the frames [begin, end) of both channels, clipped to the take; 0 for an empty range.
    double peak(int64_t begin, int64_t end) const;
    double rms(int64_t begin, int64_t end) const;
    // The first frame where either channel reaches `level`, or -1.
    int64_t firstFrameReaching(double level) const;
    // The largest and the RMS sample difference over the longer take; the extra frames count whole.
    std::pair<double, double> difference(const StereoTake& other) const;

private:
    double sampleRate = 0.0;
    std::vector<float> samples; // interleaved left, right
};

// Decibels of a ratio of levels; -300 for silence.
double decibels(double ratio);

} // namespace realhost
