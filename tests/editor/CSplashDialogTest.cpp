// The splash screen without a display: it shows nothing, says why, and instances share it.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "editor/CSplashDialog.h"
#include "resources/Log.h"

namespace
{

constexpr const char* kNotShown = "Splash screen not shown: there is no display to show it on.";

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

size_t Count(const std::string& text, const std::string& what)
{
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

TEST(CSplashDialog, WithoutADisplayShowsNothingOnceForAllHoldersAndLogsWhy)
{
    const char* display = std::getenv("DISPLAY");
    const std::string saved = display ? display : "";
    unsetenv("DISPLAY");
    const std::string log = ::testing::TempDir() + "splash-log.txt";
    std::remove(log.c_str());
    resources::LogStart(log);
    for (int round = 0; round < 2; ++round)
    {
        auto first = std::make_unique<editor::CSplashDialog>("no-such.SKIN", nullptr);
        auto second = std::make_unique<editor::CSplashDialog>("no-such.SKIN", nullptr);
        const size_t expected = static_cast<size_t>(round) + 1;
        for (int wait = 0; wait < 6000 && Count(ReadFile(log), kNotShown) < expected; ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_FALSE(editor::CSplashDialog::isShowing());
        first.reset();
        second.reset();
    }
    resources::LogLine("end");
    const std::string text = ReadFile(log);
    // One splash per first read: two holders each time, two times.
    EXPECT_EQ(Count(text, kNotShown), 2u) << text;
    EXPECT_EQ(Count(text, "Displaying splash screen."), 0u);
    if (!saved.empty())
        setenv("DISPLAY", saved.c_str(), 1);
}

} // namespace
