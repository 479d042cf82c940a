#include "formathost/Lv2Host.h"

#include "platform/SharedLibrary.h"

namespace formathost
{

bool Lv2Host::load(const std::string& modulePath)
{
    library = platform::OpenSharedLibrary(modulePath, &lastError);
    if (!library)
        return false;
    using PluginDescriptors = const LV2_Descriptor* (*)(uint32_t);
    using UiDescriptors = const LV2UI_Descriptor* (*)(uint32_t);
    auto plugins = reinterpret_cast<PluginDescriptors>(platform::FindSymbol(library, "lv2_descriptor"));
    auto uis = reinterpret_cast<UiDescriptors>(platform::FindSymbol(library, "lv2ui_descriptor"));
    plugin = plugins ? plugins(0) : nullptr;
    ui = uis ? uis(0) : nullptr;
    if (!plugin)
        lastError = "no LV2 plug-in in " + modulePath;
    return plugin != nullptr;
}

void Lv2Host::take(const LV2_Descriptor* pluginDescriptor, const LV2UI_Descriptor* uiDescriptor)
{
    plugin = pluginDescriptor;
    ui = uiDescriptor;
}

std::unique_ptr<Lv2Instance> Lv2Host::instantiate(double rate, int maxBlock)
{
    if (!plugin)
        return nullptr;
    auto instance = std::make_unique<Lv2Instance>(*plugin, uridMap, rate, maxBlock);
    return instance->valid() ? std::move(instance) : nullptr;
}

} // namespace formathost
