#include "support/PluginFolder.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <fstream>
#include <random>
#include <stdexcept>
#include <thread>

using namespace plughost;

namespace fs = std::filesystem;

PluginFolder::PluginFolder() : PluginFolder(fs::path(VIRELLANDO_PLUGIN_PATH)) {}

PluginFolder::PluginFolder(const fs::path& module)
{
    std::random_device random;
    folder = fs::temp_directory_path() /
             ("virellando-test-" + std::to_string(random()) + "-" + std::to_string(random()));
    plugin = folder / module.filename();
    fs::create_directories(folder);
    fs::copy_file(module, plugin);
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

void PluginFolder::copyInAs(const fs::path& source, const std::string& fileName)
{
    fs::copy_file(source, folder / fileName, fs::copy_options::overwrite_existing);
}

void PluginFolder::addStringTable()
{
    copyIn(VIRELLANDO_STRING_TABLE_PATH, "INI");
}

void PluginFolder::addBank(const std::vector<uint8_t>& bank)
{
    addStringTable();
    std::ofstream(besidePlugin("DAT"), std::ios::binary)
        .write(reinterpret_cast<const char*>(bank.data()), static_cast<std::streamsize>(bank.size()));
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

bool PluginFolder::logHas(const std::string& text) const
{
    const auto lines = logLines();
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& line) { return line.find(text) != std::string::npos; });
}

bool WaitUntil(const std::function<bool()>& done)
{
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (!done())
    {
        if (std::chrono::steady_clock::now() > giveUp)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

bool WaitForSampleData(PluginInstance& instance)
{
    return WaitUntil([&instance] { return instance.dispatch(host::effVendorSpecific, 1004) == 1; });
}

std::vector<float> Render(PluginInstance& instance, int frames,
                          const std::function<int(int block)>& blockSize, const std::vector<SongEvent>& song)
{
    // What the instance leaves unwritten shows as NaN.
    std::vector<float> left(static_cast<size_t>(frames), NAN), right(static_cast<size_t>(frames), NAN);
    auto next = song.begin();
    for (int position = 0, block = 0; position < frames; ++block)
    {
        const int n = std::min(blockSize(block), frames - position);
        std::vector<PluginInstance::Midi> events;
        for (; next != song.end() && next->frame < position + n; ++next)
            events.push_back({next->frame - position, next->status, next->data1, next->data2});
        instance.sendMidi(events);
        instance.processReplacing(left.data() + position, right.data() + position, n);
        position += n;
    }
    left.insert(left.end(), right.begin(), right.end());
    return left;
}

std::vector<float> Render(PluginInstance& instance, int frames, int blockSize,
                          const std::vector<SongEvent>& song)
{
    return Render(
        instance, frames, [blockSize](int) { return blockSize; }, song);
}

void ChangeRate(PluginInstance& instance, float rate)
{
    instance.dispatch(host::effMainsChanged, 0, 0);
    instance.setSampleRate(rate);
    instance.dispatch(host::effMainsChanged, 0, 1);
}

float Peak(const std::vector<float>& audio, size_t from, size_t to)
{
    float largest = 0.0f;
    for (size_t i = from; i < std::min(to, audio.size()); ++i)
        largest = std::isnan(audio[i]) ? INFINITY : std::max(largest, std::fabs(audio[i]));
    return largest;
}
