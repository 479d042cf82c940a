#pragma once
// Skin files and images written into a folder that stands in for the module's folder.
#include <cstdio>
#include <filesystem>
#include <string>

#include "gui/GuiTestSupport.h"
#include "images/CImage.h"
#include "images/PngCodec.h"
#include "platform/Platform.h"

class SkinFolder
{
public:
    SkinFolder() : folder(::testing::TempDir() + "skin-" + std::to_string(std::random_device()()))
    {
        std::filesystem::create_directories(folder);
        platform::SetModuleFileName(folder + "/Virellando.so");
    }
    ~SkinFolder() { std::filesystem::remove_all(folder); }
    const std::string& Folder() const { return folder; }
    std::string Path(const std::string& name) const { return folder + "/" + name; }
    std::string WriteSkin(const std::string& text) const
    {
        const std::string path = Path("Virellando.SKIN");
        FILE* f = std::fopen(path.c_str(), "wb");
        std::fputs(text.c_str(), f);
        std::fclose(f);
        return path;
    }
    // A picture whose pixel (x, y) has red x and green y, so every pixel can be traced back.
    std::string WritePattern(const std::string& name, int w, int h, int bitsPerPixel = 24) const
    {
        images::CImage image;
        image.Create(w, h, bitsPerPixel);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                image.SetPixel(x, y, platform::MakePixel(x, y, 77, bitsPerPixel == 32 ? 128 : 255));
        const std::string path = Path(name);
        EXPECT_TRUE(images::PngCodec::Save(path.c_str(), image));
        return path;
    }

private:
    std::string folder;
};
