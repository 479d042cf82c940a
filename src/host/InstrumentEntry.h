// What a plug-in module carries of the instrument: its VST 2.4 entry, which every format's adapter drives as
// a VST 2.4 host would, and what the VST 2.4 interface does not tell of its parameters (their steps and the
// range their display shows), which LV2 and VST3 hosts ask for. Any thread.
#pragma once

#include <string>
#include <vector>

#include "host/VstInterface.h"

namespace host
{

struct ParameterShape
{
    // The positions of a stepped parameter, 0 for a continuous one.
    int steps = 0;
    // The number the parameter's display shows at host value 1 (a stepped parameter: its last position).
    int displayMaximum = 1;
    // The text of each position of a stepped parameter.
    std::vector<std::string> stepNames;
};

struct InstrumentEntry
{
    // Creates an instance for a host callback (the module's VST 2.4 entry); null when none can be made.
    PluginEntryProc create;
    // Fills the shape of a parameter of a live instance; false for an index it does not have.
    bool (*shape)(int index, ParameterShape& shape);
};

// The instrument of this module.
const InstrumentEntry& ModuleInstrument();

} // namespace host
