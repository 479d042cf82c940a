// Writes the LV2 bundle's Turtle files for an instrument: manifest.ttl (the plug-in, its X11 editor and its
// presets), Virellando.ttl (the ports: the MIDI input, the outputs, the reported latency and a control per
// parameter with its name, range, default, unit and the named positions of a stepped one; the features and
// extensions; the editor's needs) and presets.ttl (each factory program's port values and program).
#pragma once

#include <string>

#include "mklv2/InstrumentDescription.h"

namespace mklv2
{

class TurtleWriter
{
public:
    explicit TurtleWriter(const InstrumentDescription& instrument) : description(instrument) {}

    std::string manifest() const;
    std::string plugin() const;
    std::string presets() const;

    // A Turtle string literal of the text, with its quotes.
    static std::string quoted(const std::string& text);
    // A Turtle number: an integer where the value is whole, else a decimal.
    static std::string number(double value);

private:
    const InstrumentDescription& description;
};

} // namespace mklv2
