#include "skinpreview/SkinKeyboard.h"

#include <cstdio>
#include <string>

using namespace gui;
using namespace images;

namespace skinpreview
{
namespace
{
constexpr uint32_t kMissAlpha = 20;

// The prefix of the numbered pictures: the file of key 0 without its two digits and extension.
bool keyPrefix(CSkin& skin, const char* item, std::string& prefix)
{
    SkinItemDefinition definition;
    if (!skin.Resolve(item, definition) || definition.fileName.empty())
        return false;
    const size_t dot = definition.fileName.rfind('.');
    if (dot == std::string::npos || dot < 2)
        return false;
    prefix = definition.fileName.substr(0, dot - 2);
    return true;
}
} // namespace

SkinKeyboard::SkinKeyboard(CSkin& skin, ImageManager& imageManager) : images(imageManager)
{
    std::string upPrefix;
    std::string downPrefix;
    if (!keyPrefix(skin, "Piano Keys Up Prefix", upPrefix) ||
        !keyPrefix(skin, "Piano Keys Down Prefix", downPrefix))
        return;
    for (int key = 0; key < kKeys; ++key)
    {
        char name[300];
        std::snprintf(name, sizeof name, "%s%.2i.png", upPrefix.c_str(), key);
        up[key] = images.Get(name);
        std::snprintf(name, sizeof name, "%s%.2i.png", downPrefix.c_str(), key);
        down[key] = images.Get(name);
    }
}

SkinKeyboard::~SkinKeyboard()
{
    for (int key = 0; key < kKeys; ++key)
    {
        if (up[key])
            images.Release(up[key]->GetFileName());
        if (down[key])
            images.Release(down[key]->GetFileName());
    }
}

bool SkinKeyboard::loaded() const
{
    for (int key = 0; key < kKeys; ++key)
        if (!up[key] || !down[key])
            return false;
    return true;
}

bool SkinKeyboard::isBlack(int key)
{
    switch (key % 12)
    {
    case 1:
    case 4:
    case 6:
    case 9:
    case 11:
        return true;
    default:
        return false;
    }
}

int SkinKeyboard::halfWidth() const
{
    return up[0] ? up[0]->GetWidth() : 0;
}

int SkinKeyboard::height() const
{
    return up[0] ? up[0]->GetHeight() : 0;
}

int SkinKeyboard::hitTest(int x, int y) const
{
    const int half = halfWidth();
    const bool left = x < half;
    const int localX = left ? x : x - half;
    for (int step = 0; step < kKeysPerHalf; ++step)
    {
        const int key = left ? kKeysPerHalf - 1 - step : kKeysPerHalf + step;
        const CImage* image = up[key];
        if (!image || image->GetBitsPerPixel() < 32)
            return key;
        if (image->GetRect().Contains(localX, y) && image->GetPixel(localX, y) >> 24 > kMissAlpha)
            return key;
    }
    return -1;
}

void SkinKeyboard::drawKey(CImage& target, int key, int x, int top, const bool* held, bool firstPass) const
{
    const CImage* image = held && held[key] ? down[key] : up[key];
    if (!image)
        return;
    const int w = image->GetWidth();
    const int h = image->GetHeight();
    if (isBlack(key))
    {
        if (firstPass)
            target.AlphaBlendRect(*image, {0, 0, w, h}, x, top);
        return;
    }
    if (firstPass)
        target.AlphaBlendRect(*image, {0, 0, w, kSecondPassRow}, x, top);
    else
        target.AlphaBlendRect(*image, {0, kSecondPassRow, w, h}, x, top + kSecondPassRow);
}

void SkinKeyboard::draw(CImage& target, int left, int top, const bool* held) const
{
    const int right = left + halfWidth();
    for (bool firstPass : {true, false})
    {
        for (int key = 0; key < kKeysPerHalf; ++key)
            drawKey(target, key, left, top, held, firstPass);
        for (int key = kKeys - 1; key >= kKeysPerHalf; --key)
            drawKey(target, key, right, top, held, firstPass);
    }
}
} // namespace skinpreview
