#pragma once

namespace platform
{
// Translation of X key symbols and modifier states to virtual-key codes and modifier flags.
class X11KeyMap
{
public:
    // 0 for keys without a virtual-key code.
    static int ToVirtualKey(unsigned long keysym);
    static unsigned ToModifiers(unsigned state);
    static unsigned ToKeyState(unsigned state);
};

} // namespace platform
