#pragma once

namespace zreverb
{

constexpr int kReverbPresetCount = 7;

// Every tuning value one preset sets; depths in milliseconds as the presets are written.
struct ReverbPreset
{
    const char* name;
    float cutoff;     // Hz
    float preDelay;   // s
    float bassBoost;  // dB
    float tailLevel;  // dB
    float diffuser12; // input diffusers 1 and 2
    float diffuser34; // input diffusers 3 and 4
    float earlyGains[6];
    float earlySize;
    float decay;
    float dampingA;
    float dampingB;
    float modulatedCoefficient;
    float secondCoefficient;
    float depthAModulated; // ms
    float depthBModulated; // ms
    float depthASecond;    // ms
    float depthBSecond;    // ms
    bool softInputFilter;  // early-reflection input filters to a = b = 0.5
};

// The preset at index 0..6, or nullptr for any other index.
const ReverbPreset* GetReverbPreset(int index);

// "MediumHall" ... "Room3" for 0..6, nullptr otherwise (the editor lists these names).
const char* ReverbPresetName(int index);

} // namespace zreverb
