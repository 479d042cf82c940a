// What the LV2 bundle's Turtle files say of the instrument: its names, its parameters and its factory
// programs, as the instrument itself tells them through the driver the plug-in formats share.
#pragma once

#include <string>
#include <vector>

#include "host/InstrumentDriver.h"

namespace mklv2
{

struct ProgramValues
{
    std::string name;
    std::vector<float> values; // host values 0..1, in parameter order
};

struct InstrumentDescription
{
    std::string name;
    std::string vendor;
    int latency = 0;
    std::vector<host::InstrumentParameter> parameters;
    std::vector<ProgramValues> programs;

    // Asks a freshly opened instrument; steps through its programs, so the instrument is left on the last.
    static InstrumentDescription of(host::InstrumentDriver& driver);
};

} // namespace mklv2
