// The keyboard reference used on the shipped skin finds keys as the editor does: the key pictures
// named from the prefix items, tried from the middle of each half outwards, alpha above 20 a hit.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "gui/CSkin.h"
#include "gui/ImageManager.h"
#include "images/CImage.h"
#include "images/PngCodec.h"
#include "platform/Platform.h"
#include "skinpreview/SkinKeyboard.h"
#include "tools/TempPath.h"

using namespace gui;
using namespace images;

using skinpreview::SkinKeyboard;

namespace
{
constexpr int kWidth = 4;
constexpr int kHeight = 2;

// A skin whose 176 key pictures are kWidth × kHeight, 32 bits, with the alpha given for each key and pixel.
class KeySkin
{
public:
    explicit KeySkin(const std::function<uint32_t(int key, int x, int y)>& alpha) : folder(tempPath("-keys"))
    {
        std::filesystem::create_directories(folder);
        platform::SetModuleFileName((folder / "Virellando.so").string());
        for (const char* kind : {"Up", "Down"})
            for (int key = 0; key < SkinKeyboard::kKeys; ++key)
            {
                CImage image;
                image.Create(kWidth, kHeight, 32);
                for (int y = 0; y < kHeight; ++y)
                    for (int x = 0; x < kWidth; ++x)
                        image.SetPixel(x, y, alpha(key, x, y) << 24 | 0x808080);
                char name[32];
                std::snprintf(name, sizeof name, "K%s%.2d.png", kind, key);
                EXPECT_TRUE(PngCodec::Save((folder / name).c_str(), image));
            }
        const std::string skinFile = (folder / "Virellando.SKIN").string();
        std::ofstream(skinFile)
            << "[Piano Keys Up Prefix]\nimage fn=KUp00.png\n[Piano Keys Down Prefix]\nuse=Down\n"
               "[Down]\nimage fn=KDown00.png\n";
        EXPECT_TRUE(skin.Load(skinFile.c_str()));
    }
    ~KeySkin() { std::filesystem::remove_all(folder); }

    std::filesystem::path folder;
    CSkin skin;
    ImageManager images;
};

TEST(SkinKeyboard, TheFirstKeyOpaqueEnoughFromTheMiddleOutwardsWins)
{
    // Key 42 and key 45 are opaque in column 0; key 43 has alpha 20 there (a miss) and 21 in column 1.
    KeySkin fixture(
        [](int key, int x, int) -> uint32_t
        {
            if (key == 43)
                return x == 0 ? 20 : x == 1 ? 21 : 0;
            return (key == 42 || key == 45) && x == 0 ? 255 : 0;
        });
    const SkinKeyboard keyboard(fixture.skin, fixture.images);
    ASSERT_TRUE(keyboard.loaded());
    ASSERT_EQ(keyboard.halfWidth(), kWidth);
    const struct
    {
        int x, y, key;
    } cases[] = {
        {0, 0, 42}, {1, 1, 43}, {2, 0, -1}, {kWidth, 1, 45}, {kWidth + 3, 0, -1}, {2 * kWidth + 5, 0, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(keyboard.hitTest(c.x, c.y), c.key) << c.x << "," << c.y;
}

} // namespace
