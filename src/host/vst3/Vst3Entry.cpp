// The VST3 module's exported entry points: the factory, and the module's set-up and end (ModuleEntry and
// ModuleExit on Linux, InitDll and ExitDll on Windows), which need do nothing here. Nothing thrown inside
// gets out to the host.
#include "host/vst3/Vst3Entry.h"

#include "host/UserInterface.h"
#include "host/vst3/Vst3Factory.h"

using namespace host;

namespace
{
void connectUserInterface()
{
    try
    {
        ConnectUserInterface();
    }
    catch (...)
    {
    }
}
} // namespace

IPluginFactory* VST3CALL GetPluginFactory()
{
    static Vst3Factory factory(ModuleInstrument(), connectUserInterface);
    return &factory;
}

#if defined(_WIN32)
extern "C" bool VST3CALL InitDll()
{
    return true;
}

extern "C" bool VST3CALL ExitDll()
{
    return true;
}
#else
extern "C" VIRELLANDO_EXPORT bool ModuleEntry(void*)
{
    return true;
}

extern "C" VIRELLANDO_EXPORT bool ModuleExit()
{
    return true;
}
#endif
