// The bundle's skin gives the editor, its controls, the tone controls dialog and the splash screen a
// picture for every item they ask for, at the sizes their layout needs, and its keyboard plays the key
// that is drawn under the pointer everywhere.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "gui/CSkin.h"
#include "gui/ImageManager.h"
#include "images/CImage.h"
#include "platform/Platform.h"
#include "skinpreview/EditorItems.h"
#include "skinpreview/SkinKeyboard.h"

using namespace gui;
using namespace images;

using skinpreview::EditorItems;
using skinpreview::SkinKeyboard;

namespace
{
constexpr uint32_t kMissAlpha = 20;

class ShippedSkin : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform::SetModuleFileName(std::string(VIRELLANDO_BUNDLE_DIR) + "/Virellando.so");
        ASSERT_TRUE(skin.Load(VIRELLANDO_BUNDLE_DIR "/Virellando.SKIN"));
    }

    // The item's picture as a control gets it: resolved to an image file, loaded through the manager.
    CImage* picture(const std::string& item)
    {
        SkinItemDefinition definition;
        if (!skin.Resolve(item.c_str(), definition) || definition.kind != kSkinImageFile)
            return nullptr;
        return images.Get(definition.fileName.c_str());
    }

    static uint32_t alpha(const CImage& image, int x, int y) { return image.GetPixel(x, y) >> 24; }

    CSkin skin;
    ImageManager images;
};

TEST_F(ShippedSkin, EveryItemTheEditorAsksForIsAPictureThatLoads)
{
    for (const std::string& item : EditorItems::all())
    {
        const CImage* image = picture(item);
        ASSERT_NE(image, nullptr) << item;
        EXPECT_TRUE(image->IsValid()) << item;
    }
}

TEST_F(ShippedSkin, FixedAreasAreFilledExactlyAndControlsFitTheirPlaces)
{
    struct Expected
    {
        const char* item;
        int width, height;
    };
    const Expected exact[] = {{"Piano-0", 800, 492}, {"Piano-1", 800, 492},      {"Piano-2", 800, 492},
                              {"Piano-3", 800, 492}, {"Control Panel", 800, 84}, {"Tone Controls", 400, 400}};
    for (const Expected& e : exact)
    {
        const CImage* image = picture(e.item);
        ASSERT_NE(image, nullptr) << e.item;
        EXPECT_EQ(image->GetWidth(), e.width) << e.item;
        EXPECT_EQ(image->GetHeight(), e.height) << e.item;
    }
    // Each control's picture ends before the next control or the edge of its parent begins.
    struct Place
    {
        const char* item;
        int x, y, right, bottom;
    };
    const Place places[] = {
        {"Lid Up Button-0", 730, 23, 760, 492},   {"Lid Down Button-0", 760, 23, 800, 63},
        {"Help Button-0", 753, 63, 800, 256},     {"Pedals-UpUp", 354, 433, 800, 492},
        {"Slider-base", 43, 25, 215, 84},         {"Adjust Button-0", 215, 24, 381, 84},
        {"SliderShort-base", 381, 25, 481, 84},   {"Dropdown-0", 481, 25, 625, 84},
        {"Slider-base", 625, 25, 800, 84},        {"Dialog Close-0", 365, 10, 400, 48},
        {"Dialog Dropdown-0", 233, 48, 400, 110}, {"Slider-base", 230, 110, 400, 180},
        {"SliderSmall-base", 32, 305, 148, 400},  {"SliderSmall-base", 148, 305, 260, 400},
        {"SliderSmall-base", 260, 305, 400, 400},
    };
    for (const Place& p : places)
    {
        const CImage* image = picture(p.item);
        ASSERT_NE(image, nullptr) << p.item;
        EXPECT_LE(p.x + image->GetWidth(), p.right) << p.item << " at " << p.x;
        EXPECT_LE(p.y + image->GetHeight(), p.bottom) << p.item << " at " << p.x;
    }
}

TEST_F(ShippedSkin, StatesOfAControlShareOneSizeAndKnobsAreAtLeastAsTallAsTheirTracks)
{
    for (const std::string& button : EditorItems::buttons())
    {
        const CImage* normal = picture(button + "-0");
        ASSERT_NE(normal, nullptr) << button;
        for (int state = 1; state < 4; ++state)
        {
            const CImage* other = picture(button + "-" + std::to_string(state));
            ASSERT_NE(other, nullptr) << button << state;
            EXPECT_EQ(other->GetRect(), normal->GetRect()) << button << state;
        }
    }
    for (const std::string& slider : EditorItems::sliders())
    {
        const CImage* base = picture(slider + "-base");
        const CImage* knob = picture(slider + "-slider");
        const CImage* lit = picture(slider + "-slider-hi");
        ASSERT_TRUE(base && knob && lit) << slider;
        EXPECT_GE(knob->GetHeight(), base->GetHeight()) << slider;
        EXPECT_EQ(lit->GetRect(), knob->GetRect()) << slider;
        // The knob travels: the track is longer than the knob and its margins.
        EXPECT_GT(base->GetWidth() - knob->GetWidth() - 20, 0) << slider;
    }
}

// Which key's picture shows at a pixel of one half after the editor's two passes: the last opaque
// enough picture blended there, weighing what later pictures cover.
int drawnKey(const SkinKeyboard& keyboard, bool leftHalf, int x, int y)
{
    std::vector<int> order;
    const int first = leftHalf ? 0 : SkinKeyboard::kKeys - 1;
    const int step = leftHalf ? 1 : -1;
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0, key = first; i < SkinKeyboard::kKeysPerHalf; ++i, key += step)
        {
            const bool black = SkinKeyboard::isBlack(key);
            const bool inFirstPass = black || y < SkinKeyboard::kSecondPassRow;
            if (inFirstPass == (pass == 0))
                order.push_back(key);
        }
    std::map<int, double> weight;
    for (int key : order)
    {
        const double a = (keyboard.upImage(key)->GetPixel(x, y) >> 24) / 255.0;
        for (auto& [k, w] : weight)
            w *= 1 - a;
        weight[key] += a;
    }
    int best = -1;
    double bestWeight = 0.5;
    for (const auto& [k, w] : weight)
        if (w > bestWeight)
            best = k, bestWeight = w;
    return best;
}

TEST_F(ShippedSkin, EveryPointOfTheKeyboardHitsTheKeyDrawnThere)
{
    SkinKeyboard keyboard(skin, images);
    ASSERT_TRUE(keyboard.loaded());
    const int half = keyboard.halfWidth();
    int mismatches = 0;
    for (int y = 0; y < keyboard.height(); ++y)
        for (int x = 0; x < 2 * half; ++x)
        {
            const bool left = x < half;
            const int localX = left ? x : x - half;
            const int hit = keyboard.hitTest(x, y);
            const int drawn = drawnKey(keyboard, left, localX, y);
            // A pressed key covers the same pixels, and a black key wins wherever it is opaque.
            bool shared = false;
            for (int key = left ? 0 : SkinKeyboard::kKeysPerHalf; key < (left ? 44 : 88); ++key)
                shared |= key != hit && alpha(*keyboard.upImage(key), localX, y) > kMissAlpha;
            const bool wrong =
                hit < 0 || hit != drawn || shared || alpha(*keyboard.downImage(hit), localX, y) <= kMissAlpha;
            if (wrong && ++mismatches <= 5)
                ADD_FAILURE() << "(" << x << ", " << y << ") hits " << hit << ", shows " << drawn
                              << (shared ? ", and another key is opaque there" : "");
        }
    EXPECT_EQ(mismatches, 0);
}

TEST_F(ShippedSkin, KeyPicturesAreHalvesUnderTheLidEachOpaqueOverItsOwnPixelsAndNoWiderThanAWhiteKey)
{
    SkinKeyboard keyboard(skin, images);
    ASSERT_TRUE(keyboard.loaded());
    EXPECT_LE(76 + 2 * keyboard.halfWidth(), 800);
    EXPECT_LE(256 + keyboard.height(), 433);
    EXPECT_GT(keyboard.height(), SkinKeyboard::kSecondPassRow);
    for (int key = 0; key < SkinKeyboard::kKeys; ++key)
    {
        const CImage& image = *keyboard.upImage(key);
        for (const CImage* picture : {keyboard.upImage(key), keyboard.downImage(key)})
        {
            EXPECT_EQ(picture->GetBitsPerPixel(), 32) << key;
            EXPECT_EQ(picture->GetRect(), keyboard.upImage(0)->GetRect()) << key;
        }
        int owned = 0;
        int left = image.GetWidth();
        int right = -1;
        for (int y = 0; y < image.GetHeight(); ++y)
            for (int x = 0; x < image.GetWidth(); ++x)
                if (alpha(image, x, y) > kMissAlpha)
                {
                    ++owned;
                    left = std::min(left, x);
                    right = std::max(right, x);
                    EXPECT_EQ(alpha(image, x, y), 255u) << key;
                }
        // White keys are about a 26th of a half wide, black keys narrower, all keys in pitch order.
        const int width = right - left + 1;
        EXPECT_GT(owned, 0) << key;
        EXPECT_LE(width, image.GetWidth() / 26 + 2) << key;
        if (SkinKeyboard::isBlack(key))
        {
            EXPECT_LT(width, image.GetWidth() / 26) << key;
        }
    }
}
} // namespace
