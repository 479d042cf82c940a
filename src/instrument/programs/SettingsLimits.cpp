#include "instrument/programs/SettingsLimits.h"

#include <algorithm>
#include <cmath>

namespace instrument
{

int SettingsLimits::lidPosition(int position)
{
    return std::clamp(position, 0, kLidPositions - 1);
}

int SettingsLimits::reverbType(int type)
{
    return std::clamp(type, 0, kReverbTypes - 1);
}

int SettingsLimits::velocityCurve(int curve)
{
    return std::clamp(curve, 0, kVelocityCurves - 1);
}

float SettingsLimits::amount(float value, float fallback)
{
    return std::isnan(value) ? fallback : std::clamp(value, 0.0f, 1.0f);
}

float SettingsLimits::gain(float value, float fallback)
{
    return std::isnan(value) ? fallback : std::clamp(value, 0.0f, kMaxGain);
}

PianoSettings SettingsLimits::repaired(const PianoSettings& settings)
{
    const PianoSettings fresh;
    PianoSettings out = settings;
    out.lidPosition = lidPosition(settings.lidPosition);
    out.volume = amount(settings.volume, fresh.volume);
    out.chorus = amount(settings.chorus, fresh.chorus);
    out.reverbAmount = amount(settings.reverbAmount, fresh.reverbAmount);
    out.hammerAmount = amount(settings.hammerAmount, fresh.hammerAmount);
    out.sympatheticResonance = amount(settings.sympatheticResonance, fresh.sympatheticResonance);
    out.bassGain = gain(settings.bassGain, fresh.bassGain);
    out.midGain = gain(settings.midGain, fresh.midGain);
    out.highGain = gain(settings.highGain, fresh.highGain);
    out.velocityCurve = velocityCurve(settings.velocityCurve);
    out.reverbType = reverbType(settings.reverbType);
    return out;
}

} // namespace instrument
