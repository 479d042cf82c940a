// The drawing program's skin file fails loudly where it cannot be written, so the build stops.
#include <gtest/gtest.h>

#include "mkskin/SkinFile.h"

TEST(SkinFile, AFolderThatCannotBeWrittenFails)
{
    mkskin::SkinFile file;
    file.addImage("splash", "skin/Splash.png");
    EXPECT_FALSE(file.write("/nonexistent-folder/Virellando.SKIN"));
}
