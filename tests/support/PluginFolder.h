// A temporary plug-in folder: a copy of the built plug-in with chosen files beside it, loaded through
// the test host as a host would load it.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "plughost/PluginHost.h"

class PluginFolder
{
public:
    // The plug-in keeps its built name ("Virellando.so", or "Virellando.dll" on Windows).
    PluginFolder();
    ~PluginFolder();

    const std::filesystem::path& path() const { return folder; }
    const std::filesystem::path& pluginPath() const { return plugin; }
    // The plug-in's file name with its extension replaced ("INI", "DAT", ...).
    std::filesystem::path besidePlugin(const std::string& extension) const;

    void copyIn(const std::filesystem::path& source, const std::string& extension);
    void writeFile(const std::string& extension, const std::string& contents);
    // Copies the shipped string table beside the plug-in.
    void addStringTable();

    // Loads the plug-in (once) and creates an instance.
    std::unique_ptr<plughost::PluginInstance>
    instantiate(const plughost::HostAnswers& answers = plughost::HostAnswers());

    std::vector<std::string> logLines() const;

private:
    std::filesystem::path folder;
    std::filesystem::path plugin;
    plughost::PluginHost pluginHost;
    bool loaded = false;
};

// Waits until the plug-in reports its sample data read (vendor request 1004), however busy the machine:
// false only after a minute.
bool WaitForSampleData(plughost::PluginInstance& instance);
