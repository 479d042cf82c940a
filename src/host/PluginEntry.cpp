// The plug-in's exported entry points: hosts look up VSTPluginMain and fall back to main.
#include <cinttypes>
#include <new>

#include "instrument/VstXSynth.h"
#include "resources/Log.h"

using namespace host;
using namespace instrument;

namespace
{
AEffect* createInstance(audioMasterCallback audioMaster)
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
} // namespace

extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(audioMasterCallback audioMaster)
{
    return createInstance(audioMaster);
}

// "main" cannot be declared as an ordinary C++ function, so it gets its symbol name from an asm label.
extern "C" __attribute__((visibility("default"))) AEffect*
pluginMain(audioMasterCallback audioMaster) asm("main");

AEffect* pluginMain(audioMasterCallback audioMaster)
{
    return createInstance(audioMaster);
}
