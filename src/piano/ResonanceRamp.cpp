#include "piano/ResonanceRamp.h"

#include <cmath>

namespace piano
{

namespace
{
constexpr float kRiseMilliseconds = 250.0f;
constexpr float kFallMilliseconds = 25.0f;
constexpr int kSendStep = 10;
} // namespace

double ResonanceRamp::framesFor(float sampleRate, float milliseconds)
{
    const float frames = sampleRate * 0.001f * milliseconds;
    // A rate the host never should give (0, negative, NaN) makes the ramp jump in one frame instead of
    // running forever or dividing by zero.
    if (!std::isfinite(frames) || frames < 1.0f)
    {
        return 1.0;
    }
    return frames;
}

void ResonanceRamp::press(float sampleRate, float amount)
{
    if (!(amount > 0.0f))
    {
        return;
    }
    target_ = kTop;
    rate_ = kTop / framesFor(sampleRate, kRiseMilliseconds);
    active_ = true;
}

void ResonanceRamp::release(float sampleRate)
{
    rate_ = -(target_ / framesFor(sampleRate, kFallMilliseconds));
    active_ = true;
}

void ResonanceRamp::reset()
{
    lastSent_ = 0;
    level_ = 0.0;
    rate_ = 0.0;
    active_ = true;
}

bool ResonanceRamp::step(int& value)
{
    if (!active_)
    {
        return false;
    }
    level_ += rate_;
    bool send = false;
    if (rate_ > 0.0)
    {
        if (level_ >= target_)
        {
            level_ = target_;
            active_ = false;
            send = static_cast<int>(target_) != lastSent_;
        }
        else
        {
            send = static_cast<int>(level_) >= lastSent_ + kSendStep;
        }
    }
    else
    {
        if (level_ <= 0.0)
        {
            level_ = 0.0;
            active_ = false;
            send = lastSent_ != 0;
        }
        else
        {
            send = static_cast<int>(level_) <= lastSent_ - kSendStep;
        }
    }
    if (send)
    {
        lastSent_ = static_cast<int>(level_);
        value = lastSent_;
    }
    return send;
}

} // namespace piano
