#pragma once

#include "instrument/programs/PianoSettings.h"

namespace instrument
{

// The valid range of every settings field, and a record brought back inside it. A state chunk is taken
// from the host as it comes, so a damaged song can carry a lid position of 7 or a NaN gain; whatever
// reads such a record through these never indexes a table out of bounds or computes with NaN.
class SettingsLimits
{
public:
    static constexpr int kLidPositions = 4;
    static constexpr int kReverbTypes = 7;
    static constexpr int kVelocityCurves = 5;
    static constexpr float kMaxGain = 2.0f;

    static int lidPosition(int position);
    static int reverbType(int type);
    static int velocityCurve(int curve);
    // A 0..1 amount; NaN becomes `fallback`, infinities and other values are clamped.
    static float amount(float value, float fallback);
    // A 0..2 tone gain, likewise.
    static float gain(float value, float fallback);

    // Every field inside its range, NaN replaced by the fresh instance's value; the record tag is kept.
    static PianoSettings repaired(const PianoSettings& settings);
};

} // namespace instrument
