// The library's Windows DLL, loaded from beside the plug-in (users install FluidSynth's own Windows release
// there), else from the system's search path.
#include "engine/FluidSynthLibrary.h"
#include "platform/SharedLibrary.h"

namespace engine
{
namespace
{

void* FindExported(void* library, const char* name)
{
    return platform::FindSymbol(library, name);
}

} // namespace

bool FluidSynthLibrary::open(const std::string& moduleFolder, Lookup& lookup, void*& context,
                             std::string& where, std::string& reason)
{
    void* library = platform::OpenLibraryBeside(moduleFolder, kWindowsLibrary, &where, &reason);
    if (library == nullptr)
        return false;
    lookup = FindExported;
    context = library;
    return true;
}

void FluidSynthLibrary::close(void* context)
{
    platform::CloseLibrary(context);
}

} // namespace engine
