// The parameters the VST3 plug-in shows its host: the instrument's (IDs 0..10, automatable, with their units
// and step counts), the program change of its program list, and a hidden parameter for every MIDI controller
// the instrument handles, which a VST3 host sends as parameter changes through MIDI mapping. Converts
// between VST3's normalized values, plain values and texts. Threads: the host's user-interface thread, but
// controllerMoved on its audio thread.
#pragma once

#include <atomic>
#include <string>

#include "host/InstrumentDriver.h"
#include "host/vst3/Vst3Interface.h"

namespace host
{

class Vst3Parameters
{
public:
    static constexpr ParamID kProgramId = 100;
    // A controller's parameter is this plus its number.
    static constexpr ParamID kFirstControllerId = 1000;
    static constexpr ProgramListID kProgramListId = 1;

    enum class Kind
    {
        Instrument,
        Program,
        Controller,
        Unknown
    };

    explicit Vst3Parameters(InstrumentDriver& instrument);

    int32_t count() const;
    bool info(int32_t index, ParameterInfo& out) const;
    Kind kindOf(ParamID id) const;
    // The controller a controller's parameter stands for.
    static int controllerOf(ParamID id) { return static_cast<int>(id - kFirstControllerId); }
    // Whether the instrument takes the controller (sent through MIDI mapping).
    static bool mapsController(int controller);

    ParamValue normalized(ParamID id) const;
    // kInvalidArgument for an unknown ID or a value outside 0..1; changed is set when a program change
    // changed the instrument's parameters.
    tresult setNormalized(ParamID id, ParamValue value, bool& changed);
    // The last value a controller's parameter carried (audio thread).
    void controllerMoved(int controller, ParamValue value);

    bool text(ParamID id, ParamValue value, std::string& out) const;
    bool valueOfText(ParamID id, const std::string& text, ParamValue& out) const;
    ParamValue toPlain(ParamID id, ParamValue value) const;
    ParamValue toNormalized(ParamID id, ParamValue plain) const;

private:
    // The program a normalized value selects, as VST3 hosts count steps.
    int programOf(ParamValue value) const;

    InstrumentDriver& driver;
    std::atomic<float> controllerValues[128];
};

} // namespace host
