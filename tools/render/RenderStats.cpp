#include "render/RenderStats.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace render
{

namespace
{

double toDb(double level)
{
    return level > 0.0 ? 20.0 * std::log10(level) : -std::numeric_limits<double>::infinity();
}

std::string formatDb(double db)
{
    if (std::isinf(db))
        return "-inf dBFS";
    char text[32];
    std::snprintf(text, sizeof text, "%.2f dBFS", db);
    return text;
}

} // namespace

RenderStats::RenderStats(uint32_t rateHz) : sampleRate(rateHz == 0 ? 1 : rateHz) {}

void RenderStats::addSample(float sample)
{
    if (!std::isfinite(sample))
    {
        ++nonFinite;
        return;
    }
    const double value = sample;
    peak = std::max(peak, std::fabs(value));
    sumSquares += value * value;
}

void RenderStats::addBlock(const float* left, const float* right, uint32_t frames)
{
    for (uint32_t i = 0; i < frames; ++i)
    {
        addSample(left[i]);
        addSample(right[i]);
    }
    frameCount += frames;
}

double RenderStats::durationSeconds() const
{
    return double(frameCount) / double(sampleRate);
}

double RenderStats::peakDbfs() const
{
    return toDb(peak);
}

double RenderStats::rmsDbfs() const
{
    if (frameCount == 0)
        return toDb(0.0);
    return toDb(std::sqrt(sumSquares / (2.0 * double(frameCount))));
}

double RenderStats::realTimeFactor() const
{
    return wallSeconds > 0.0 ? durationSeconds() / wallSeconds : 0.0;
}

std::string RenderStats::summary() const
{
    char line[160];
    std::string text;
    std::snprintf(line, sizeof line, "duration:   %.3f s (%llu frames at %u Hz)\n", durationSeconds(),
                  static_cast<unsigned long long>(frameCount), sampleRate);
    text += line;
    text += "peak:       " + formatDb(peakDbfs()) + "\n";
    text += "RMS:        " + formatDb(rmsDbfs()) + "\n";
    std::snprintf(line, sizeof line, "render:     %.3f s wall clock, %.1fx real time\n", wallSeconds,
                  realTimeFactor());
    text += line;
    if (nonFinite > 0)
        text += "warning:    " + std::to_string(nonFinite) + " samples were NaN or infinite\n";
    return text;
}

} // namespace render
