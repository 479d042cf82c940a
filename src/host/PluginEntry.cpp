// The plug-in's exported entry points: hosts look up VSTPluginMain and fall back to main.
#include "host/InstrumentEntry.h"
#include "host/UserInterface.h"

using namespace host;

namespace
{
AEffect* createInstance(audioMasterCallback audioMaster)
{
    try
    {
        ConnectUserInterface();
    }
    catch (...)
    {
        return nullptr;
    }
    return ModuleInstrument().create(audioMaster);
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
