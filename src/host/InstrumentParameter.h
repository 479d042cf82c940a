// One of the instrument's parameters as the LV2 and VST3 adapters describe it to their hosts: its name and
// unit from the VST 2.4 interface, its shape from the module, its value at start-up; and the conversion
// between the VST 2.4 host value 0..1 and the plain value the display shows (a position 0..3, a percentage
// 0..200). Plain data, any thread.
#pragma once

#include <string>

#include "host/InstrumentEntry.h"

namespace host
{

class InstrumentParameter
{
public:
    std::string name;
    std::string label; // "%" or empty
    ParameterShape shape;
    float defaultValue = 0.0f; // host value at start-up

    bool stepped() const { return shape.steps > 0; }
    // The plain value at host value 1: the last position, or the display's maximum.
    double plainMaximum() const;
    // The plain value of a host value: the position a stepped parameter lands on, or the displayed number.
    double plainOf(float value) const;
    // The host value of a plain value, clamped to the range: the centre of a position's step, which lands
    // on that position again.
    float valueOf(double plain) const;
    // A stepped parameter's positions spread evenly over 0..1 with the first at 0 and the last at 1, as
    // VST3 hosts expect of a list; a continuous one's host value unchanged. The way back needs no
    // conversion: a VST3 host takes position floor(v × steps) of a value v, as the instrument does.
    double normalizedOf(float value) const;
};

} // namespace host
