// The Windows plug-in without a usable synthesizer library beside it: the library missing, too old, short
// of functions or built for the other processor. Each time the instance still loads and answers the host,
// logs what it looked for, where and why it refused it, shows the message that says what to install, and
// plays silence.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/PluginFolder.h"

using namespace host;
using namespace plughost;

namespace
{

struct RuntimeCase
{
    const char* what;
    std::string library; // copied beside the plug-in as libfluidsynth-3.dll; empty: none
    std::vector<std::string> logged;
};

void ExpectRefusedAndSilent(const RuntimeCase& c)
{
    SCOPED_TRACE(c.what);
    PluginFolder folder;
    folder.addStringTable();
    if (!c.library.empty())
        folder.copyInAs(c.library, "libfluidsynth-3.dll");
    auto plugin = folder.instantiate();
    ASSERT_TRUE(plugin);
    for (const std::string& text : c.logged)
        EXPECT_TRUE(folder.logHas(text)) << text;
    EXPECT_TRUE(folder.logHas("Virellando: Virellando plays through FluidSynth, which it could not load"));
    EXPECT_TRUE(folder.logHas("copy libfluidsynth-3.dll and the other DLLs of its bin folder beside "
                              "Virellando.dll"));
    EXPECT_FALSE(folder.logHas("The piano sound bank could not be loaded"));

    char name[64] = {};
    EXPECT_EQ(plugin->dispatch(effGetEffectName, 0, 0, name), 1);
    EXPECT_STREQ(name, "Virellando");
    EXPECT_EQ(plugin->effect()->numParams, 11);
    ERect* rect = nullptr;
    EXPECT_EQ(plugin->dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->right - rect->left, 800);
    EXPECT_EQ(rect->bottom - rect->top, 576);

    plugin->dispatch(effOpen);
    plugin->setBlockSize(512);
    plugin->dispatch(effMainsChanged, 0, 1);
    plugin->sendMidi({{0, 0x90, 60, 100}});
    EXPECT_EQ(Peak(Render(*plugin, 2048, 512)), 0.0f);
    plugin->dispatch(effMainsChanged, 0, 0);
    EXPECT_EQ(plugin->close(), 1);
}

TEST(FluidSynthRuntime, WithoutTheLibraryBesideThePlugIn)
{
    ExpectRefusedAndSilent({"missing",
                            "",
                            {"FluidSynth is missing: looked for libfluidsynth-3.dll in ",
                             ": not there; then on the system's search path: error 126"}});
}

TEST(FluidSynthRuntime, AnOlderReleaseIsRefused)
{
    ExpectRefusedAndSilent(
        {"older",
         VIRELLANDO_STUB_OLD_PATH,
         {"libfluidsynth-3.dll refused: it is FluidSynth 2.1.9, older than 2.2.0, the oldest "
          "release with every function the plug-in calls"}});
}

TEST(FluidSynthRuntime, ALibraryWithoutEveryFunctionIsRefusedWithTheMissingOnesNamed)
{
    ExpectRefusedAndSilent({"partial",
                            VIRELLANDO_STUB_PARTIAL_PATH,
                            {"libfluidsynth-3.dll refused: it is FluidSynth 2.3.1 but lacks fluid_log, "
                             "fluid_set_log_function, fluid_default_log_function, fluid_settings_setint, ",
                             ", fluid_mod_test_identity"}});
    // A refused library is let go: another copy of the plug-in without one beside it does not find it loaded.
    ExpectRefusedAndSilent(
        {"after a refusal", "", {"FluidSynth is missing: looked for libfluidsynth-3.dll in "}});
}

#ifdef VIRELLANDO_STUB_OTHER_PROCESSOR_PATH
TEST(FluidSynthRuntime, ALibraryForTheOtherProcessorIsRefused)
{
    ExpectRefusedAndSilent({"other processor",
                            VIRELLANDO_STUB_OTHER_PROCESSOR_PATH,
                            {"FluidSynth is missing: looked for libfluidsynth-3.dll in ",
                             ": it is built for another processor: a 32-bit host needs the 32-bit library, a "
                             "64-bit host the 64-bit one (error 193"}});
}
#endif

} // namespace
