// The splash screen without a display: it shows nothing, says why, and instances share it.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "editor/CSplashDialog.h"
#include "platform/TempFolder.h"
#include "resources/Log.h"

namespace
{

TEST(CSplashDialog, WithoutADisplayShowsNothingOnceForAllHoldersAndLogsWhy)
{
    const std::string notShown = "Splash screen not shown: there is no display to show it on.";
    const char* display = std::getenv("DISPLAY");
    const std::string saved = display ? display : "";
    unsetenv("DISPLAY");
    TempFolder folder;
    const std::string log = folder.File("splash-log.txt");
    resources::LogStart(log);
    // Read while the splash's thread may be writing, so no line is taken to be whole.
    const auto count = [&](const std::string& text)
    {
        const std::string content = TempFolder::Read(log);
        int n = 0;
        for (size_t at = content.find(text); at != std::string::npos; at = content.find(text, at + 1))
            ++n;
        return n;
    };
    for (int round = 1; round <= 2; ++round)
    {
        auto first = std::make_unique<editor::CSplashDialog>("no-such.SKIN", nullptr);
        auto second = std::make_unique<editor::CSplashDialog>("no-such.SKIN", nullptr);
        // The splash's own thread writes the line: wait for it, a minute at most.
        for (int wait = 0; wait < 6000 && count(notShown) < round; ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_FALSE(editor::CSplashDialog::isShowing());
    }
    resources::LogLine("end");
    // One splash per first holder: two holders each time, two times.
    EXPECT_EQ(count(notShown), 2);
    EXPECT_EQ(count("Displaying splash screen."), 0);
    if (!saved.empty())
        setenv("DISPLAY", saved.c_str(), 1);
}

} // namespace
