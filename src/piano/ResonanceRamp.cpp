#include "piano/ResonanceRamp.h"

#include <algorithm>
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
    targetLevel = kTop;
    endLevel = kTop;
    levelPerFrame = kTop / framesFor(sampleRate, kRiseMilliseconds);
    running = true;
}

void ResonanceRamp::release(float sampleRate)
{
    endLevel = 0.0;
    levelPerFrame = -(targetLevel / framesFor(sampleRate, kFallMilliseconds));
    running = true;
}

void ResonanceRamp::hold(float sampleRate, float amount, double level)
{
    const double end = std::clamp(level, 0.0, kTop);
    if (end < currentLevel)
    {
        endLevel = end;
        levelPerFrame = -(targetLevel / framesFor(sampleRate, kFallMilliseconds));
        running = true;
        return;
    }
    if (!(amount > 0.0f))
        return;
    endLevel = end;
    levelPerFrame = kTop / framesFor(sampleRate, kRiseMilliseconds);
    running = true;
}

void ResonanceRamp::reset()
{
    lastSentValue = 0;
    currentLevel = 0.0;
    endLevel = 0.0;
    levelPerFrame = 0.0;
    running = true;
}

bool ResonanceRamp::step(int& value)
{
    if (!running)
    {
        return false;
    }
    currentLevel += levelPerFrame;
    bool send = false;
    if (levelPerFrame > 0.0)
    {
        if (currentLevel >= endLevel)
        {
            currentLevel = endLevel;
            running = false;
            send = static_cast<int>(endLevel) != lastSentValue;
        }
        else
        {
            send = static_cast<int>(currentLevel) >= lastSentValue + kSendStep;
        }
    }
    else
    {
        if (currentLevel <= endLevel)
        {
            currentLevel = endLevel;
            running = false;
            send = static_cast<int>(endLevel) != lastSentValue;
        }
        else
        {
            send = static_cast<int>(currentLevel) <= lastSentValue - kSendStep;
        }
    }
    if (send)
    {
        lastSentValue = static_cast<int>(currentLevel);
        value = lastSentValue;
    }
    return send;
}

} // namespace piano
