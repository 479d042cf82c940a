#include "formathost/Vst3Host.h"

#include "platform/SharedLibrary.h"

using namespace host;

namespace formathost
{

bool Vst3Host::load(const std::string& modulePath)
{
    library = platform::OpenSharedLibrary(modulePath, &lastError);
    if (!library)
        return false;
#if !defined(_WIN32)
    using ModuleEntry = bool (*)(void*);
    auto moduleEntry = reinterpret_cast<ModuleEntry>(platform::FindSymbol(library, "ModuleEntry"));
    if (!moduleEntry || !moduleEntry(library))
    {
        lastError = "no ModuleEntry, or it failed, in " + modulePath;
        return false;
    }
#endif
    using GetFactory = IPluginFactory*(VST3CALL*)();
    auto getFactory = reinterpret_cast<GetFactory>(platform::FindSymbol(library, "GetPluginFactory"));
    pluginFactory = getFactory ? getFactory() : nullptr;
    if (!pluginFactory)
        lastError = "no factory in " + modulePath;
    return pluginFactory != nullptr;
}

std::unique_ptr<Vst3Instance> Vst3Host::instantiate()
{
    PClassInfo info{};
    if (!pluginFactory || pluginFactory->getClassInfo(0, &info) != kResultOk)
        return nullptr;
    auto instance = std::make_unique<Vst3Instance>(*pluginFactory, info.cid);
    return instance->valid() ? std::move(instance) : nullptr;
}

} // namespace formathost
