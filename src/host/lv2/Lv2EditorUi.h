// The LV2 plug-in's X11 UI: the instrument's own editor, opened inside the window the host gives (ui:parent)
// on the plug-in instance the host hands over (instance access). The host's idle calls drive it
// (ui:idleInterface); it asks the host for its size (ui:resize) and tells it of parameters the editor
// changes as writes to their control ports. The host's user-interface thread.
#pragma once

#include <lv2/ui/ui.h>

#include "host/lv2/Lv2EditorLink.h"
#include "host/lv2/Lv2Plugin.h"

namespace host
{

class Lv2EditorUi : public Lv2EditorLink
{
public:
    // Null, with a log line, when the host gives no parent window or no plug-in instance, or the editor
    // does not open.
    static Lv2EditorUi* create(LV2UI_Write_Function write, LV2UI_Controller controller, LV2UI_Widget* widget,
                               const LV2_Feature* const* features);
    ~Lv2EditorUi() override; // closes the editor
    Lv2EditorUi(const Lv2EditorUi&) = delete;
    Lv2EditorUi& operator=(const Lv2EditorUi&) = delete;

    // The editor's events and refresh; 0 while it is open.
    int idle();

    void writePort(uint32_t port, float value) override;
    bool resize(int width, int height) override;

private:
    Lv2EditorUi(Lv2Plugin& instance, LV2UI_Write_Function write, LV2UI_Controller controller,
                const LV2UI_Resize* resizer);

    Lv2Plugin& plugin;
    LV2UI_Write_Function writeFunction;
    LV2UI_Controller hostController;
    const LV2UI_Resize* hostResize;
};

} // namespace host
