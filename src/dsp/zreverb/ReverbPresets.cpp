#include "dsp/zreverb/ReverbPresets.h"

namespace zreverb
{

namespace
{
// clang-format off
const ReverbPreset kPresets[kReverbPresetCount] = {
    {"MediumHall", 8000.0f, 0.01f, 3.0f, 0.0f, 0.75f, 0.625f,
     {0.5f, 0.4f, 0.32f, 0.35f, 0.25f, 0.13f}, 0.87f, 0.5f, 0.9895f, 0.0105f, -0.7f, 0.5f,
     0.308808f, 0.228808f, 0.248808f, 0.298808f, false},
    {"LargeHall", 6000.0f, 0.02f, 4.0f, 0.0f, 0.8f, 0.7f,
     {0.5f, 0.4f, 0.32f, 0.35f, 0.25f, 0.13f}, 0.93f, 0.65f, 0.9995f, 0.0005f, -0.9f, 0.5f,
     0.339689f, 0.251689f, 0.273689f, 0.328689f, false},
    {"Plate", 16000.0f, 0.001f, -6.0f, 0.0f, 0.8f, 0.75f,
     {0.6f, 0.48f, 0.384f, 0.42f, 0.3f, 0.156f}, 0.6f, 0.6f, 0.9999f, 0.0001f, -0.7f, 0.5f,
     0.123523f, 0.091523f, 0.099523f, 0.119523f, false},
    {"Cathedral", 5000.0f, 0.035f, 9.0f, 0.0f, 0.95f, 0.75f,
     {0.325f, 0.26f, 0.208f, 0.2275f, 0.1625f, 0.0845f}, 1.0f, 0.8f, 0.5f, 0.5f, -0.85f, 0.5f,
     0.37057f, 0.27457f, 0.29857f, 0.35857f, false},
    {"Room1", 8000.0f, 0.001f, 0.0f, -6.0f, 0.25f, 0.45f,
     {1.25f, 1.0f, 0.8f, 0.875f, 0.625f, 0.325f}, 0.75f, 1e-7f, 0.9995f, 0.0005f, -0.15f, 0.4f,
     0.123523f, 0.091523f, 0.099523f, 0.119523f, false},
    {"Room2", 5000.0f, 0.001f, 0.0f, -6.0f, 0.25f, 0.45f,
     {0.5f, 0.4f, 0.32f, 0.35f, 0.25f, 0.13f}, 0.75f, 0.01f, 0.9995f, 0.0005f, -0.15f, 0.4f,
     0.123523f, 0.091523f, 0.099523f, 0.119523f, false},
    {"Room3", 6000.0f, 0.001f, 0.0f, -6.0f, 0.25f, 0.45f,
     {1.0f, 0.8f, 0.64f, 0.7f, 0.5f, 0.26f}, 0.4f, 0.01f, 0.9995f, 0.0005f, -0.15f, 0.4f,
     0.030881f, 0.022881f, 0.024881f, 0.029881f, true},
};
// clang-format on
} // namespace

const ReverbPreset* GetReverbPreset(int index)
{
    if (index < 0 || index >= kReverbPresetCount)
    {
        return nullptr;
    }
    return &kPresets[index];
}

const char* ReverbPresetName(int index)
{
    const ReverbPreset* preset = GetReverbPreset(index);
    return preset ? preset->name : nullptr;
}

} // namespace zreverb
