// The LV2 module's exported entry points: the plug-in's descriptor and its editor UI's. Every call crosses
// the host boundary here, so nothing thrown inside gets out.
#include <lv2/core/lv2.h>
#include <lv2/state/state.h>
#include <lv2/ui/ui.h>

#include <cstring>

#include "host/UserInterface.h"
#include "host/lv2/Lv2EditorUi.h"
#include "host/lv2/Lv2Plugin.h"
#include "host/lv2/Lv2Uris.h"

using namespace host;

namespace
{
Lv2Plugin* pluginOf(LV2_Handle handle)
{
    return static_cast<Lv2Plugin*>(handle);
}

LV2_Handle instantiate(const LV2_Descriptor*, double rate, const char*, const LV2_Feature* const* features)
{
    try
    {
        ConnectUserInterface();
        return Lv2Plugin::create(ModuleInstrument(), rate, features);
    }
    catch (...)
    {
        return nullptr;
    }
}

void connectPort(LV2_Handle handle, uint32_t port, void* data)
{
    if (Lv2Plugin* plugin = pluginOf(handle))
        plugin->connect(port, data);
}

void activate(LV2_Handle handle)
{
    if (Lv2Plugin* plugin = pluginOf(handle))
    {
        try
        {
            plugin->activate();
        }
        catch (...)
        {
        }
    }
}

void run(LV2_Handle handle, uint32_t frames)
{
    if (Lv2Plugin* plugin = pluginOf(handle))
    {
        try
        {
            plugin->run(frames);
        }
        catch (...)
        {
        }
    }
}

void deactivate(LV2_Handle handle)
{
    if (Lv2Plugin* plugin = pluginOf(handle))
    {
        try
        {
            plugin->deactivate();
        }
        catch (...)
        {
        }
    }
}

void cleanup(LV2_Handle handle)
{
    try
    {
        delete pluginOf(handle);
    }
    catch (...)
    {
    }
}

LV2_State_Status saveState(LV2_Handle handle, LV2_State_Store_Function store, LV2_State_Handle state,
                           uint32_t, const LV2_Feature* const*)
{
    Lv2Plugin* plugin = pluginOf(handle);
    try
    {
        return plugin ? plugin->save(store, state) : LV2_STATE_ERR_UNKNOWN;
    }
    catch (...)
    {
        return LV2_STATE_ERR_UNKNOWN;
    }
}

LV2_State_Status restoreState(LV2_Handle handle, LV2_State_Retrieve_Function retrieve, LV2_State_Handle state,
                              uint32_t, const LV2_Feature* const*)
{
    Lv2Plugin* plugin = pluginOf(handle);
    try
    {
        return plugin ? plugin->restore(retrieve, state) : LV2_STATE_ERR_UNKNOWN;
    }
    catch (...)
    {
        return LV2_STATE_ERR_UNKNOWN;
    }
}

const LV2_State_Interface kStateInterface{saveState, restoreState};

const void* extensionData(const char* uri)
{
    return uri && std::strcmp(uri, LV2_STATE__interface) == 0 ? &kStateInterface : nullptr;
}

const LV2_Descriptor kDescriptor{lv2uri::kPlugin, instantiate, connectPort,  activate, run,
                                 deactivate,      cleanup,     extensionData};

LV2UI_Handle instantiateUi(const LV2UI_Descriptor*, const char* pluginUri, const char*,
                           LV2UI_Write_Function write, LV2UI_Controller controller, LV2UI_Widget* widget,
                           const LV2_Feature* const* features)
{
    if (!pluginUri || std::strcmp(pluginUri, lv2uri::kPlugin) != 0)
        return nullptr;
    try
    {
        return Lv2EditorUi::create(write, controller, widget, features);
    }
    catch (...)
    {
        return nullptr;
    }
}

void cleanupUi(LV2UI_Handle handle)
{
    try
    {
        delete static_cast<Lv2EditorUi*>(handle);
    }
    catch (...)
    {
    }
}

int idleUi(LV2UI_Handle handle)
{
    try
    {
        return handle ? static_cast<Lv2EditorUi*>(handle)->idle() : 1;
    }
    catch (...)
    {
        return 1;
    }
}

const LV2UI_Idle_Interface kIdleInterface{idleUi};

const void* uiExtensionData(const char* uri)
{
    return uri && std::strcmp(uri, LV2_UI__idleInterface) == 0 ? &kIdleInterface : nullptr;
}

const LV2UI_Descriptor kUiDescriptor{lv2uri::kEditor, instantiateUi, cleanupUi, nullptr, uiExtensionData};
} // namespace

extern "C" LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index)
{
    return index == 0 ? &kDescriptor : nullptr;
}

extern "C" LV2_SYMBOL_EXPORT const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index)
{
    return index == 0 ? &kUiDescriptor : nullptr;
}
