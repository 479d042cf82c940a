// The editor through the built plug-in, as a host without a display sees it.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "instrument/PianoTestBanks.h"
#include "support/PluginFolder.h"

using namespace host;

namespace
{

// No display here, whatever the machine running the tests has.
class PluginEditorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const char* display = std::getenv("DISPLAY");
        savedDisplay = display ? display : "";
        unsetenv("DISPLAY");
    }
    void TearDown() override
    {
        if (!savedDisplay.empty())
            setenv("DISPLAY", savedDisplay.c_str(), 1);
    }
    static size_t Find(const std::vector<std::string>& lines, const std::string& text)
    {
        const auto it = std::find_if(lines.begin(), lines.end(),
                                     [&](const std::string& l) { return l.find(text) != std::string::npos; });
        return static_cast<size_t>(it - lines.begin());
    }
    std::string savedDisplay;
};

TEST_F(PluginEditorTest, HasAnEditorOfFixedSizeCreatedAtStartUp)
{
    PluginFolder folder;
    folder.addStringTable();
    auto instance = folder.instantiate();
    ASSERT_NE(instance, nullptr);
    EXPECT_NE(instance->effect()->flags & host::effFlagsHasEditor, 0);
    host::ERect* rect = nullptr;
    EXPECT_EQ(instance->dispatch(host::effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->bottom - rect->top, 576);
    EXPECT_EQ(rect->right - rect->left, 800);
    const auto lines = folder.logLines();
    const size_t params = Find(lines, "Setting VST params.");
    const size_t created = Find(lines, "Creating editor window.");
    ASSERT_LT(created, lines.size());
    EXPECT_LT(params, created);
    EXPECT_LT(created, Find(lines, "Init completed."));
}

TEST_F(PluginEditorTest, WithoutADisplayOpenIdleAndCloseShowNothingAndKeepAnswering)
{
    PluginFolder folder;
    folder.addStringTable();
    auto instance = folder.instantiate();
    ASSERT_NE(instance, nullptr);
    // The host's window id does not matter: there is no display to create anything on.
    EXPECT_EQ(instance->dispatch(host::effEditOpen, 0, 0, reinterpret_cast<void*>(0x1234)), 1);
    for (int i = 0; i < 3; ++i)
        instance->dispatch(host::effEditIdle);
    instance->dispatch(host::effEditClose);
    // Opened again and left open when the host ends the instance, as some hosts do on quit.
    EXPECT_EQ(instance->dispatch(host::effEditOpen, 0, 0, reinterpret_cast<void*>(0x1234)), 1);
    instance->close();
    const auto lines = folder.logLines();
    EXPECT_LT(Find(lines, "Opening editor.."), lines.size());
    EXPECT_LT(Find(lines, "TWGuiWindow::Initialize failed!"), lines.size());
    EXPECT_LT(Find(lines, "Setting callback."), lines.size());
}

TEST_F(PluginEditorTest, AMissingSoundBankIsLoggedWhenThereIsNoDisplay)
{
    PluginFolder folder;
    folder.addStringTable();
    auto instance = folder.instantiate();
    ASSERT_NE(instance, nullptr);
    // No sound bank and no display: the message goes to the log, and start-up goes on.
    const auto lines = folder.logLines();
    const size_t message = Find(lines, "The piano sound bank could not be loaded.");
    ASSERT_LT(message, lines.size());
    EXPECT_LT(message, Find(lines, "Init completed."));
}

TEST_F(PluginEditorTest, WithoutADisplayTheSplashShowsNothingAndSaysWhy)
{
    PluginFolder folder;
    folder.addStringTable();
    const std::vector<uint8_t> bank = instrumenttest::TunedBank();
    folder.writeFile("DAT", std::string(bank.begin(), bank.end()));
    auto instance = folder.instantiate();
    ASSERT_NE(instance, nullptr);
    // The splash runs on a thread of its own: wait for its word while the instance lives.
    size_t at = 0;
    for (int wait = 0; wait < 3000; ++wait)
    {
        const auto lines = folder.logLines();
        at = Find(lines, "Splash screen not shown: there is no display to show it on.");
        if (at < lines.size())
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    const auto lines = folder.logLines();
    ASSERT_LT(at, lines.size());
    EXPECT_EQ(Find(lines, "Displaying splash screen."), lines.size());
    EXPECT_LT(Find(lines, "Data File Exists, loading now."), lines.size());
}

} // namespace
