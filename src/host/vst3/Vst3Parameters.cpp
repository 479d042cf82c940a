#include "host/vst3/Vst3Parameters.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "host/vst3/Vst3Strings.h"
#include "piano/MidiMessage.h"

using piano::MidiMessage;

namespace host
{

namespace
{
// The sostenuto pedal: mapped ahead, so that the instrument plays it as soon as it handles the controller.
constexpr int kSostenutoPedal = 66;

// The controllers the instrument handles, in the order the host lists their parameters.
constexpr int kControllers[] = {MidiMessage::kVolume,
                                MidiMessage::kSustain,
                                kSostenutoPedal,
                                MidiMessage::kSoftPedal,
                                MidiMessage::kResonance,
                                MidiMessage::kHammer,
                                MidiMessage::kBassGain,
                                MidiMessage::kMidGain,
                                MidiMessage::kHighGain,
                                MidiMessage::kReverb,
                                MidiMessage::kChorus,
                                MidiMessage::kAllSoundOff,
                                MidiMessage::kResetAllControllers,
                                MidiMessage::kAllNotesOff};
constexpr int32_t kControllerCount = static_cast<int32_t>(sizeof kControllers / sizeof kControllers[0]);
constexpr double kControllerTop = 127.0;

bool inRange(ParamValue value)
{
    return value >= 0.0 && value <= 1.0;
}

// A number typed by the user: the whole text must be one.
bool parseNumber(const std::string& text, double& value)
{
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end != text.c_str() && *end == 0 && std::isfinite(value);
}
} // namespace

Vst3Parameters::Vst3Parameters(InstrumentDriver& instrument) : driver(instrument)
{
    for (auto& value : controllerValues)
        value.store(0.0f);
}

bool Vst3Parameters::mapsController(int controller)
{
    return std::find(std::begin(kControllers), std::end(kControllers), controller) != std::end(kControllers);
}

int32_t Vst3Parameters::count() const
{
    return driver.parameterCount() + (driver.programCount() > 0 ? 1 : 0) + kControllerCount;
}

bool Vst3Parameters::info(int32_t index, ParameterInfo& out) const
{
    out = ParameterInfo{};
    out.unitId = kRootUnitId;
    if (const InstrumentParameter* parameter = driver.parameter(index))
    {
        out.id = static_cast<ParamID>(index);
        CopyToString128(parameter->name, out.title);
        CopyToString128(parameter->name, out.shortTitle);
        CopyToString128(parameter->label, out.units);
        out.stepCount = parameter->stepped() ? parameter->shape.steps - 1 : 0;
        out.defaultNormalizedValue = parameter->normalizedOf(parameter->defaultValue);
        out.flags = ParameterInfo::kCanAutomate | (parameter->stepped() ? ParameterInfo::kIsList : 0);
        return true;
    }
    index -= driver.parameterCount();
    if (driver.programCount() > 0 && index-- == 0)
    {
        out.id = kProgramId;
        CopyToString128("Program", out.title);
        CopyToString128("Program", out.shortTitle);
        out.stepCount = driver.programCount() - 1;
        out.flags = ParameterInfo::kIsProgramChange | ParameterInfo::kIsList;
        return true;
    }
    if (index < 0 || index >= kControllerCount)
        return false;
    const int controller = kControllers[index];
    out.id = kFirstControllerId + static_cast<ParamID>(controller);
    const std::string title = "Controller " + std::to_string(controller);
    CopyToString128(title, out.title);
    CopyToString128(title, out.shortTitle);
    out.stepCount = static_cast<int32_t>(kControllerTop);
    out.flags = ParameterInfo::kIsHidden;
    return true;
}

Vst3Parameters::Kind Vst3Parameters::kindOf(ParamID id) const
{
    if (id < static_cast<ParamID>(driver.parameterCount()))
        return Kind::Instrument;
    if (id == kProgramId && driver.programCount() > 0)
        return Kind::Program;
    if (id >= kFirstControllerId && id < kFirstControllerId + 128 && mapsController(controllerOf(id)))
        return Kind::Controller;
    return Kind::Unknown;
}

int Vst3Parameters::programOf(ParamValue value) const
{
    const int programs = driver.programCount();
    return std::clamp(static_cast<int>(std::floor(value * programs)), 0, std::max(programs - 1, 0));
}

ParamValue Vst3Parameters::normalized(ParamID id) const
{
    switch (kindOf(id))
    {
    case Kind::Instrument:
        return driver.parameter(static_cast<int>(id))
            ->normalizedOf(driver.parameterValue(static_cast<int>(id)));
    case Kind::Program:
        return driver.programCount() > 1 ? static_cast<double>(driver.program()) / (driver.programCount() - 1)
                                         : 0.0;
    case Kind::Controller:
        return controllerValues[controllerOf(id)].load(std::memory_order_relaxed);
    case Kind::Unknown:
        break;
    }
    return 0.0;
}

tresult Vst3Parameters::setNormalized(ParamID id, ParamValue value, bool& changed)
{
    changed = false;
    const Kind kind = kindOf(id);
    if (kind == Kind::Unknown || !inRange(value))
        return kInvalidArgument;
    switch (kind)
    {
    case Kind::Instrument:
        // A stepped parameter's position is floor(value × steps) for the host and the instrument alike.
        return driver.setParameter(static_cast<int>(id), static_cast<float>(value)) ? kResultOk
                                                                                    : kInvalidArgument;
    case Kind::Program:
    {
        const int program = programOf(value);
        changed = program != driver.program();
        return driver.setProgram(program) ? kResultOk : kResultFalse;
    }
    case Kind::Controller:
        controllerMoved(controllerOf(id), value);
        return kResultOk;
    case Kind::Unknown:
        break;
    }
    return kInvalidArgument;
}

void Vst3Parameters::controllerMoved(int controller, ParamValue value)
{
    if (controller >= 0 && controller < 128)
        controllerValues[controller].store(static_cast<float>(value), std::memory_order_relaxed);
}

bool Vst3Parameters::text(ParamID id, ParamValue value, std::string& out) const
{
    if (!inRange(value))
        return false;
    char number[32];
    switch (kindOf(id))
    {
    case Kind::Instrument:
    {
        const InstrumentParameter* parameter = driver.parameter(static_cast<int>(id));
        const double plain = toPlain(id, value);
        if (parameter->stepped())
        {
            const auto step = static_cast<size_t>(plain);
            out = step < parameter->shape.stepNames.size() ? parameter->shape.stepNames[step]
                                                           : std::to_string(static_cast<int>(plain));
            return true;
        }
        // The display shows whole numbers; a value a rounding below one shows that number.
        std::snprintf(number, sizeof number, "%d", static_cast<int>(std::floor(plain + 1e-5)));
        out = number;
        return true;
    }
    case Kind::Program:
        out = driver.programName(programOf(value));
        return true;
    case Kind::Controller:
        std::snprintf(number, sizeof number, "%d", static_cast<int>(std::lround(value * kControllerTop)));
        out = number;
        return true;
    case Kind::Unknown:
        break;
    }
    return false;
}

bool Vst3Parameters::valueOfText(ParamID id, const std::string& text, ParamValue& out) const
{
    const Kind kind = kindOf(id);
    if (kind == Kind::Instrument && driver.parameter(static_cast<int>(id))->stepped())
    {
        const auto& names = driver.parameter(static_cast<int>(id))->shape.stepNames;
        const auto found = std::find(names.begin(), names.end(), text);
        if (found != names.end())
        {
            out = toNormalized(id, static_cast<double>(found - names.begin()));
            return true;
        }
    }
    if (kind == Kind::Program)
    {
        for (int program = 0; program < driver.programCount(); ++program)
        {
            if (driver.programName(program) == text)
            {
                out = toNormalized(id, program);
                return true;
            }
        }
    }
    double plain = 0.0;
    if (kind == Kind::Unknown || !parseNumber(text, plain))
        return false;
    out = toNormalized(id, plain);
    return true;
}

ParamValue Vst3Parameters::toPlain(ParamID id, ParamValue value) const
{
    const ParamValue clamped = std::clamp(value, 0.0, 1.0);
    switch (kindOf(id))
    {
    case Kind::Instrument:
        return driver.parameter(static_cast<int>(id))->plainOf(static_cast<float>(clamped));
    case Kind::Program:
        return programOf(clamped);
    case Kind::Controller:
        return std::round(clamped * kControllerTop);
    case Kind::Unknown:
        break;
    }
    return 0.0;
}

ParamValue Vst3Parameters::toNormalized(ParamID id, ParamValue plain) const
{
    switch (kindOf(id))
    {
    case Kind::Instrument:
    {
        const InstrumentParameter* parameter = driver.parameter(static_cast<int>(id));
        return parameter->normalizedOf(parameter->valueOf(plain));
    }
    case Kind::Program:
        return driver.programCount() > 1 ? std::clamp(std::round(plain), 0.0, driver.programCount() - 1.0) /
                                               (driver.programCount() - 1)
                                         : 0.0;
    case Kind::Controller:
        return std::clamp(plain / kControllerTop, 0.0, 1.0);
    case Kind::Unknown:
        break;
    }
    return 0.0;
}

} // namespace host
