#pragma once

#include "render/WavWriter.h"

#include <cstdint>
#include <string>
#include <vector>

namespace render
{

struct ParameterSetting
{
    int index = 0;
    float value = 0.0f;
};

// Everything one run of the renderer needs to know.
struct RenderOptions
{
    std::string pluginPath;
    std::string midiPath;
    std::string wavPath;
    uint32_t sampleRate = 44100;
    uint32_t blockSize = 512;
    int program = -1; // -1 keeps the plug-in's start-up program
    std::vector<ParameterSetting> parameters;
    std::string stateIn;
    std::string stateOut;
    double tailSeconds = 3.0;
    double bankTimeoutSeconds = 120.0;
    SampleFormat format = SampleFormat::Float32;
    bool showProgress = true;
};

} // namespace render
