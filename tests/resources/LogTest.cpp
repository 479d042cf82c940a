#include <filesystem>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/TempFolder.h"
#include "resources/Log.h"

namespace
{

// The text after a line's time prefix, "hh:mm:ss [mmm mils] : ", whose milliseconds are right-aligned in
// three characters without leading zeros; false for a line of any other shape.
bool LineText(const std::string& line, std::string& text)
{
    // d: a digit; n: a digit or a space.
    const std::string shape = "dd:dd:dd [nnn mils] : ";
    if (line.size() < shape.size())
        return false;
    for (size_t i = 0; i < shape.size(); ++i)
    {
        const bool digit = line[i] >= '0' && line[i] <= '9';
        if (shape[i] == 'd' ? !digit : shape[i] == 'n' ? !digit && line[i] != ' ' : line[i] != shape[i])
            return false;
    }
    const std::string millis = line.substr(shape.find('n'), 3);
    const size_t first = millis.find_first_not_of(' ');
    if (first == std::string::npos || millis.find(' ', first) != std::string::npos ||
        (millis[first] == '0' && first < 2))
        return false;
    text = line.substr(shape.size());
    return text.find_first_of("\r\n") == std::string::npos;
}

// A log file's lines' texts, checking on the way each line's time prefix and "\r\n" ending.
std::vector<std::string> LogTexts(const std::string& file)
{
    const std::string content = TempFolder::Read(file);
    std::vector<std::string> texts;
    size_t start = 0;
    while (start < content.size())
    {
        const size_t end = content.find("\r\n", start);
        if (end == std::string::npos)
        {
            ADD_FAILURE() << "line without \\r\\n: " << content.substr(start);
            break;
        }
        const std::string line = content.substr(start, end - start);
        std::string text;
        if (LineText(line, text))
            texts.push_back(text);
        else
            ADD_FAILURE() << "malformed log line: " << line;
        start = end + 2;
    }
    return texts;
}

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

TEST_F(LogTest, FormattedTextIsCutAt2047Characters)
{
    resources::LogFormatted("Set Parameter %i value %f", 3, 0.5);
    resources::LogFormatted("%s", std::string(3000, 'x').c_str());
    resources::LogFormatted("%s", std::string(2047, 'y').c_str());
    EXPECT_EQ(Lines(), (std::vector<std::string>{"Set Parameter 3 value 0.500000", std::string(2047, 'x'),
                                                 std::string(2047, 'y')}));
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

TEST_F(LogTest, LogThatCannotBeCreatedDropsItsLinesUntilItIsStartedAgain)
{
    const std::filesystem::path later = folder.Path() / "later";
    const std::string path = (later / "Virellando-Log.txt").string();
    resources::LogStart(path);
    resources::LogLine("lost");
    std::filesystem::create_directory(later);
    resources::LogLine("also lost");
    EXPECT_FALSE(std::filesystem::exists(path));
    resources::LogStart(path);
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
    // Each thread's lines whole and in its own order.
    std::vector<int> next(kThreads, 0);
    for (const std::string& line : lines)
    {
        const int thread = line.back() - 'a';
        ASSERT_TRUE(thread >= 0 && thread < kThreads) << line;
        EXPECT_EQ(line, "thread " + std::to_string(thread) + " line " + std::to_string(next[thread]++) + " " +
                            std::string(200, static_cast<char>('a' + thread)));
    }
}

} // namespace
