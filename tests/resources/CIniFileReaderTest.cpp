#include <gtest/gtest.h>

#include "platform/TempFolder.h"
#include "resources/CIniFileReader.h"

using namespace resources;

namespace
{

class IniReader : public ::testing::Test
{
protected:
    // Loads text as the whole file.
    bool Load(const std::string& bytes, bool sort = false)
    {
        return reader.Load(folder.Write("test.SKIN", bytes).c_str(), sort);
    }
    // The value of key in section, default "<none>".
    std::string Value(const char* section, const char* key)
    {
        char out[256];
        reader.GetValue(section, key, "<none>", out, sizeof out);
        return out;
    }
    bool Found(const char* section, const char* key)
    {
        char out[256];
        return reader.GetValue(section, key, "", out, sizeof out);
    }

    TempFolder folder;
    CIniFileReader reader;
};

std::string Utf16(const std::string& ascii, bool mark)
{
    std::string wide = mark ? std::string("\xFF\xFE", 2) : std::string();
    for (char c : ascii)
    {
        wide += c;
        wide += '\0';
    }
    return wide;
}

const char kSkin[] = "; skin for the tests\r\n"
                     "[Lid Up Button]\r\n"
                     "image fn = lid-up.png\r\n"
                     "use=\r\n"
                     "[Control Panel]\n"
                     "  solid color.r=12\n"
                     "solid color.g = 34   \n"
                     "Notes=\"  spaced  \"\n";

// What a lookup answers, file by file: letter case, blanks, quotes, comments, unnamed and empty sections,
// long section names, repeated headers. "<none>" is the default handed in.
TEST_F(IniReader, LookupsAnswerAsTheFileSays)
{
    const std::string name70 = std::string(63, 'S') + "1234567";
    const struct
    {
        std::string file;
        const char* section;
        const char* key;
        const char* value;
    } cases[] = {
        {kSkin, "lid up button", "IMAGE FN", "lid-up.png"},
        {kSkin, "CONTROL PANEL", "Solid Color.R", "12"},
        {kSkin, "Control Panel", "solid color.g", "34"},
        {kSkin, "Control Panel", "notes", "  spaced  "},
        {kSkin, "Lid Up Button", "use", "<none>"},
        {kSkin, "Lid Up Button", "tiled fn", "<none>"},
        {kSkin, "Keys", "image fn", "<none>"},
        {"[s]\na = \"  two  words \"  \n", "s", "a", "  two  words "},
        {"[s]\nb=\"say \"hi\"\"\n", "s", "b", "say \"hi\""},
        {"[s]\nc=\"open\n", "s", "c", "\"open"},
        {"[s]\nd=\"\"\n", "s", "d", "<none>"},
        {"[s]\ne=\"\n", "s", "e", "\""},
        {"[s]\n\tsolid\tcolor.b \t= 7\n", "s", "solid color.b", "7"},
        {"[s]\nno equals here\n=orphan value\n", "s", "no equals here", "<none>"},
        {"[s]\nno equals here\n=orphan value\n", "s", "", "<none>"},
        {"[s] trailing = junk\n", "s", "trailing", "<none>"},
        {"[s]\n; a = 1\n   ;b = 2\nc=0\n", "s", "a", "<none>"},
        {"[s]\n; a = 1\n   ;b = 2\nc=0\n", "s", "b", "<none>"},
        {"[s]\nc = 3 ; not a comment\n", "s", "c", "3 ; not a comment"},
        {"top = 1\n[s]\ninner = 2\n", nullptr, "top", "1"},
        {"[s]\ninner = 2\n[]\nbottom = 3\n", "", "bottom", "3"},
        {"[s]\ninner = 2\n[]\nbottom = 3\n", "s", "bottom", "<none>"},
        {"[s]\ninner = 2\n[]\nbottom = 3\n", "", "inner", "<none>"},
        {"[" + name70 + "]\nkey = value\n", name70.c_str(), "key", "value"},
        {"[" + name70 + "]\nkey = value\n",
         "sssssssssssssssssssssssssssssssssssssssssssssssssssssssssssssssxyz", "key", "value"},
        {"[" + name70 + "]\nkey = value\n", "ssssssssssssssssssssssssssssssssssssssssssssssssssssssssssssss",
         "key", "<none>"},
        {"[a]\nx=1\n[b]\ny=2\n[A]\nz=3\nx=ignored\n", "a", "x", "1"},
        {"[a]\nx=1\n[b]\ny=2\n[A]\nz=3\nx=ignored\n", "a", "z", "3"},
        {"\xEF\xBB\xBF[first]\nk=v\n", "first", "k", "v"},
    };
    for (const auto& c : cases)
    {
        ASSERT_TRUE(Load(c.file)) << c.file;
        EXPECT_EQ(Value(c.section, c.key), c.value)
            << c.file << " [" << (c.section ? c.section : "(null)") << "] " << c.key;
    }
}

TEST_F(IniReader, SectionsWithoutKeysAreRemoved)
{
    ASSERT_TRUE(Load("; only\n[empty]\n[full]\nk=v\n[alsoempty]\n; c\n"));
    EXPECT_EQ(reader.SectionCount(), 1u);
    EXPECT_FALSE(Found("empty", "k"));
    EXPECT_TRUE(Found("full", "k"));
    EXPECT_TRUE(Found("full", "missing")) << "a known section answers true with the default";
}

TEST_F(IniReader, Utf16WithByteOrderMarkReadsLikeItsNarrowForm)
{
    ASSERT_TRUE(Load(Utf16(kSkin, true)));
    EXPECT_EQ(Value("Lid Up Button", "image fn"), "lid-up.png");
    EXPECT_EQ(Value("control panel", "notes"), "  spaced  ");
    EXPECT_EQ(reader.SectionCount(), 2u);
    // Without the mark, the zero bytes tell.
    ASSERT_TRUE(Load(Utf16(kSkin, false)));
    EXPECT_EQ(Value("Control Panel", "solid color.g"), "34");
}

TEST_F(IniReader, Utf16KeepsLowBytesAndStopsAtTwoZeroUnits)
{
    std::string wide = Utf16("[s]\nname=caf", true);
    wide += std::string("\xE9\x00", 2); // U+00E9
    wide += std::string("\x2D\x4E", 2); // U+4E2D: high byte dropped
    wide += std::string("\x00\x01", 2); // U+0100: no zero byte in the text
    wide += Utf16("!\nafter=1\n", false);
    wide += std::string("\0\0\0\0", 4) + Utf16("ignored=2\n", false);
    ASSERT_TRUE(Load(wide));
    EXPECT_EQ(Value("s", "name"), "caf\xE9-?!");
    EXPECT_EQ(Value("s", "after"), "1");
    EXPECT_EQ(Value("s", "ignored"), "<none>");
}

// Sorted for binary search, the names still compare without regard to letter case, whatever order the
// lookups come in.
TEST_F(IniReader, SortedLookupsFindMixedCaseNames)
{
    ASSERT_TRUE(Load(
        "[zeta]\nB=2\na=1\n[Alpha]\nz=26\nM=13\nc=3\n[mid]\nKey=k\n[beta]\nx=24\n[ALPHA2]\nq=17\n", true));
    EXPECT_TRUE(reader.IsSorted());
    const char* const lookups[][3] = {{"ZETA", "a", "1"},     {"Mid", "KEY", "k"},  {"ALPHA", "m", "13"},
                                      {"alpha2", "Q", "17"},  {"alpha", "Z", "26"}, {"BETA", "X", "24"},
                                      {"Alpha", "C", "3"},    {"zeta", "b", "2"},   {"gamma", "a", "<none>"},
                                      {"zeta", "c", "<none>"}};
    for (const auto& l : lookups)
        EXPECT_EQ(Value(l[0], l[1]), l[2]) << l[0] << " " << l[1];
}

TEST_F(IniReader, LastSectionIsForgottenWhenSortingMovesSections)
{
    ASSERT_TRUE(Load("[b]\nk=b\n[a]\nk=a\n"));
    EXPECT_EQ(Value("b", "k"), "b");
    reader.Sort();
    EXPECT_EQ(Value("a", "k"), "a");
    EXPECT_EQ(Value("b", "k"), "b");
}

TEST_F(IniReader, ValueIsCutToTheBufferAndBadArgumentsWriteNothing)
{
    ASSERT_TRUE(Load("[s]\nk=abcdefgh\n"));
    char small[4] = {'x', 'x', 'x', 'x'};
    EXPECT_TRUE(reader.GetValue("s", "k", "", small, sizeof small));
    EXPECT_STREQ(small, "abc");
    EXPECT_TRUE(reader.GetValue("s", "missing", "defaultvalue", small, sizeof small));
    EXPECT_STREQ(small, "def");
    char out[8] = "keep";
    EXPECT_FALSE(reader.GetValue("s", nullptr, "d", out, sizeof out));
    EXPECT_STREQ(out, "keep");
    EXPECT_FALSE(reader.GetValue("s", "k", "d", out, 0));
    EXPECT_STREQ(out, "keep");
    EXPECT_FALSE(reader.GetValue("s", "k", "d", nullptr, 8));
}

TEST_F(IniReader, LongLinesAreReadWhole)
{
    const std::string longValue(5000, 'v');
    ASSERT_TRUE(Load("[s]\nlong=" + longValue + "\nafter=1\n"));
    std::vector<char> out(9000);
    EXPECT_TRUE(reader.GetValue("s", "long", "", out.data(), out.size()));
    EXPECT_EQ(std::string(out.data()), longValue);
    EXPECT_EQ(Value("s", "after"), "1");
}

TEST_F(IniReader, FailedLoadsLeaveAnUnloadedReader)
{
    ASSERT_TRUE(Load("[s]\nk=v\n"));
    EXPECT_FALSE(reader.Load("", false));
    EXPECT_FALSE(reader.Load(nullptr, false));
    EXPECT_FALSE(reader.Load(folder.File("missing.SKIN").c_str(), false));
    EXPECT_FALSE(reader.IsLoaded());
    EXPECT_EQ(Value("s", "k"), "<none>");
    EXPECT_FALSE(Load(""));
    EXPECT_EQ(Value("s", "k"), "<none>");
}

} // namespace
