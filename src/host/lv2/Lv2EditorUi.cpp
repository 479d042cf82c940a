#include "host/lv2/Lv2EditorUi.h"

#include <lv2/instance-access/instance-access.h>

#include <cstdint>
#include <new>

#include "host/lv2/Lv2Features.h"
#include "platform/native/ChildWindow.h"
#include "resources/Log.h"

namespace host
{

Lv2EditorUi::Lv2EditorUi(Lv2Plugin& instance, LV2UI_Write_Function write, LV2UI_Controller controller,
                         const LV2UI_Resize* resizer)
    : plugin(instance), writeFunction(write), hostController(controller), hostResize(resizer)
{
}

Lv2EditorUi* Lv2EditorUi::create(LV2UI_Write_Function write, LV2UI_Controller controller,
                                 LV2UI_Widget* widget, const LV2_Feature* const* features)
{
    void* parent = const_cast<void*>(Lv2FeatureData(features, LV2_UI__parent));
    auto* instance =
        static_cast<Lv2Plugin*>(const_cast<void*>(Lv2FeatureData(features, LV2_INSTANCE_ACCESS_URI)));
    const auto* resizer = static_cast<const LV2UI_Resize*>(Lv2FeatureData(features, LV2_UI__resize));
    if (!instance)
    {
        // Without the instance there is no instrument to show, and nothing to log into.
        return nullptr;
    }
    if (!parent)
    {
        resources::LogLine("The LV2 editor was refused: the host gave no parent window (ui:parent).");
        return nullptr;
    }
    InstrumentDriver& instrument = instance->instrument();
    if (!instrument.openEditor(parent))
        return nullptr;
    auto* ui = new (std::nothrow) Lv2EditorUi(*instance, write, controller, resizer);
    if (!ui)
    {
        instrument.closeEditor();
        return nullptr;
    }
    int width = 0;
    int height = 0;
    if (instrument.editorSize(width, height))
        ui->resize(width, height);
    if (widget)
    {
        const unsigned long parentId = static_cast<unsigned long>(reinterpret_cast<uintptr_t>(parent));
        const unsigned long own = platform::NewestChildWindow(parentId);
        *widget = reinterpret_cast<LV2UI_Widget>(static_cast<uintptr_t>(own ? own : parentId));
    }
    instance->attachEditor(ui);
    return ui;
}

Lv2EditorUi::~Lv2EditorUi()
{
    plugin.attachEditor(nullptr);
    plugin.instrument().closeEditor();
}

int Lv2EditorUi::idle()
{
    plugin.instrument().idleEditor();
    return plugin.instrument().editorOpen() ? 0 : 1;
}

void Lv2EditorUi::writePort(uint32_t port, float value)
{
    if (writeFunction)
        writeFunction(hostController, port, sizeof value, 0, &value);
}

bool Lv2EditorUi::resize(int width, int height)
{
    return hostResize && hostResize->ui_resize &&
           hostResize->ui_resize(hostResize->handle, width, height) == 0;
}

} // namespace host
