#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "resources/FileNames.h"

using namespace resources;

namespace
{

using resources::ReplaceExtension;

class ModuleAt : public ::testing::Test
{
protected:
    void TearDown() override { platform::SetModuleFileName(""); }
};

TEST_F(ModuleAt, PluginsGrandGivesEveryFileBesideIt)
{
    platform::SetModuleFileName("/plugins/Grand.so");
    EXPECT_EQ(resources::ModuleFileWithExtension("DAT"), "/plugins/Grand.DAT");
    EXPECT_EQ(resources::ModuleFileWithExtension("SKIN"), "/plugins/Grand.SKIN");
    EXPECT_EQ(resources::ModuleFileWithExtension("INI"), "/plugins/Grand.INI");
    EXPECT_EQ(resources::ModuleFileWithExtension("presets"), "/plugins/Grand.presets");
    EXPECT_EQ(resources::ModuleFileWithExtension("chm"), "/plugins/Grand.chm");
    EXPECT_EQ(resources::ModuleFolder(), "/plugins/");
    EXPECT_EQ(resources::LogFilePath(), "/plugins/Virellando-Log.txt");
}

TEST_F(ModuleAt, DottedFolderAndDotlessFileCutInsideTheFolder)
{
    platform::SetModuleFileName("/a/My.Plugins/Grand");
    EXPECT_EQ(resources::ModuleFileWithExtension("DAT"), "/a/My.DAT");
    EXPECT_EQ(resources::LogFilePath(), "/a/My.Plugins/Virellando-Log.txt");
}

TEST_F(ModuleAt, PathWithoutDotIsUsedUnchanged)
{
    platform::SetModuleFileName("/plugins/Grand");
    EXPECT_EQ(resources::ModuleFileWithExtension("DAT"), "/plugins/Grand");
    EXPECT_EQ(resources::ModuleFileWithExtension("INI"), "/plugins/Grand");
}

TEST_F(ModuleAt, NameWithoutFolderHasAnEmptyFolder)
{
    platform::SetModuleFileName("Grand.so");
    EXPECT_EQ(resources::ModuleFolder(), "");
    EXPECT_EQ(resources::LogFilePath(), "Virellando-Log.txt");
}

TEST(ReplaceExtension, CutsAfterTheLastDotKeepingTheExtensionsCase)
{
    EXPECT_EQ(ReplaceExtension("/p/Grand.Piano.so", "Skin"), "/p/Grand.Piano.Skin");
    EXPECT_EQ(ReplaceExtension("/p/Grand.", "INI"), "/p/Grand.INI");
    EXPECT_EQ(ReplaceExtension("/p/.hidden", "DAT"), "/p/.DAT");
    EXPECT_EQ(ReplaceExtension("", "DAT"), "");
    EXPECT_EQ(ReplaceExtension("/p/Grand.so", ""), "/p/Grand.");
}

} // namespace
