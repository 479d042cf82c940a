#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include <gtest/gtest.h>

#include "platform/LinuxSpawn.h"
#include "platform/Platform.h"
#include "platform/TempFolder.h"

using namespace platform;

namespace
{

// Up to a minute: a started process may take that long on a busy machine, never on a quiet one.
bool WaitFor(const std::function<bool()>& condition)
{
    for (int i = 0; i < 6000; ++i)
    {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return condition();
}

// An opener that writes the file it was given into a marker file.
std::string MakeRecordingOpener(const TempFolder& folder, const std::string& marker)
{
    const std::string opener =
        folder.Write("opener.sh", "#!/bin/sh\nprintf '%s' \"$1\" > '" + marker + ".tmp'\nmv '" + marker +
                                      ".tmp' '" + marker + "'\n");
    std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
    return opener;
}

class OpenHelpFileTest : public ::testing::Test
{
protected:
    void TearDown() override { platform::SetHelpOpener(""); }
    TempFolder folder;
};

TEST_F(OpenHelpFileTest, HandsTheFileOrItsSectionToTheOpener)
{
    const std::string help = folder.Write("Grand Piano.html", "help");
    const std::string encoded = "file://" + folder.Path().string() + "/Grand%20Piano.html";
    const std::pair<std::string, std::string> cases[] = {{"", help}, {"overview", encoded + "#overview"}};
    for (const auto& [section, expected] : cases)
    {
        const std::string marker = folder.File("opened-" + section);
        platform::SetHelpOpener(MakeRecordingOpener(folder, marker));
        platform::OpenHelpFile(help, section);
        ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(marker); }));
        EXPECT_EQ(TempFolder::Read(marker), expected);
    }
}

TEST_F(OpenHelpFileTest, AbsentFileStartsNothing)
{
    const std::string marker = folder.File("opened");
    platform::SetHelpOpener(MakeRecordingOpener(folder, marker));
    platform::OpenHelpFile(folder.File("missing.html"), "overview");
    platform::OpenHelpFile(folder.Path().string());
    platform::OpenHelpFile("");
    // Openers start in call order: once the one for a present file has written its name, an opener
    // started for any of the calls above would have shown up first.
    const std::string help = folder.Write("present.html", "help");
    platform::OpenHelpFile(help);
    ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(marker); }));
    EXPECT_EQ(TempFolder::Read(marker), help);
}

TEST(SpawnReaped, LeavesNoZombie)
{
    const int pid = platform::SpawnReaped("true", {});
    ASSERT_GT(pid, 0);
    const std::string proc = "/proc/" + std::to_string(pid);
    // A zombie keeps its /proc entry until it is reaped.
    EXPECT_TRUE(WaitFor([&] { return !std::filesystem::exists(proc); }));
}

TEST(SpawnReaped, MissingProgramFails)
{
    EXPECT_EQ(platform::SpawnReaped("virellando-no-such-program", {"x"}), -1);
}

TEST(ShowMessageBox, WithoutHandlerWritesCaptionAndTextToStandardError)
{
    platform::SetMessageBoxHandler(nullptr);
    testing::internal::CaptureStderr();
    const int result = platform::ShowMessageBox("The sound bank is missing.", "Virellando",
                                                platform::kMessageBoxIconExclamation);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Virellando: The sound bank is missing.\n");
    EXPECT_EQ(result, platform::kIdOk);
}

} // namespace
