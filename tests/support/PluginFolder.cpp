#include "support/PluginFolder.h"

#include <chrono>
#include <fstream>
#include <random>
#include <stdexcept>
#include <thread>

using namespace plughost;

namespace fs = std::filesystem;

PluginFolder::PluginFolder()
{
    std::random_device random;
    folder = fs::temp_directory_path() /
             ("virellando-test-" + std::to_string(random()) + "-" + std::to_string(random()));
    plugin = folder / VIRELLANDO_PLUGIN_NAME;
    fs::create_directories(folder);
    fs::copy_file(VIRELLANDO_PLUGIN_PATH, plugin);
}

PluginFolder::~PluginFolder()
{
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

fs::path PluginFolder::besidePlugin(const std::string& extension) const
{
    return fs::path(plugin).replace_extension(extension);
}

void PluginFolder::copyIn(const fs::path& source, const std::string& extension)
{
    fs::copy_file(source, besidePlugin(extension), fs::copy_options::overwrite_existing);
}

void PluginFolder::writeFile(const std::string& extension, const std::string& contents)
{
    std::ofstream out(besidePlugin(extension), std::ios::binary);
    out << contents;
}

void PluginFolder::addStringTable()
{
    copyIn(VIRELLANDO_STRING_TABLE_PATH, "INI");
}

std::unique_ptr<PluginInstance> PluginFolder::instantiate(const HostAnswers& answers)
{
    if (!loaded)
    {
        if (!pluginHost.load(plugin.string()))
            throw std::runtime_error("cannot load the plug-in: " + pluginHost.error());
        loaded = true;
    }
    return pluginHost.instantiate(answers);
}

std::vector<std::string> PluginFolder::logLines() const
{
    std::ifstream in(folder / "Virellando-Log.txt", std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line))
    {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

bool WaitForSampleData(PluginInstance& instance)
{
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (instance.dispatch(host::effVendorSpecific, 1004) != 1)
    {
        if (std::chrono::steady_clock::now() > giveUp)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}
