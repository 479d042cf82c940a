#include "realhost/StereoTake.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>

namespace realhost
{
namespace
{
// Far below anything a float signal can carry next to a sound: exact silence reads as this.
constexpr double kSilenceDb = -300.0;
constexpr double kSilenceRatio = 1e-15;
} // namespace

StereoTake::StereoTake(double rateHz, std::vector<float> leftSamples, std::vector<float> rightSamples)
    : sampleRate(rateHz), left(std::move(leftSamples)), right(std::move(rightSamples))
{
    right.resize(left.size(), 0.0f);
}

bool StereoTake::read(const std::string& path, std::string& error)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr)
    {
        error = path + ": " + sf_strerror(nullptr);
        return false;
    }
    if (info.channels != 2)
    {
        error = path + ": " + std::to_string(info.channels) + " channels, not 2";
        sf_close(file);
        return false;
    }
    std::vector<float> interleaved(static_cast<size_t>(info.frames) * 2);
    const sf_count_t got = sf_readf_float(file, interleaved.data(), info.frames);
    sf_close(file);
    if (got != info.frames)
    {
        error = path + ": short read";
        return false;
    }
    sampleRate = info.samplerate;
    left.resize(static_cast<size_t>(got));
    right.resize(static_cast<size_t>(got));
    for (size_t i = 0; i < left.size(); ++i)
    {
        left[i] = interleaved[2 * i];
        right[i] = interleaved[2 * i + 1];
    }
    return true;
}

double StereoTake::peak(int64_t begin, int64_t end) const
{
    begin = std::max<int64_t>(begin, 0);
    end = std::min(end, frames());
    double largest = 0.0;
    for (int64_t i = begin; i < end; ++i)
        largest = std::max(
            {largest, std::fabs(static_cast<double>(left[i])), std::fabs(static_cast<double>(right[i]))});
    return largest;
}

double StereoTake::rms(int64_t begin, int64_t end) const
{
    begin = std::max<int64_t>(begin, 0);
    end = std::min(end, frames());
    if (end <= begin)
        return 0.0;
    double sum = 0.0;
    for (int64_t i = begin; i < end; ++i)
        sum += static_cast<double>(left[i]) * left[i] + static_cast<double>(right[i]) * right[i];
    return std::sqrt(sum / static_cast<double>(2 * (end - begin)));
}

int64_t StereoTake::firstFrameReaching(double level, int64_t from) const
{
    for (int64_t i = std::max<int64_t>(from, 0); i < frames(); ++i)
        if (std::fabs(left[i]) >= level || std::fabs(right[i]) >= level)
            return i;
    return -1;
}

int64_t StereoTake::differences(const StereoTake& other, const std::function<void(double)>& each) const
{
    const int64_t length = std::max(frames(), other.frames());
    const auto at = [](const std::vector<float>& samples, int64_t i)
    { return i < static_cast<int64_t>(samples.size()) ? static_cast<double>(samples[i]) : 0.0; };
    for (int64_t i = 0; i < length; ++i)
    {
        each(at(left, i) - at(other.left, i));
        each(at(right, i) - at(other.right, i));
    }
    return length;
}

double StereoTake::largestDifference(const StereoTake& other) const
{
    double largest = 0.0;
    differences(other, [&](double d) { largest = std::max(largest, std::fabs(d)); });
    return largest;
}

double StereoTake::differenceRms(const StereoTake& other) const
{
    double sum = 0.0;
    const int64_t length = differences(other, [&](double d) { sum += d * d; });
    return length == 0 ? 0.0 : std::sqrt(sum / static_cast<double>(2 * length));
}

double decibels(double ratio)
{
    return ratio > kSilenceRatio ? 20.0 * std::log10(ratio) : kSilenceDb;
}

} // namespace realhost
