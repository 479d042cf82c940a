#include "startup/StartupMeasures.h"

#include <chrono>
#include <cstdio>
#include <initializer_list>
#include <memory>
#include <thread>
#include <vector>

#include "engine/FluidSynthLibrary.h"
#include "platform/ProcessMemory.h"
#include "plughost/PluginHost.h"

using namespace engine;
using namespace plughost;

namespace
{
using Clock = std::chrono::steady_clock;

constexpr int kVendorSampleDataLoaded = 1004;
constexpr int kInstances = 4;
constexpr auto kLoadTimeout = std::chrono::seconds(120);

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

bool waitForLoadDone(PluginInstance& instance)
{
    const auto start = Clock::now();
    while (instance.dispatch(host::effVendorSpecific, kVendorSampleDataLoaded) != 1)
    {
        if (Clock::now() - start > kLoadTimeout)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// The bank's missing drum kit and similar notices would bury the figures; errors still show. The plug-in
// shares the library and its log functions with this program. False without the library.
bool quietenLibrary()
{
    std::string report;
    if (!FluidSynthLibrary::load("", report))
    {
        std::fprintf(stderr, "%s\n", report.c_str());
        return false;
    }
    for (int level : {kFluidWarning, kFluidInformation, kFluidDebug})
        FluidSynth().fluid_set_log_function(level, nullptr, nullptr);
    return true;
}
} // namespace

Figures MeasureLibraryLoad(const std::string& riffBank)
{
    Figures figures;
    if (!quietenLibrary())
        return figures;
    fluid_settings_t* settings = FluidSynth().new_fluid_settings();
    fluid_synth_t* synth = settings != nullptr ? FluidSynth().new_fluid_synth(settings) : nullptr;
    if (synth != nullptr)
    {
        const auto start = Clock::now();
        const int id = FluidSynth().fluid_synth_sfload(synth, riffBank.c_str(), 1);
        const double elapsed = millisecondsSince(start);
        if (id != kFluidFailed)
            figures["library_load_ms"] = elapsed;
        FluidSynth().delete_fluid_synth(synth);
    }
    FluidSynth().delete_fluid_settings(settings);
    return figures;
}

Figures MeasurePluginStart(const std::string& pluginPath)
{
    if (!quietenLibrary())
        return {};
    PluginHost host;
    if (!host.load(pluginPath))
    {
        std::fprintf(stderr, "%s\n", host.error().c_str());
        return {};
    }
    Figures figures;
    figures["rss_base"] = static_cast<double>(platform::ResidentMemoryBytes());

    std::vector<std::unique_ptr<PluginInstance>> instances;
    const auto start = Clock::now();
    instances.push_back(host.instantiate());
    figures["construct_ms"] = millisecondsSince(start);
    if (!instances.back() || !waitForLoadDone(*instances.back()))
        return {};
    figures["load_done_ms"] = millisecondsSince(start);
    figures["rss_one"] = static_cast<double>(platform::ResidentMemoryBytes());

    while (static_cast<int>(instances.size()) < kInstances)
    {
        instances.push_back(host.instantiate());
        if (!instances.back() || !waitForLoadDone(*instances.back()))
            return {};
    }
    figures["rss_four"] = static_cast<double>(platform::ResidentMemoryBytes());
    return figures;
}
