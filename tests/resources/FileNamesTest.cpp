#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "resources/FileNames.h"
#include "resources/VersionText.h"

using namespace resources;

namespace
{

// The files beside the module are named after it with another extension, put after the path's last dot even
// when that dot is in a folder's name (a path without a dot stays as it is); the log has a name of its own.
TEST(FileNames, EveryFileBesideTheModule)
{
    const struct
    {
        const char* module;
        const char* extension;
        const char* file;
        const char* folder;
        const char* log;
    } cases[] = {
        {"/plugins/Grand.so", "DAT", "/plugins/Grand.DAT", "/plugins/", "/plugins/Virellando-Log.txt"},
        {"/plugins/Grand.so", "presets", "/plugins/Grand.presets", "/plugins/",
         "/plugins/Virellando-Log.txt"},
        {"/a/My.Plugins/Grand", "DAT", "/a/My.DAT", "/a/My.Plugins/", "/a/My.Plugins/Virellando-Log.txt"},
        {"/plugins/Grand", "INI", "/plugins/Grand", "/plugins/", "/plugins/Virellando-Log.txt"},
        {"Grand.so", "SKIN", "Grand.SKIN", "", "Virellando-Log.txt"},
    };
    for (const auto& c : cases)
    {
        platform::SetModuleFileName(c.module);
        EXPECT_EQ(ModuleFileWithExtension(c.extension), c.file) << c.module;
        EXPECT_EQ(ModuleFolder(), c.folder) << c.module;
        EXPECT_EQ(LogFilePath(), c.log) << c.module;
    }
    platform::SetModuleFileName("");
}

TEST(FileNames, ReplaceExtensionCutsAfterTheLastDotKeepingTheExtensionsCase)
{
    EXPECT_EQ(ReplaceExtension("/p/Grand.Piano.so", "Skin"), "/p/Grand.Piano.Skin");
    EXPECT_EQ(ReplaceExtension("/p/Grand.", "INI"), "/p/Grand.INI");
    EXPECT_EQ(ReplaceExtension("/p/.hidden", "DAT"), "/p/.DAT");
    EXPECT_EQ(ReplaceExtension("", "DAT"), "");
    EXPECT_EQ(ReplaceExtension("/p/Grand.so", ""), "/p/Grand.");
}

// The major and third version numbers, then the build; a key without a text still gives a line.
TEST(FormatVersionText, MajorAndThirdNumberThenBuild)
{
    EXPECT_EQ(FormatVersionText("Virellando", {2, 7, 3, 145}, "Build"), "Virellando 2.3 Build 145");
    EXPECT_EQ(FormatVersionText("Virellando", {1, 4, 0, 12}, "Version"), "Virellando 1.0 Version 12");
    EXPECT_EQ(FormatVersionText("ProgramName", {1, 0, 0, 1}, "Build"), "ProgramName 1.0 Build 1");
}

} // namespace
