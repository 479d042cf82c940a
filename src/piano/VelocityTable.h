#pragma once

#include <array>
#include <cstdint>

namespace piano
{

// The velocity curve in force: 128 engine velocities indexed by the incoming note-on velocity, and the
// soft pedal's scaling on top of it. Rebuilt on the audio thread when the applied curve changes; it neither
// allocates nor blocks.
class VelocityTable
{
public:
    static constexpr int kCurveCount = 5;
    static constexpr int kDefaultCurve = 2;

    // Starts with the "Normal" curve.
    VelocityTable();

    // Recomputes the table for a curve index. A damaged state chunk can carry any index, so indices
    // outside 0..4 are clamped to the nearest curve, as the parameter mapping does for host values.
    void rebuild(int curveIndex);

    // The curve the table holds now, always 0..4.
    int curve() const { return curve_; }

    // Table entry for an incoming velocity; velocities outside 0..127 are clamped.
    std::uint8_t entry(int velocity) const;

    // Engine velocity for a note-on: the table entry, scaled by 0.75 while the soft pedal is down, where
    // it never drops below 1 so that a soft note still sounds.
    int map(int velocity, bool softDown) const;

    static int clampCurve(int curveIndex);
    static double exponentOf(int curveIndex);
    // String-table key naming the curve ("Very Light" .. "Very Heavy").
    static const char* curveKey(int curveIndex);

private:
    std::array<std::uint8_t, 128> table_{};
    int curve_ = kDefaultCurve;
};

} // namespace piano
