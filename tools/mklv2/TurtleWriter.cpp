#include "mklv2/TurtleWriter.h"

#include <cmath>
#include <cstdio>
#include <sstream>

#include "host/lv2/Lv2Ports.h"
#include "host/lv2/Lv2Uris.h"

using namespace host;

namespace mklv2
{

namespace
{
constexpr const char* kPrefixes = "@prefix atom: <http://lv2plug.in/ns/ext/atom#> .\n"
                                  "@prefix bufsz: <http://lv2plug.in/ns/ext/buf-size#> .\n"
                                  "@prefix doap: <http://usefulinc.com/ns/doap#> .\n"
                                  "@prefix foaf: <http://xmlns.com/foaf/0.1/> .\n"
                                  "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
                                  "@prefix midi: <http://lv2plug.in/ns/ext/midi#> .\n"
                                  "@prefix opts: <http://lv2plug.in/ns/ext/options#> .\n"
                                  "@prefix pset: <http://lv2plug.in/ns/ext/presets#> .\n"
                                  "@prefix rdf: <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .\n"
                                  "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n"
                                  "@prefix state: <http://lv2plug.in/ns/ext/state#> .\n"
                                  "@prefix time: <http://lv2plug.in/ns/ext/time#> .\n"
                                  "@prefix ui: <http://lv2plug.in/ns/extensions/ui#> .\n"
                                  "@prefix units: <http://lv2plug.in/ns/extensions/units#> .\n"
                                  "@prefix urid: <http://lv2plug.in/ns/ext/urid#> .\n"
                                  "@prefix xsd: <http://www.w3.org/2001/XMLSchema#> .\n\n";

// The largest latency the port may report: far beyond the look-ahead at any rate.
constexpr int kLatencyMaximum = 65536;

std::string uri(const std::string& text)
{
    return "<" + text + ">";
}

std::string programUri(size_t index)
{
    return uri(lv2uri::kProgramPrefix + std::to_string(index));
}

std::string portHeader(const char* kinds, uint32_t index, const std::string& symbol, const std::string& name)
{
    return "\t\ta " + std::string(kinds) + " ;\n\t\tlv2:index " + std::to_string(index) +
           " ;\n\t\tlv2:symbol " + TurtleWriter::quoted(symbol) + " ;\n\t\tlv2:name " +
           TurtleWriter::quoted(name);
}

std::string controlPort(uint32_t index, const InstrumentParameter& parameter)
{
    std::ostringstream out;
    const uint32_t port = lv2port::kFirstParameter + index;
    out << portHeader("lv2:InputPort , lv2:ControlPort", port, lv2port::kParameterSymbols[index],
                      parameter.name)
        << " ;\n\t\tlv2:default " << TurtleWriter::number(parameter.plainOf(parameter.defaultValue))
        << " ;\n\t\tlv2:minimum 0 ;\n\t\tlv2:maximum " << TurtleWriter::number(parameter.plainMaximum());
    if (parameter.label == "%")
        out << " ;\n\t\tunits:unit units:pc";
    if (parameter.stepped())
    {
        out << " ;\n\t\tlv2:portProperty lv2:integer , lv2:enumeration ;\n\t\tlv2:scalePoint";
        for (size_t step = 0; step < parameter.shape.stepNames.size(); ++step)
            out << (step == 0 ? " " : " , ") << "[\n\t\t\trdfs:label "
                << TurtleWriter::quoted(parameter.shape.stepNames[step]) << " ;\n\t\t\trdf:value " << step
                << "\n\t\t]";
    }
    return out.str();
}
} // namespace

std::string TurtleWriter::quoted(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text)
    {
        if (c == '"' || c == '\\')
            out += '\\';
        if (c == '\n')
            out += "\\n";
        else if (static_cast<unsigned char>(c) >= 0x20)
            out += c;
    }
    return out + "\"";
}

std::string TurtleWriter::number(double value)
{
    if (value == std::floor(value) && std::fabs(value) < 1e9)
        return std::to_string(static_cast<long long>(value));
    char text[32];
    // Six digits: the host values are floats, and a plain value read back lands on the same float.
    std::snprintf(text, sizeof text, "%.6g", value);
    std::string out = text;
    if (out.find_first_of(".e") == std::string::npos)
        out += ".0";
    return out;
}

std::string TurtleWriter::manifest() const
{
    std::ostringstream out;
    out << kPrefixes << uri(lv2uri::kPlugin) << "\n\ta lv2:Plugin ;\n\tlv2:binary <Virellando.so> ;\n"
        << "\trdfs:seeAlso <Virellando.ttl> .\n\n"
        << uri(lv2uri::kEditor) << "\n\ta ui:X11UI ;\n\tui:binary <Virellando.so> ;\n"
        << "\trdfs:seeAlso <Virellando.ttl> .\n";
    for (size_t program = 0; program < description.programs.size(); ++program)
        out << "\n"
            << programUri(program) << "\n\ta pset:Preset ;\n\tlv2:appliesTo " << uri(lv2uri::kPlugin)
            << " ;\n\trdfs:seeAlso <presets.ttl> .\n";
    return out.str();
}

std::string TurtleWriter::plugin() const
{
    std::ostringstream out;
    out << kPrefixes << uri(lv2uri::kPlugin) << "\n\ta lv2:InstrumentPlugin , lv2:Plugin , doap:Project ;\n"
        << "\tdoap:name " << quoted(description.name) << " ;\n"
        << "\tdoap:maintainer [\n\t\tfoaf:name " << quoted(description.vendor) << "\n\t] ;\n"
        << "\tlv2:minorVersion 0 ;\n\tlv2:microVersion 0 ;\n"
        << "\tlv2:requiredFeature urid:map ;\n\tlv2:optionalFeature opts:options ;\n"
        << "\topts:supportedOption bufsz:maxBlockLength , bufsz:nominalBlockLength ;\n"
        << "\tlv2:extensionData state:interface ;\n"
        << "\tui:ui " << uri(lv2uri::kEditor) << " ;\n"
        << "\tlv2:port [\n"
        << portHeader("lv2:InputPort , atom:AtomPort", lv2port::kMidiIn, "midi_in", "MIDI In")
        << " ;\n\t\tatom:bufferType atom:Sequence ;\n\t\tatom:supports midi:MidiEvent , time:Position ;\n"
        << "\t\tlv2:designation lv2:control\n\t] , [\n"
        << portHeader("lv2:OutputPort , lv2:AudioPort", lv2port::kLeftOut, "out_left", "Left")
        << "\n\t] , [\n"
        << portHeader("lv2:OutputPort , lv2:AudioPort", lv2port::kRightOut, "out_right", "Right")
        << "\n\t] , [\n"
        << portHeader("lv2:OutputPort , lv2:ControlPort", lv2port::kLatency, "latency", "Latency")
        << " ;\n\t\tlv2:designation lv2:latency ;\n\t\tlv2:portProperty lv2:reportsLatency , lv2:integer ;\n"
        << "\t\tlv2:minimum 0 ;\n\t\tlv2:maximum " << kLatencyMaximum << " ;\n\t\tunits:unit units:frame";
    for (uint32_t index = 0; index < description.parameters.size() && index < lv2port::kParameterCount;
         ++index)
        out << "\n\t] , [\n" << controlPort(index, description.parameters[index]);
    out << "\n\t] .\n\n"
        << uri(lv2uri::kEditor) << "\n\ta ui:X11UI ;\n"
        << "\tlv2:requiredFeature ui:idleInterface , ui:parent , <http://lv2plug.in/ns/ext/instance-access> "
           ";\n"
        << "\tlv2:optionalFeature ui:resize ;\n\tlv2:extensionData ui:idleInterface .\n\n"
        << uri(lv2uri::kStateProgram) << "\n\ta rdf:Property ;\n\trdfs:label \"program\" ;\n"
        << "\trdfs:comment \"The factory program the instrument is on, counted from 0.\" .\n";
    return out.str();
}

std::string TurtleWriter::presets() const
{
    std::ostringstream out;
    out << kPrefixes;
    for (size_t program = 0; program < description.programs.size(); ++program)
    {
        const ProgramValues& values = description.programs[program];
        out << programUri(program) << "\n\ta pset:Preset ;\n\tlv2:appliesTo " << uri(lv2uri::kPlugin)
            << " ;\n\trdfs:label " << quoted(values.name) << " ;\n\tlv2:port";
        for (size_t index = 0; index < values.values.size() && index < description.parameters.size() &&
                               index < lv2port::kParameterCount;
             ++index)
            out << (index == 0 ? " " : " , ") << "[\n\t\tlv2:symbol "
                << quoted(lv2port::kParameterSymbols[index]) << " ;\n\t\tpset:value "
                << number(description.parameters[index].plainOf(values.values[index])) << "\n\t]";
        out << " ;\n\tstate:state [\n\t\t" << uri(lv2uri::kStateProgram) << " \"" << program
            << "\"^^xsd:int\n\t] .\n\n";
    }
    return out.str();
}

} // namespace mklv2
