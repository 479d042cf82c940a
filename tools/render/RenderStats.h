#pragma once

#include <cstdint>
#include <string>

namespace render
{

// Level and speed figures of a render: fed every block, read at the end.
class RenderStats
{
public:
    explicit RenderStats(uint32_t rateHz);

    void addBlock(const float* left, const float* right, uint32_t frames);
    void setWallSeconds(double seconds) { wallSeconds = seconds; }

    uint64_t frames() const { return frameCount; }
    double durationSeconds() const;
    // Full scale (1.0) is 0 dBFS; a silent render gives minus infinity.
    double peakDbfs() const;
    // Over both channels together.
    double rmsDbfs() const;
    // Seconds of audio per second of wall-clock time; 0 when no time was measured.
    double realTimeFactor() const;
    // NaN and infinite samples; they are left out of peak and RMS.
    uint64_t nonFiniteSamples() const { return nonFinite; }

    // One line per figure, for the end of a render.
    std::string summary() const;

private:
    void addSample(float sample);

    uint32_t sampleRate;
    uint64_t frameCount = 0;
    uint64_t nonFinite = 0;
    double peak = 0.0;
    double sumSquares = 0.0;
    double wallSeconds = 0.0;
};

} // namespace render
