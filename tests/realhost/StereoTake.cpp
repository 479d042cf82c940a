#include "realhost/StereoTake.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>

namespace realhost
{

StereoTake::StereoTake(double rateHz, const std::vector<float>& mono) : sampleRate(rateHz)
{
    for (float sample : mono)
        samples.insert(samples.end(), {sample, sample});
}

bool StereoTake::read(const std::string& path, std::string& error)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr)
        error = path + ": " + sf_strerror(nullptr);
    else if (info.channels != 2)
        error = path + ": " + std::to_string(info.channels) + " channels, not 2";
    else
    {
        samples.resize(static_cast<size_t>(info.frames) * 2);
        if (sf_readf_float(file, samples.data(), info.frames) != info.frames)
            error = path + ": short read";
        sampleRate = info.samplerate;
    }
    if (file != nullptr)
        sf_close(file);
    return error.empty();
}

double StereoTake::peak(int64_t begin, int64_t end) const
{
    double largest = 0.0;
    for (int64_t i = 2 * std::max<int64_t>(begin, 0); i < 2 * std::min(end, frames()); ++i)
        largest = std::max(largest, std::fabs(static_cast<double>(samples[i])));
    return largest;
}

double StereoTake::rms(int64_t begin, int64_t end) const
{
    begin = std::max<int64_t>(begin, 0);
    end = std::min(end, frames());
    double sum = 0.0;
    for (int64_t i = 2 * begin; i < 2 * end; ++i)
        sum += static_cast<double>(samples[i]) * samples[i];
    return end <= begin ? 0.0 : std::sqrt(sum / static_cast<double>(2 * (end - begin)));
}

int64_t StereoTake::firstFrameReaching(double level) const
{
    const auto found =
        std::find_if(samples.begin(), samples.end(), [level](float s) { return std::fabs(s) >= level; });
    return found == samples.end() ? -1 : (found - samples.begin()) / 2;
}

std::pair<double, double> StereoTake::difference(const StereoTake& other) const
{
    const size_t count = std::max(samples.size(), other.samples.size());
    double largest = 0.0, sum = 0.0;
    for (size_t i = 0; i < count; ++i)
    {
        const double d =
            (i < samples.size() ? samples[i] : 0.0) - (i < other.samples.size() ? other.samples[i] : 0.0);
        largest = std::max(largest, std::fabs(d));
        sum += d * d;
    }
    return {largest, count == 0 ? 0.0 : std::sqrt(sum / static_cast<double>(count))};
}

double decibels(double ratio)
{
    return ratio > 1e-15 ? 20.0 * std::log10(ratio) : -300.0;
}

} // namespace realhost
