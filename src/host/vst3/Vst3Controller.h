// The edit controller part of the VST3 plug-in: the parameters with their texts, the program list, MIDI
// mapping of the controllers the instrument handles, the controller's state (the program the instrument is
// on) and the editor's view. It is the FormatHost of the instrument's driver: the editor's parameter changes
// become the host's begin, perform and end edit, a new latency a restart, a new editor size the frame's
// resize. It lives inside the component and shares its identity and reference count. The host's
// user-interface thread.
#pragma once

#include <vector>

#include "host/FormatHost.h"
#include "host/InstrumentDriver.h"
#include "host/vst3/Vst3Interface.h"
#include "host/vst3/Vst3Parameters.h"

namespace host
{

class Vst3EditorView;

class Vst3Controller : public IEditController, public IMidiMapping, public IUnitInfo, public FormatHost
{
public:
    Vst3Controller(FUnknown& component, InstrumentDriver& instrument, Vst3Parameters& list);
    ~Vst3Controller() override;
    Vst3Controller(const Vst3Controller&) = delete;
    Vst3Controller& operator=(const Vst3Controller&) = delete;

    tresult VST3CALL queryInterface(const char* interfaceId, void** object) override;
    uint32_t VST3CALL addRef() override;
    uint32_t VST3CALL release() override;

    // The component initializes and ends the instrument for both parts.
    tresult VST3CALL initialize(FUnknown* context) override;
    tresult VST3CALL terminate() override;

    // The component's state is already this plug-in's own.
    tresult VST3CALL setComponentState(IBStream* state) override;
    // The program: four bytes, little-endian; empty when the instrument has no programs.
    tresult VST3CALL setState(IBStream* state) override;
    tresult VST3CALL getState(IBStream* state) override;
    int32_t VST3CALL getParameterCount() override;
    tresult VST3CALL getParameterInfo(int32_t paramIndex, ParameterInfo& info) override;
    tresult VST3CALL getParamStringByValue(ParamID id, ParamValue valueNormalized, String128 string) override;
    tresult VST3CALL getParamValueByString(ParamID id, TChar* string, ParamValue& valueNormalized) override;
    ParamValue VST3CALL normalizedParamToPlain(ParamID id, ParamValue valueNormalized) override;
    ParamValue VST3CALL plainParamToNormalized(ParamID id, ParamValue plainValue) override;
    ParamValue VST3CALL getParamNormalized(ParamID id) override;
    tresult VST3CALL setParamNormalized(ParamID id, ParamValue value) override;
    tresult VST3CALL setComponentHandler(IComponentHandler* newHandler) override;
    IPlugView* VST3CALL createView(FIDString name) override;

    tresult VST3CALL getMidiControllerAssignment(int32_t busIndex, int16_t channel,
                                                 CtrlNumber midiControllerNumber, ParamID& id) override;

    int32_t VST3CALL getUnitCount() override;
    tresult VST3CALL getUnitInfo(int32_t unitIndex, UnitInfo& info) override;
    int32_t VST3CALL getProgramListCount() override;
    tresult VST3CALL getProgramListInfo(int32_t listIndex, ProgramListInfo& info) override;
    tresult VST3CALL getProgramName(ProgramListID listId, int32_t programIndex, String128 name) override;
    tresult VST3CALL getProgramInfo(ProgramListID listId, int32_t programIndex, const char8* attributeId,
                                    String128 attributeValue) override;
    tresult VST3CALL hasProgramPitchNames(ProgramListID listId, int32_t programIndex) override;
    tresult VST3CALL getProgramPitchName(ProgramListID listId, int32_t programIndex, int16_t midiPitch,
                                         String128 name) override;
    UnitID VST3CALL getSelectedUnit() override;
    tresult VST3CALL selectUnit(UnitID unitId) override;
    tresult VST3CALL getUnitByBus(MediaType type, BusDirection dir, int32_t busIndex, int32_t channel,
                                  UnitID& unitId) override;
    tresult VST3CALL setUnitProgramData(int32_t listOrUnitId, int32_t programIndex, IBStream* data) override;

    void parameterEdited(int index, float value) override;
    void latencyChanged(int frames) override;
    bool resizeEditor(int width, int height) override;

    // The instrument's parameters in VST3's values, to hand to valuesMoved after a change of many.
    std::vector<ParamValue> values() const;
    // Tells the host of each parameter that moved from `before` (a program or a state changed them): as an
    // edit, which also puts the value into the host's processing. (A restart would be the other way, but
    // hosts change programs holding the lock a restart takes, and wait for ever.)
    void valuesMoved(const std::vector<ParamValue>& before);

    // The open view tells when it goes.
    void viewClosed(Vst3EditorView* closed);
    // Lets the component handler go (the component is ending).
    void dropHandler();
    // While held, restarts wait: the host may reactivate the plug-in inside a restart, which must not happen
    // in the middle of the component's set-up. Letting go sends what waited.
    void holdRestarts(bool hold);

private:
    // The host hears that every parameter may have a new value (after a program change).
    void restart(int32_t flags);

    FUnknown& owner;
    InstrumentDriver& driver;
    Vst3Parameters& parameters;
    IComponentHandler* handler = nullptr;
    Vst3EditorView* view = nullptr;
    bool restartsHeld = false;
    int32_t heldRestarts = 0;
};

} // namespace host
