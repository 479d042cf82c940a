// The synthesizer library as this process has it: found once, checked, and kept for the life of the
// process. Linux builds link the library, so its functions are there from the start; Windows builds load
// the library's DLL from beside the plug-in when the first instance starts, and an instance that finds it
// missing or unusable tries again. Every call into the library goes through the table this class fills.
// Threads: load on the hosts' loading threads (serialised here); the table is read from any thread once
// ready() is true, and never changes after that.
#pragma once

#include <string>

#include "engine/FluidSynthApi.h"

namespace engine
{

class FluidSynthLibrary
{
public:
    // Finds one function of a library by its name; null when the library has no such function.
    using Lookup = void* (*)(void* context, const char* name);

    // Makes the library usable in this process, unless it already is. True when it is; report says where
    // it came from and which release it is, or what was looked for, where, and why it was refused.
    static bool load(const std::string& moduleFolder, std::string& report);
    static bool ready();
    // The table of a ready library.
    static const FluidSynthApi& api();

    // Fills every function of api through lookup after checking the library's release: false, with the
    // reason and api left untouched, when the release is outside what the plug-in runs with or a function
    // is missing. On success release holds the release as "2.3.1".
    static bool bind(Lookup lookup, void* context, FluidSynthApi& api, std::string& release,
                     std::string& reason);
    // The oldest release with every function of the table, as "2.2.0".
    static std::string oldestRelease();
    // The file the Windows build loads.
    static constexpr const char* kWindowsLibrary = "libfluidsynth-3.dll";

private:
    // Where the functions come from on this system: the linked library, or the DLL beside the module.
    // False with the reason when there is none.
    static bool open(const std::string& moduleFolder, Lookup& lookup, void*& context, std::string& where,
                     std::string& reason);
    // Lets go of what open found when it is refused, so that a later search does not find it again.
    static void close(void* context);
};

// The process's table; call only once FluidSynthLibrary::ready() is true.
inline const FluidSynthApi& FluidSynth()
{
    return FluidSynthLibrary::api();
}

} // namespace engine
