// The plug-in's exported entry points: hosts look up VSTPluginMain and fall back to main.
#include <cinttypes>
#include <new>

#include "host/UserInterface.h"
#include "instrument/VstXSynth.h"
#include "platform/Platform.h"
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
        ConnectUserInterface();
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

// Windows builds name their exports in the module-definition file; elsewhere only these two are visible.
#if defined(_WIN32)
#define VIRELLANDO_EXPORT
#else
#define VIRELLANDO_EXPORT __attribute__((visibility("default")))
#endif

extern "C" VIRELLANDO_EXPORT AEffect* VSTCALLBACK VSTPluginMain(audioMasterCallback audioMaster)
{
    return createInstance(audioMaster);
}

// "main" cannot be declared as an ordinary C++ function: the module-definition file exports this function
// under that name on Windows, an asm label gives it its symbol name elsewhere.
#if defined(_WIN32)
extern "C" AEffect* VSTCALLBACK pluginMain(audioMasterCallback audioMaster);
#else
extern "C" VIRELLANDO_EXPORT AEffect* pluginMain(audioMasterCallback audioMaster) asm("main");
#endif

AEffect* VSTCALLBACK pluginMain(audioMasterCallback audioMaster)
{
    return createInstance(audioMaster);
}
