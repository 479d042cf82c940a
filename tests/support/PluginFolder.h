// A temporary plug-in folder: a copy of the built plug-in with chosen files beside it, loaded through
// the test host as a host would load it; and what tests do with the instances it makes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "plughost/PluginHost.h"

class PluginFolder
{
public:
    // The plug-in keeps its built name ("Virellando.so", or "Virellando.dll" on Windows).
    PluginFolder();
    // Another module of the plug-in (the LV2 or VST3 one), under its own name.
    explicit PluginFolder(const std::filesystem::path& module);
    ~PluginFolder();

    const std::filesystem::path& path() const { return folder; }
    const std::filesystem::path& pluginPath() const { return plugin; }
    // The plug-in's file name with its extension replaced ("INI", "DAT", ...).
    std::filesystem::path besidePlugin(const std::string& extension) const;

    void copyIn(const std::filesystem::path& source, const std::string& extension);
    // Copies a file beside the plug-in under a name of its own.
    void copyInAs(const std::filesystem::path& source, const std::string& fileName);
    // Copies the shipped string table beside the plug-in.
    void addStringTable();
    // The string table and a sound bank beside the plug-in, as the product is installed.
    void addBank(const std::vector<uint8_t>& bank);

    // Loads the plug-in (once) and creates an instance.
    std::unique_ptr<plughost::PluginInstance>
    instantiate(const plughost::HostAnswers& answers = plughost::HostAnswers());

    void* libraryHandle() const { return pluginHost.libraryHandle(); }

    std::vector<std::string> logLines() const;
    // Whether a line of the log holds text.
    bool logHas(const std::string& text) const;

private:
    std::filesystem::path folder;
    std::filesystem::path plugin;
    plughost::PluginHost pluginHost;
    bool loaded = false;
};

// Asks `done` every 5 ms until it answers true, however busy the machine: false only after a minute.
bool WaitUntil(const std::function<bool()>& done);
// Waits until the plug-in reports its sample data read (vendor request 1004).
bool WaitForSampleData(plughost::PluginInstance& instance);

// A MIDI message at a frame of a song.
struct SongEvent
{
    int frame;
    uint8_t status, data1, data2;
};

// Renders frames in blocks whose sizes blockSize gives, each with the song's events that fall in it; the
// left channel, then the right.
std::vector<float> Render(plughost::PluginInstance& instance, int frames,
                          const std::function<int(int block)>& blockSize,
                          const std::vector<SongEvent>& song = {});
std::vector<float> Render(plughost::PluginInstance& instance, int frames, int blockSize,
                          const std::vector<SongEvent>& song = {});

// Switches the instance off, sets the rate and switches it on again, as hosts change the rate.
void ChangeRate(plughost::PluginInstance& instance, float rate);

// The largest magnitude in audio[from, to); infinite where a sample is not a number.
float Peak(const std::vector<float>& audio, size_t from = 0, size_t to = SIZE_MAX);
