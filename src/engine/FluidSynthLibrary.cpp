#include "engine/FluidSynthLibrary.h"

#include <atomic>
#include <mutex>

namespace engine
{
namespace
{

std::mutex loadMutex;
std::atomic<bool> loaded{false};
FluidSynthApi table;
// What the load that made the library ready reported, for the instances after it.
std::string loadedReport;

std::string ReleaseText(int major, int minor, int micro)
{
    return std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(micro);
}

} // namespace

std::string FluidSynthLibrary::oldestRelease()
{
    return ReleaseText(kFluidOldestMajor, kFluidOldestMinor, kFluidOldestMicro);
}

bool FluidSynthLibrary::bind(Lookup lookup, void* context, FluidSynthApi& api, std::string& release,
                             std::string& reason)
{
    using VersionFunction = void (*)(int*, int*, int*);
    const auto version = reinterpret_cast<VersionFunction>(lookup(context, "fluid_version"));
    if (version == nullptr)
    {
        reason = "it has no fluid_version, so it is not a FluidSynth library";
        return false;
    }
    int major = 0;
    int minor = 0;
    int micro = 0;
    version(&major, &minor, &micro);
    const std::string found = ReleaseText(major, minor, micro);
    if (major != kFluidOldestMajor || minor < kFluidOldestMinor ||
        (minor == kFluidOldestMinor && micro < kFluidOldestMicro))
    {
        reason = major > kFluidOldestMajor
                     ? "it is FluidSynth " + found + ", a later series than the " +
                           std::to_string(kFluidOldestMajor) + ".x releases the plug-in runs with"
                     : "it is FluidSynth " + found + ", older than " + oldestRelease() +
                           ", the oldest release with every function the plug-in calls";
        return false;
    }

    FluidSynthApi filled;
    std::string missing;
#define VIRELLANDO_FLUID_FIND(result, name, parameters)                                                      \
    filled.name = reinterpret_cast<decltype(filled.name)>(lookup(context, #name));                           \
    if (filled.name == nullptr)                                                                              \
        missing += (missing.empty() ? "" : ", ") + std::string(#name);
    VIRELLANDO_FLUID_FUNCTIONS(VIRELLANDO_FLUID_FIND)
#undef VIRELLANDO_FLUID_FIND
    if (!missing.empty())
    {
        reason = "it is FluidSynth " + found + " but lacks " + missing;
        return false;
    }
    api = filled;
    release = found;
    return true;
}

bool FluidSynthLibrary::load(const std::string& moduleFolder, std::string& report)
{
    std::lock_guard<std::mutex> lock(loadMutex);
    if (loaded.load(std::memory_order_acquire))
    {
        report = loadedReport;
        return true;
    }
    Lookup lookup = nullptr;
    void* context = nullptr;
    std::string where;
    std::string reason;
    if (!open(moduleFolder, lookup, context, where, reason))
    {
        report = "FluidSynth is missing: " + reason;
        return false;
    }
    std::string release;
    if (!bind(lookup, context, table, release, reason))
    {
        close(context);
        report = "FluidSynth from " + where + " refused: " + reason;
        return false;
    }
    loadedReport = "FluidSynth " + release + " from " + where;
    report = loadedReport;
    loaded.store(true, std::memory_order_release);
    return true;
}

bool FluidSynthLibrary::ready()
{
    return loaded.load(std::memory_order_acquire);
}

const FluidSynthApi& FluidSynthLibrary::api()
{
    return table;
}

} // namespace engine
