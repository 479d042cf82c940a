#include "platform/native/X11KeyMap.h"

#include <gtest/gtest.h>

#include "platform/native/NativeKeys.h"
#include "platform/native/NativeWindowListener.h"

using namespace platform;

// Key symbols and state bits by their X protocol values.
TEST(X11KeyMap, LettersDigitsAndNamedKeys)
{
    EXPECT_EQ(X11KeyMap::ToVirtualKey(0x61), 'A'); // a
    EXPECT_EQ(X11KeyMap::ToVirtualKey(0x5a), 'Z'); // Z
    EXPECT_EQ(X11KeyMap::ToVirtualKey(0x37), '7'); // 7
    EXPECT_EQ(X11KeyMap::ToVirtualKey(0xff51), kVkLeft);
    EXPECT_EQ(X11KeyMap::ToVirtualKey(0xff0d), kVkReturn);
    EXPECT_EQ(X11KeyMap::ToVirtualKey(0xff1b), kVkEscape);
    EXPECT_EQ(X11KeyMap::ToVirtualKey(0xffbe), kVkF1);
    EXPECT_EQ(X11KeyMap::ToVirtualKey(0xffb3), kVkNumpad0 + 3);
    EXPECT_EQ(X11KeyMap::ToVirtualKey(0xfe03), 0); // ISO level 3 shift: no virtual key
}

TEST(X11KeyMap, StatesBecomeModifiersAndKeyStates)
{
    const unsigned shift = 1, control = 4, mod1 = 8, button1 = 256, button3 = 1024;
    EXPECT_EQ(X11KeyMap::ToModifiers(shift | control | mod1),
              kModifierShift | kModifierControl | kModifierAlt);
    EXPECT_EQ(X11KeyMap::ToModifiers(button1), 0u);
    EXPECT_EQ(X11KeyMap::ToKeyState(button1 | button3 | shift),
              kKeyStateLeft | kKeyStateRight | kKeyStateShift);
    EXPECT_EQ(X11KeyMap::ToKeyState(control), static_cast<unsigned>(kKeyStateControl));
}
