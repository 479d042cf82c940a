#pragma once
// The on-screen keyboard as the editor builds it from a skin: the 88 up and 88 down key pictures
// named from the skin's key prefix items, the hit test that finds the key under a point, and the
// two-pass drawing of both halves. Used by the skin's preview command and its tests.
#include "gui/CSkin.h"
#include "gui/ImageManager.h"
#include "images/CImage.h"

namespace skinpreview
{
class SkinKeyboard
{
public:
    static constexpr int kKeys = 88;
    static constexpr int kKeysPerHalf = 44;
    // The rows above it take a white key's picture in the first pass, the rest in the second.
    static constexpr int kSecondPassRow = 43;

    SkinKeyboard(gui::CSkin& skin, gui::ImageManager& images);
    ~SkinKeyboard();
    SkinKeyboard(const SkinKeyboard&) = delete;
    SkinKeyboard& operator=(const SkinKeyboard&) = delete;

    // True when all 176 pictures loaded.
    bool loaded() const;
    static bool isBlack(int key);
    const images::CImage* upImage(int key) const { return up[key]; }
    const images::CImage* downImage(int key) const { return down[key]; }
    int halfWidth() const;
    int height() const;
    // The key under (x, y) of the whole keyboard, or -1: the halves' keys are tried from the middle
    // outwards and the first whose up picture has alpha above 20 there wins.
    int hitTest(int x, int y) const;
    // Draws every key at (left, top) of target, held keys from their down pictures.
    void draw(images::CImage& target, int left, int top, const bool* held) const;

private:
    void drawKey(images::CImage& target, int key, int x, int top, const bool* held, bool firstPass) const;

    gui::ImageManager& images;
    images::CImage* up[kKeys] = {};
    images::CImage* down[kKeys] = {};
};
} // namespace skinpreview
