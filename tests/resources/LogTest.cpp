#include <filesystem>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "resources/Log.h"
#include "resources/LogReading.h"

namespace
{

class LogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        logPath = folder.File("Virellando-Log.txt");
        resources::LogStart(logPath);
    }
    std::vector<std::string> Lines() const { return LogTexts(logPath); }

    TempFolder folder;
    std::string logPath;
};

TEST_F(LogTest, LineCarriesTheTimePrefixAndEndsWithCrLf)
{
    resources::LogLine("Init completed.");
    const std::string content = TempFolder::Read(logPath);
    EXPECT_TRUE(std::regex_match(
        content, std::regex(R"(\d{2}:\d{2}:\d{2} \[[ \d]{2}\d mils\] : Init completed\.\r\n)")))
        << content;
}

TEST_F(LogTest, MillisecondsAreRightAlignedInThreeCharacters)
{
    for (int i = 0; i < 20; ++i)
        resources::LogLine("tick");
    const std::string content = TempFolder::Read(logPath);
    std::smatch match;
    ASSERT_TRUE(std::regex_search(content, match, std::regex(R"(\[([ \d]{3}) mils\])")));
    const std::string field = match[1];
    const size_t digits = field.find_first_not_of(' ');
    ASSERT_NE(digits, std::string::npos);
    EXPECT_EQ(field.find(' ', digits), std::string::npos);
    if (digits > 0)
    {
        EXPECT_NE(field[digits], '0');
    }
}

TEST_F(LogTest, FormattedLine)
{
    resources::LogFormatted("Set Parameter %i value %f", 3, 0.5);
    EXPECT_EQ(Lines(), std::vector<std::string>{"Set Parameter 3 value 0.500000"});
}

TEST_F(LogTest, FormattedTextIsCutAt2047Characters)
{
    const std::string longText(3000, 'x');
    resources::LogFormatted("%s", longText.c_str());
    resources::LogFormatted("%s", std::string(2047, 'y').c_str());
    const std::vector<std::string> lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::string(2047, 'x'));
    EXPECT_EQ(lines[1], std::string(2047, 'y'));
}

TEST_F(LogTest, RestartEmptiesTheFileWithTheNextLine)
{
    resources::LogLine("Starting up on 1/02/2026!");
    resources::LogLine("first instance");
    resources::LogStart(logPath);
    // Nothing is touched until a line is written.
    EXPECT_EQ(Lines().size(), 2u);
    resources::LogLine("Starting up on 1/03/2026!");
    EXPECT_EQ(Lines(), std::vector<std::string>{"Starting up on 1/03/2026!"});
}

TEST_F(LogTest, RestartMovesTheLogToTheNewPath)
{
    resources::LogLine("old");
    const std::string other = folder.File("other-log.txt");
    resources::LogStart(other);
    EXPECT_EQ(resources::LogCurrentPath(), other);
    resources::LogLine("new");
    EXPECT_EQ(Lines(), std::vector<std::string>{"old"});
    EXPECT_EQ(LogTexts(other), std::vector<std::string>{"new"});
}

TEST_F(LogTest, LineThatCannotBeWrittenIsDroppedAndTheNextOneTriesAgain)
{
    const std::filesystem::path later = folder.Path() / "later";
    const std::string path = (later / "Virellando-Log.txt").string();
    resources::LogStart(path);
    resources::LogLine("lost");
    EXPECT_FALSE(std::filesystem::exists(path));
    std::filesystem::create_directory(later);
    resources::LogLine("kept");
    EXPECT_EQ(LogTexts(path), std::vector<std::string>{"kept"});
}

TEST_F(LogTest, LinesFromSeveralThreadsInterleaveWhole)
{
    constexpr int kThreads = 4;
    constexpr int kLines = 300;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
    {
        threads.emplace_back(
            [t]
            {
                const std::string padding(200, static_cast<char>('a' + t));
                for (int i = 0; i < kLines; ++i)
                    resources::LogFormatted("thread %d line %d %s", t, i, padding.c_str());
            });
    }
    for (std::thread& thread : threads)
        thread.join();

    const std::vector<std::string> lines = Lines();
    ASSERT_EQ(lines.size(), static_cast<size_t>(kThreads * kLines));
    std::vector<int> next(kThreads, 0);
    for (const std::string& line : lines)
    {
        int thread = -1;
        int index = -1;
        ASSERT_EQ(std::sscanf(line.c_str(), "thread %d line %d", &thread, &index), 2) << line;
        ASSERT_GE(thread, 0);
        ASSERT_LT(thread, kThreads);
        EXPECT_EQ(index, next[thread]++);
        EXPECT_EQ(line, "thread " + std::to_string(thread) + " line " + std::to_string(index) + " " +
                            std::string(200, static_cast<char>('a' + thread)));
    }
}

TEST_F(LogTest, StartingUpLineGivesMonthDayYear)
{
    const auto dateLine = []
    {
        const platform::LocalTime now = platform::GetLocalTime();
        char text[64];
        std::snprintf(text, sizeof text, "Starting up on %d/%02d/%4d!", now.month, now.day, now.year);
        return std::string(text);
    };
    // Dates taken on both sides of the write, so that midnight falling in between changes nothing.
    const std::string before = dateLine();
    resources::LogStartingUp();
    const std::string after = dateLine();
    const std::vector<std::string> lines = Lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0] == before || lines[0] == after) << lines[0];
}

TEST_F(LogTest, SystemInformationComesInOrder)
{
    resources::LogSystemInformation();
    const std::vector<std::string> lines = Lines();
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[0], platform::OsDescription());
    EXPECT_EQ(lines[1].rfind("Mem in use percentage = ", 0), 0u);
    EXPECT_EQ(lines[2].rfind("Free physical : ", 0), 0u);
    EXPECT_EQ(lines[3].rfind("Free paging file : ", 0), 0u);
    EXPECT_EQ(lines[4].rfind("Free virtual : ", 0), 0u);
    size_t at = 5;
    while (at < lines.size() && lines[at].find(" MB free.") != std::string::npos)
        ++at;
    if (at < lines.size())
    {
        EXPECT_EQ(lines[at].rfind("CPU Speed: ", 0), 0u);
        EXPECT_EQ(at + 1, lines.size());
    }
}

} // namespace
