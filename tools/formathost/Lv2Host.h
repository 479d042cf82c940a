// A small LV2 host for the tests and benchmarks: loads an LV2 plug-in's module (without its Turtle files),
// finds its plug-in and UI descriptors, and makes instances that run blocks with MIDI as a host does.
#pragma once

#include <lv2/core/lv2.h>
#include <lv2/ui/ui.h>

#include <memory>
#include <string>

#include "formathost/Lv2Instance.h"
#include "formathost/Lv2UridMap.h"

namespace formathost
{

class Lv2Host
{
public:
    // Loads the module and finds its first plug-in; false with the reason in error().
    bool load(const std::string& modulePath);
    // Takes descriptors of a plug-in linked into this program.
    void take(const LV2_Descriptor* pluginDescriptor, const LV2UI_Descriptor* uiDescriptor);
    const std::string& error() const { return lastError; }
    const LV2_Descriptor* descriptor() const { return plugin; }
    // Null when the module has no UI.
    const LV2UI_Descriptor* uiDescriptor() const { return ui; }
    Lv2UridMap& uris() { return uridMap; }

    // An instance at the rate, told blocks of at most maxBlock frames (0: told nothing); null when the
    // plug-in gives none.
    std::unique_ptr<Lv2Instance> instantiate(double rate, int maxBlock);

private:
    void* library = nullptr;
    const LV2_Descriptor* plugin = nullptr;
    const LV2UI_Descriptor* ui = nullptr;
    Lv2UridMap uridMap;
    std::string lastError;
};

} // namespace formathost
