#include "host/vst3/Vst3Controller.h"

#include <cstring>
#include <new>
#include <vector>

#include "host/vst3/Vst3EditorView.h"
#include "host/vst3/Vst3Stream.h"
#include "host/vst3/Vst3Strings.h"
#include "resources/Log.h"

namespace host
{

namespace
{
constexpr size_t kProgramStateBytes = 4;
// Far more than any controller state of ours: a larger stream is not one.
constexpr size_t kStateLimit = 4096;
} // namespace

Vst3Controller::Vst3Controller(FUnknown& component, InstrumentDriver& instrument, Vst3Parameters& list)
    : owner(component), driver(instrument), parameters(list)
{
}

Vst3Controller::~Vst3Controller()
{
    dropHandler();
}

tresult VST3CALL Vst3Controller::queryInterface(const char* interfaceId, void** object)
{
    return owner.queryInterface(interfaceId, object);
}

uint32_t VST3CALL Vst3Controller::addRef()
{
    return owner.addRef();
}

uint32_t VST3CALL Vst3Controller::release()
{
    return owner.release();
}

tresult VST3CALL Vst3Controller::initialize(FUnknown*)
{
    return kResultOk;
}

tresult VST3CALL Vst3Controller::terminate()
{
    return kResultOk;
}

tresult VST3CALL Vst3Controller::setComponentState(IBStream*)
{
    return kResultOk;
}

tresult VST3CALL Vst3Controller::setState(IBStream* state)
{
    std::vector<uint8_t> bytes;
    if (!ReadStream(state, bytes, kStateLimit))
    {
        resources::LogLine("A VST3 controller state was refused: it could not be read whole.");
        return kResultFalse;
    }
    if (bytes.empty())
        return kResultOk;
    if (bytes.size() != kProgramStateBytes)
    {
        resources::LogFormatted("A VST3 controller state of %llu bytes was refused: it has %llu.",
                                static_cast<unsigned long long>(bytes.size()),
                                static_cast<unsigned long long>(kProgramStateBytes));
        return kResultFalse;
    }
    const int32_t program =
        static_cast<int32_t>(static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
                             static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24);
    if (driver.programCount() == 0)
    {
        resources::LogFormatted("The saved program %d is passed over: the instrument has no programs.",
                                static_cast<int>(program));
        return kResultOk;
    }
    if (program < 0 || program >= driver.programCount())
    {
        resources::LogFormatted("A VST3 controller state was refused: program %d of %d.",
                                static_cast<int>(program), driver.programCount());
        return kResultFalse;
    }
    // The component's state came first and holds the values: the program is selected under them.
    const std::vector<ParamValue> before = values();
    const std::vector<uint8_t> chunk = driver.state();
    driver.setProgram(program);
    driver.setState(chunk.data(), chunk.size());
    valuesMoved(before);
    return kResultOk;
}

tresult VST3CALL Vst3Controller::getState(IBStream* state)
{
    std::vector<uint8_t> bytes;
    if (driver.programCount() > 0)
    {
        const auto program = static_cast<uint32_t>(driver.program());
        bytes = {static_cast<uint8_t>(program), static_cast<uint8_t>(program >> 8),
                 static_cast<uint8_t>(program >> 16), static_cast<uint8_t>(program >> 24)};
    }
    return WriteStream(state, bytes) ? kResultOk : kResultFalse;
}

int32_t VST3CALL Vst3Controller::getParameterCount()
{
    return parameters.count();
}

tresult VST3CALL Vst3Controller::getParameterInfo(int32_t paramIndex, ParameterInfo& info)
{
    return parameters.info(paramIndex, info) ? kResultOk : kInvalidArgument;
}

tresult VST3CALL Vst3Controller::getParamStringByValue(ParamID id, ParamValue valueNormalized,
                                                       String128 string)
{
    std::string text;
    if (!string || !parameters.text(id, valueNormalized, text))
        return kInvalidArgument;
    CopyToString128(text, string);
    return kResultOk;
}

tresult VST3CALL Vst3Controller::getParamValueByString(ParamID id, TChar* string, ParamValue& valueNormalized)
{
    return string && parameters.valueOfText(id, Utf8Of(string), valueNormalized) ? kResultOk : kResultFalse;
}

ParamValue VST3CALL Vst3Controller::normalizedParamToPlain(ParamID id, ParamValue valueNormalized)
{
    return parameters.toPlain(id, valueNormalized);
}

ParamValue VST3CALL Vst3Controller::plainParamToNormalized(ParamID id, ParamValue plainValue)
{
    return parameters.toNormalized(id, plainValue);
}

ParamValue VST3CALL Vst3Controller::getParamNormalized(ParamID id)
{
    return parameters.normalized(id);
}

tresult VST3CALL Vst3Controller::setParamNormalized(ParamID id, ParamValue value)
{
    const std::vector<ParamValue> before = values();
    bool programChanged = false;
    const tresult result = parameters.setNormalized(id, value, programChanged);
    if (result == kInvalidArgument)
        resources::LogFormatted("The VST3 host's value %g for parameter %u was refused.", value,
                                static_cast<unsigned>(id));
    if (programChanged)
        valuesMoved(before);
    return result;
}

std::vector<ParamValue> Vst3Controller::values() const
{
    std::vector<ParamValue> now;
    for (int index = 0; index < driver.parameterCount(); ++index)
        now.push_back(parameters.normalized(static_cast<ParamID>(index)));
    return now;
}

void Vst3Controller::valuesMoved(const std::vector<ParamValue>& before)
{
    const std::vector<ParamValue> now = values();
    for (size_t index = 0; handler && index < now.size() && index < before.size(); ++index)
    {
        if (now[index] == before[index])
            continue;
        const auto id = static_cast<ParamID>(index);
        handler->beginEdit(id);
        handler->performEdit(id, now[index]);
        handler->endEdit(id);
    }
}

tresult VST3CALL Vst3Controller::setComponentHandler(IComponentHandler* newHandler)
{
    if (newHandler == handler)
        return kResultOk;
    if (newHandler)
        newHandler->addRef();
    dropHandler();
    handler = newHandler;
    return kResultOk;
}

void Vst3Controller::dropHandler()
{
    if (handler)
        handler->release();
    handler = nullptr;
}

IPlugView* VST3CALL Vst3Controller::createView(FIDString name)
{
    if (!name || std::strcmp(name, kEditorViewType) != 0 || !driver.hasEditor() || view)
        return nullptr;
    view = new (std::nothrow) Vst3EditorView(owner, driver, *this);
    return view;
}

void Vst3Controller::viewClosed(Vst3EditorView* closed)
{
    if (view == closed)
        view = nullptr;
}

tresult VST3CALL Vst3Controller::getMidiControllerAssignment(int32_t busIndex, int16_t channel,
                                                             CtrlNumber midiControllerNumber, ParamID& id)
{
    if (busIndex != 0 || channel < 0 || channel > 15 || !Vst3Parameters::mapsController(midiControllerNumber))
        return kResultFalse;
    id = Vst3Parameters::kFirstControllerId + static_cast<ParamID>(midiControllerNumber);
    return kResultOk;
}

int32_t VST3CALL Vst3Controller::getUnitCount()
{
    return 1;
}

tresult VST3CALL Vst3Controller::getUnitInfo(int32_t unitIndex, UnitInfo& info)
{
    if (unitIndex != 0)
        return kInvalidArgument;
    info.id = kRootUnitId;
    info.parentUnitId = kNoParentUnitId;
    CopyToString128("Root", info.name);
    info.programListId = driver.programCount() > 0 ? Vst3Parameters::kProgramListId : kNoProgramListId;
    return kResultOk;
}

int32_t VST3CALL Vst3Controller::getProgramListCount()
{
    return driver.programCount() > 0 ? 1 : 0;
}

tresult VST3CALL Vst3Controller::getProgramListInfo(int32_t listIndex, ProgramListInfo& info)
{
    if (listIndex != 0 || driver.programCount() == 0)
        return kInvalidArgument;
    info.id = Vst3Parameters::kProgramListId;
    CopyToString128("Programs", info.name);
    info.programCount = driver.programCount();
    return kResultOk;
}

tresult VST3CALL Vst3Controller::getProgramName(ProgramListID listId, int32_t programIndex, String128 name)
{
    if (listId != Vst3Parameters::kProgramListId || programIndex < 0 ||
        programIndex >= driver.programCount() || !name)
        return kInvalidArgument;
    CopyToString128(driver.programName(programIndex), name);
    return kResultOk;
}

tresult VST3CALL Vst3Controller::getProgramInfo(ProgramListID, int32_t, const char8*, String128)
{
    return kResultFalse;
}

tresult VST3CALL Vst3Controller::hasProgramPitchNames(ProgramListID, int32_t)
{
    return kResultFalse;
}

tresult VST3CALL Vst3Controller::getProgramPitchName(ProgramListID, int32_t, int16_t, String128)
{
    return kResultFalse;
}

UnitID VST3CALL Vst3Controller::getSelectedUnit()
{
    return kRootUnitId;
}

tresult VST3CALL Vst3Controller::selectUnit(UnitID unitId)
{
    return unitId == kRootUnitId ? kResultOk : kInvalidArgument;
}

tresult VST3CALL Vst3Controller::getUnitByBus(MediaType, BusDirection, int32_t, int32_t, UnitID& unitId)
{
    unitId = kRootUnitId;
    return kResultOk;
}

tresult VST3CALL Vst3Controller::setUnitProgramData(int32_t, int32_t, IBStream*)
{
    return kNotImplemented;
}

void Vst3Controller::parameterEdited(int index, float value)
{
    const InstrumentParameter* parameter = driver.parameter(index);
    if (!handler || !parameter)
        return;
    const auto id = static_cast<ParamID>(index);
    handler->beginEdit(id);
    handler->performEdit(id, parameter->normalizedOf(value));
    handler->endEdit(id);
}

void Vst3Controller::latencyChanged(int)
{
    restart(kLatencyChanged);
}

void Vst3Controller::restart(int32_t flags)
{
    if (restartsHeld)
        heldRestarts |= flags;
    else if (handler)
        handler->restartComponent(flags);
}

void Vst3Controller::holdRestarts(bool hold)
{
    restartsHeld = hold;
    if (hold || heldRestarts == 0)
        return;
    const int32_t flags = heldRestarts;
    heldRestarts = 0;
    restart(flags);
}

bool Vst3Controller::resizeEditor(int width, int height)
{
    return view && view->resize(width, height);
}

} // namespace host
