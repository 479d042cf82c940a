// A stereo recording a host exported, and the level figures the real-host checks judge it by. Used by
// one thread at a time.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace realhost
{

class StereoTake
{
public:
    StereoTake() = default;
    StereoTake(double sampleRate, std::vector<float> left, std::vector<float> right);

    // Reads a two-channel sound file as floats; false with a reason when that is not possible.
    bool read(const std::string& path, std::string& error);

    double rate() const { return sampleRate; }
    int64_t frames() const { return static_cast<int64_t>(left.size()); }

    // Figures over the frames [begin, end) of both channels, clipped to the take; 0 for an empty range.
    double peak(int64_t begin, int64_t end) const;
    double rms(int64_t begin, int64_t end) const;
    // The first frame at or after `from` where either channel reaches `level`, or -1.
    int64_t firstFrameReaching(double level, int64_t from) const;
    // The largest sample difference between two takes, frame by frame; the longer take's extra frames
    // count at their full size.
    double largestDifference(const StereoTake& other) const;
    // The RMS level of the frame-by-frame difference over the whole length of the longer take.
    double differenceRms(const StereoTake& other) const;

private:
    // Hands each channel's sample difference at every frame of the longer take to each; the frame count.
    int64_t differences(const StereoTake& other, const std::function<void(double)>& each) const;

    double sampleRate = 0.0;
    std::vector<float> left;
    std::vector<float> right;
};

// Decibels of a ratio of levels; -300 for silence.
double decibels(double ratio);

} // namespace realhost
