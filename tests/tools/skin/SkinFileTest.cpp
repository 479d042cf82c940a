// The skin file the drawing program writes is read back by the skin reader as the items it names.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "gui/CSkin.h"
#include "mkskin/SkinFile.h"
#include "platform/Platform.h"
#include "tools/TempPath.h"

using namespace gui;

namespace
{
TEST(SkinFile, ItemsResolveToTheirPicturesBesideTheModule)
{
    const std::filesystem::path folder = tempPath("-skin");
    std::filesystem::create_directories(folder / "skin");
    std::fclose(std::fopen((folder / "skin" / "Knob.png").c_str(), "wb"));
    platform::SetModuleFileName((folder / "Virellando.so").string());

    mkskin::SkinFile file;
    file.addImage("Slider-slider", "skin/Knob.png");
    file.addAlias("Keys", "Slider-slider");
    const std::string path = (folder / "Virellando.SKIN").string();
    ASSERT_TRUE(file.write(path));
    EXPECT_FALSE(std::filesystem::exists(path + ".partial"));

    CSkin skin;
    ASSERT_TRUE(skin.Load(path.c_str()));
    for (const char* item : {"Slider-slider", "Keys"})
    {
        SkinItemDefinition definition;
        ASSERT_TRUE(skin.Resolve(item, definition)) << item;
        EXPECT_EQ(definition.kind, kSkinImageFile) << item;
        EXPECT_EQ(definition.fileName, (folder / "skin" / "Knob.png").string()) << item;
    }
    std::filesystem::remove_all(folder);
}

TEST(SkinFile, AFolderThatCannotBeWrittenFails)
{
    mkskin::SkinFile file;
    file.addImage("splash", "skin/Splash.png");
    EXPECT_FALSE(file.write("/nonexistent-folder/Virellando.SKIN"));
}
} // namespace
