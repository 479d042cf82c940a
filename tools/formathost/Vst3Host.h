// A small VST3 host for the tests and benchmarks: loads a VST3 module, calls its module entry, and makes
// instances of its first class through its factory.
#pragma once

#include <memory>
#include <string>

#include "formathost/Vst3Instance.h"
#include "host/vst3/Vst3Interface.h"

namespace formathost
{

class Vst3Host
{
public:
    // Loads the module and asks it for its factory; false with the reason in error().
    bool load(const std::string& modulePath);
    // Takes the factory of a plug-in linked into this program.
    void take(host::IPluginFactory* factory) { pluginFactory = factory; }
    const std::string& error() const { return lastError; }
    host::IPluginFactory* factory() const { return pluginFactory; }

    // An initialized instance of the module's first class; null when the factory gives none.
    std::unique_ptr<Vst3Instance> instantiate();

private:
    void* library = nullptr;
    host::IPluginFactory* pluginFactory = nullptr;
    std::string lastError;
};

} // namespace formathost
