// The plug-in's exported entry points: hosts look up VSTPluginMain and fall back to main.
#include "host/InstrumentEntry.h"
#include "host/ModuleExport.h"
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
