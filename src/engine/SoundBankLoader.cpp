#include "engine/SoundBankLoader.h"

#include <exception>
#include <mutex>
#include <new>
#include <utility>
#include <vector>

#include "engine/FluidSynthLibrary.h"
#include "engine/SoundBank.h"
#include "engine/SoundFontReader.h"

namespace engine
{
namespace
{

// Which loader belongs to which synthesizer. Touched only while synthesizers are created, loaded
// and deleted, never while audio is rendered.
std::mutex registryMutex;
std::vector<std::pair<fluid_synth_t*, SoundBankLoader*>>& Registry()
{
    static std::vector<std::pair<fluid_synth_t*, SoundBankLoader*>> registry;
    return registry;
}

SoundBankLoader* FindLoader(fluid_synth_t* synth)
{
    std::lock_guard<std::mutex> lock(registryMutex);
    for (const auto& entry : Registry())
    {
        if (entry.first == synth)
            return entry.second;
    }
    return nullptr;
}

fluid_sfont_t* LoadCallback(fluid_sfloader_t* loader, const char* path)
{
    auto* ours = static_cast<SoundBankLoader*>(FluidSynth().fluid_sfloader_get_data(loader));
    return ours != nullptr && path != nullptr ? ours->load(path) : nullptr;
}

void FreeCallback(fluid_sfloader_t* loader)
{
    auto* ours = static_cast<SoundBankLoader*>(FluidSynth().fluid_sfloader_get_data(loader));
    if (ours != nullptr)
    {
        std::lock_guard<std::mutex> lock(registryMutex);
        auto& registry = Registry();
        for (auto it = registry.begin(); it != registry.end(); ++it)
        {
            if (it->second == ours)
            {
                registry.erase(it);
                break;
            }
        }
    }
    delete ours;
    FluidSynth().delete_fluid_sfloader(loader);
}

} // namespace

bool RegisterSoundBankLoader(fluid_synth_t* synth, SampleDataCache& cache, KeyStrikes* strikes)
{
    if (synth == nullptr || FluidSynth().fluid_synth_sfcount(synth) > 0 || FindLoader(synth) != nullptr)
    {
        return false;
    }
    auto* ours = new (std::nothrow) SoundBankLoader(cache, strikes);
    if (ours == nullptr)
        return false;
    fluid_sfloader_t* loader = FluidSynth().new_fluid_sfloader(LoadCallback, FreeCallback);
    if (loader == nullptr)
    {
        delete ours;
        return false;
    }
    FluidSynth().fluid_sfloader_set_data(loader, ours);
    try
    {
        std::lock_guard<std::mutex> lock(registryMutex);
        Registry().emplace_back(synth, ours);
    }
    catch (const std::exception&)
    {
        delete ours;
        FluidSynth().delete_fluid_sfloader(loader);
        return false;
    }
    FluidSynth().fluid_synth_add_sfloader(synth, loader);
    return true;
}

int LoadSoundBank(fluid_synth_t* synth, const char* path, int resetPresets)
{
    if (synth == nullptr || path == nullptr)
        return -1;
    SoundBankLoader* loader = FindLoader(synth);
    if (loader == nullptr)
    {
        FluidSynth().fluid_log(kFluidError, "No sound bank loader registered for this synthesizer");
        return -1;
    }
    try
    {
        auto data = std::make_unique<SoundFontData>();
        SoundFontReader reader;
        if (!reader.readFile(path, *data))
        {
            FluidSynth().fluid_log(kFluidError, "Cannot load sound bank %s: %s", path,
                                   reader.error().c_str());
            return -1;
        }
        loader->setPending(path, std::move(data));
    }
    catch (const std::exception&)
    {
        FluidSynth().fluid_log(kFluidError, "Out of memory while reading %s", path);
        return -1;
    }
    const int id = FluidSynth().fluid_synth_sfload(synth, path, resetPresets);
    loader->clearPending();
    if (id == -1)
        return -1;
    // Our loader comes first; a bank it refused may still have loaded through the engine's own
    // loaders, and such a bank (without the shared sample data) is not ours to keep.
    if (FluidSynth().fluid_synth_get_sfont_by_id(synth, id) != loader->lastLoaded())
    {
        FluidSynth().fluid_synth_sfunload(synth, id, resetPresets);
        FluidSynth().fluid_log(kFluidError, "Sound bank %s was refused by the system's loader", path);
        return -1;
    }
    return id;
}

fluid_sfont_t* SoundBankLoader::load(const char* path)
{
    lastLoadedFont = nullptr;
    try
    {
        std::unique_ptr<SoundFontData> parsed;
        if (pending && pendingPath == path)
        {
            parsed = std::move(pending);
        }
        else
        {
            parsed = std::make_unique<SoundFontData>();
            SoundFontReader reader;
            if (!reader.readFile(path, *parsed))
            {
                FluidSynth().fluid_log(kFluidError, "Cannot load sound bank %s: %s", path,
                                       reader.error().c_str());
                return nullptr;
            }
        }
        lastLoadedFont = SoundBank::Create(path, *parsed, cache, strikes);
    }
    catch (const std::exception&)
    { // called from the engine's C code: nothing may escape
        FluidSynth().fluid_log(kFluidError, "Out of memory while loading %s", path);
    }
    return lastLoadedFont;
}

void SoundBankLoader::setPending(std::string path, std::unique_ptr<SoundFontData> data)
{
    pendingPath = std::move(path);
    pending = std::move(data);
}

void SoundBankLoader::clearPending()
{
    pendingPath.clear();
    pending.reset();
}

} // namespace engine
