#include "host/vst3/Vst3PluginFixture.h"

#include <cstdio>
#include <cstring>

#include "instrument/programs/PresetsFile.h"

namespace vst3test
{

const std::vector<TestProgram> kTestPrograms = {
    {"Plain", std::vector<float>(11, 0.5f)},
    {"Bright", {0.9f, 0.4f, 0.5f, 0.6f, 0.45f, 0.7f, 0.8f, 0.2f, 0.3f, 0.6f, 0.4f}},
    {"Closed", {0.1f, 0.6f, 0.1f, 0.1f, 0.3f, 0.1f, 0.0f, 0.0f, 0.5f, 0.5f, 0.5f}}};

void Vst3PluginFixture::SetUp()
{
    folder.addStringTable();
    std::vector<instrument::StoredProgram> stored(kTestPrograms.size());
    for (size_t i = 0; i < kTestPrograms.size(); ++i)
    {
        std::snprintf(stored[i].name, sizeof stored[i].name, "%s", kTestPrograms[i].name.c_str());
        std::memcpy(stored[i].values, kTestPrograms[i].values.data(), sizeof stored[i].values);
    }
    ASSERT_TRUE(instrument::PresetsFile::write(folder.besidePlugin("presets").string().c_str(), stored));
    ASSERT_TRUE(vst3.load(folder.pluginPath().string())) << vst3.error();
    plugin = vst3.instantiate();
    ASSERT_TRUE(plugin);
}

std::unique_ptr<formathost::Vst3Instance> Vst3PluginFixture::another()
{
    return vst3.instantiate();
}

} // namespace vst3test
