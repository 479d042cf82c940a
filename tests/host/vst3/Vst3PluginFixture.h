// The built VST3 module in a temporary plug-in folder with the string table and three programs beside it,
// loaded through the test host, with one instance.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "formathost/Vst3Host.h"
#include "support/PluginFolder.h"

namespace vst3test
{

// The programs beside the module: a name and the eleven host values each.
struct TestProgram
{
    std::string name;
    std::vector<float> values;
};
extern const std::vector<TestProgram> kTestPrograms;

class Vst3PluginFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    // A further instance of the same module.
    std::unique_ptr<formathost::Vst3Instance> another();

    PluginFolder folder{VIRELLANDO_VST3_MODULE};
    formathost::Vst3Host vst3;
    std::unique_ptr<formathost::Vst3Instance> plugin;
};

} // namespace vst3test
