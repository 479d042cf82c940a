#include "host/InstrumentEntry.h"

#include <cinttypes>
#include <new>

#include "instrument/VstXSynth.h"
#include "resources/Log.h"
#include "resources/StringTable.h"

using namespace instrument;

namespace host
{

namespace
{
AEffect* VSTCALLBACK createInstrument(audioMasterCallback audioMaster)
{
    // A host that cannot tell its version is too old for the instrument.
    if (!audioMaster || audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0)
        return nullptr;
    try
    {
        VstXSynth* synth = new (std::nothrow) VstXSynth(audioMaster);
        if (!synth)
            return nullptr;
        AEffect* effect = synth->getAeffect();
        resources::LogFormatted("Aeffect created.  processReplacing is 0x%" PRIxPTR,
                                reinterpret_cast<uintptr_t>(effect->processReplacing));
        return effect;
    }
    catch (...)
    {
        return nullptr;
    }
}

void lookUpText(const char* key, char* out, size_t size)
{
    resources::StringTableLookup(key, out, size);
}

bool shapeOf(int index, ParameterShape& shape)
{
    if (index < 0 || index >= ParameterTable::kCount)
        return false;
    shape.steps = ParameterTable::steps(index);
    shape.displayMaximum = ParameterTable::displayMaximum(index);
    shape.stepNames.clear();
    const ParameterTable table(lookUpText);
    char text[256];
    for (int step = 0; step < shape.steps && table.stepText(index, step, text, sizeof text); ++step)
        shape.stepNames.emplace_back(text);
    return true;
}

const InstrumentEntry kEntry{createInstrument, shapeOf};
} // namespace

const InstrumentEntry& ModuleInstrument()
{
    return kEntry;
}

} // namespace host
