#include <cstring>
#include <filesystem>
#include <vector>

#include <gtest/gtest.h>

#include "platform/TempFolder.h"
#include "resources/StringTable.h"
#include "resources/StringTableTesting.h"

namespace
{

class StringTableTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        resources::StringTableClearCacheForTesting();
        stringFile = folder.File("Grand.INI");
        resources::StringTableSetFile(stringFile.c_str());
    }
    void WriteStrings(const std::string& text) const { folder.Write("Grand.INI", text); }
    static std::string Lookup(const char* key, const char* file = nullptr, bool unescape = true)
    {
        char out[512];
        const size_t length = resources::StringTableLookup(key, out, sizeof out, file, unescape);
        EXPECT_EQ(length, std::strlen(out));
        return out;
    }

    TempFolder folder;
    std::string stringFile;
};

// What a key finds, file by file: letter case and blanks, indented and commented lines, sections, the
// first line winning, escapes, quotes, a UTF-8 mark, and a missing key coming back as itself.
TEST_F(StringTableTest, LookupsAnswerAsTheFileSays)
{
    const struct
    {
        const char* file;
        const char* key;
        const char* text;
    } cases[] = {
        {"[Strings]\nLid Up Tooltip   =   Raise the lid\r\n", "lid up tooltip", "Raise the lid"},
        {"[Strings]\nLid Up Tooltip   =   Raise the lid\r\n", "LID UP TOOLTIP", "Raise the lid"},
        {"  Lid Down Tooltip = Lower the lid\n", "Lid Down Tooltip", "Lid Down Tooltip"},
        {"  Lid Down Tooltip = Lower the lid\n", "  Lid Down Tooltip", "Lower the lid"},
        {"[One]\nHelp Tooltip=first\n; Help Tooltip=comment\n[Two]\nHelp Tooltip=second\n", "Help Tooltip",
         "first"},
        {";Build=commented\n[Build=header]\n\nno equals sign\nBuild=Build\n", "Build", "Build"},
        {";Build=commented\n", ";Build", ";Build"},
        {"Other=x\n", "VSTParamLid", "VSTParamLid"},
        {"Body=a\\r\\nb\\nc\\td\\\"e\\\"\n", "Body", "a\nb\nc\td\"e\""},
        {"Quoted=\"  two  spaces  \"\n", "Quoted", "  two  spaces  "},
        {"Short=\"\"\n", "Short", "\"\""},
        {"Inner=say \"hi\"\n", "Inner", "say \"hi\""},
        {"\xEF\xBB\xBF"
         "Dialog Close Tooltip=Close\n",
         "Dialog Close Tooltip", "Close"},
    };
    for (const auto& c : cases)
    {
        resources::StringTableClearCacheForTesting();
        WriteStrings(c.file);
        EXPECT_EQ(Lookup(c.key), c.text) << c.file;
    }
}

TEST_F(StringTableTest, UnescapeOffLeavesEscapesUnlessAlreadyCached)
{
    WriteStrings("RawFirst=line\\none\nCookedFirst=line\\ntwo\n");
    EXPECT_EQ(Lookup("RawFirst", nullptr, false), "line\\none");
    // The raw form was not cached, so the unescaped form is right.
    EXPECT_EQ(Lookup("RawFirst"), "line\none");
    EXPECT_EQ(Lookup("CookedFirst"), "line\ntwo");
    // Cached by the call with unescape on: the cached text answers.
    EXPECT_EQ(Lookup("CookedFirst", nullptr, false), "line\ntwo");
}

TEST_F(StringTableTest, FoundTextsAreCachedUntilTheModuleUnloads)
{
    WriteStrings("Cached Key=before\n");
    EXPECT_EQ(Lookup("Cached Key"), "before");
    WriteStrings("Cached Key=after\n");
    EXPECT_EQ(Lookup("Cached Key"), "before");
    // The cache holds the key as it was asked for; another spelling reads the file.
    EXPECT_EQ(Lookup("cached key"), "after");
}

TEST_F(StringTableTest, KeyLookedUpBeforeTheFileExistsIsFoundAfter)
{
    EXPECT_FALSE(std::filesystem::exists(stringFile));
    EXPECT_EQ(Lookup("VSS_Loading"), "VSS_Loading");
    WriteStrings("VSS_Loading=Loading...\n");
    EXPECT_EQ(Lookup("VSS_Loading"), "Loading...");
}

TEST_F(StringTableTest, GivenFileIsReadAfreshAndKeepsQuotes)
{
    WriteStrings("Shared=from the string file\n");
    const std::string other = folder.Write("Other.INI", "Shared=\"from the other file\"\n");
    EXPECT_EQ(Lookup("Shared", other.c_str()), "\"from the other file\"");
    EXPECT_EQ(Lookup("Shared"), "from the string file");
    folder.Write("Other.INI", "Shared=changed\n");
    EXPECT_EQ(Lookup("Shared", other.c_str()), "changed");
    EXPECT_EQ(Lookup("Shared", ""), "from the string file");
}

TEST_F(StringTableTest, TextIsCutToTheBufferAndItsLengthReturned)
{
    WriteStrings("ProgramName=Virellando\n");
    char out[5];
    EXPECT_EQ(resources::StringTableLookup("ProgramName", out, sizeof out), 4u);
    EXPECT_STREQ(out, "Vire");
    char one[1] = {'x'};
    EXPECT_EQ(resources::StringTableLookup("ProgramName", one, sizeof one), 0u);
    EXPECT_EQ(one[0], '\0');
    EXPECT_EQ(resources::StringTableLookup("ProgramName", nullptr, 8), 0u);
    char keyOut[4];
    EXPECT_EQ(resources::StringTableLookup("Unknown", keyOut, sizeof keyOut), 3u);
    EXPECT_STREQ(keyOut, "Unk");
}

TEST_F(StringTableTest, LinesLongerThan1024BytesAreReadWhole)
{
    // The tail of a long line must not be taken for a line of its own.
    const std::string filler(1100, 'x');
    WriteStrings("Long Text=" + filler + "Tail Key=wrong\nTail Key=right\nAfter=" + filler + "!\n");
    EXPECT_EQ(Lookup("Tail Key"), "right");
    std::vector<char> out(4096);
    resources::StringTableLookup("After", out.data(), out.size());
    EXPECT_EQ(std::string(out.data()), filler + "!");
}

TEST_F(StringTableTest, StringFileNameIsKeptWhole)
{
    const std::string longName = "/" + std::string(300, 'd') + "/Grand.INI";
    resources::StringTableSetFile(longName.c_str());
    EXPECT_EQ(resources::StringTableFile(), longName);
}

} // namespace
