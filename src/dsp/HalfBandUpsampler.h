#pragma once

namespace dsp
{

// Doubles the sample rate of a stereo signal with a polyphase half-band interpolator: every input frame
// gives two output frames, the first the input delayed, the second interpolated by a Kaiser-windowed
// half-band filter (stop band from 20 kHz below the input rate up, at least 100 dB down at 88200 and
// 96000 Hz in). Output blocks of any length are served: an odd length keeps the second frame of the last
// pair for the next call. Audio thread only; no allocation.
class HalfBandUpsampler
{
public:
    // Taps of the interpolating phase on each side of the point it fills in.
    static constexpr int kTapsPerSide = 8;
    // What the interpolator delays the signal by, in output frames.
    static constexpr int kDelayFrames = 2 * kTapsPerSide;

    HalfBandUpsampler();

    // Silence in the history, nothing pending.
    void Reset();

    // How many input frames the next Process of outputFrames output frames consumes.
    int InputFramesFor(int outputFrames) const;

    // Reads InputFramesFor(outputFrames) input frames and writes outputFrames output frames.
    void Process(const float* inLeft, const float* inRight, float* outLeft, float* outRight,
                 int outputFrames);

    float Coefficient(int tap) const { return coefficients[tap]; }

private:
    static constexpr int kHistory = 2 * kTapsPerSide;

    void Push(float leftSample, float rightSample);
    float Interpolated(const float* history) const;

    float coefficients[kTapsPerSide] = {};
    // Each channel's last kHistory inputs, written twice so that the newest kHistory always lie in a row.
    float historyLeft[2 * kHistory] = {};
    float historyRight[2 * kHistory] = {};
    int position = 0;
    bool pending = false;
    float pendingLeft = 0.0f;
    float pendingRight = 0.0f;
};

} // namespace dsp
