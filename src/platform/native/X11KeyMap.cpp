#include "platform/native/X11KeyMap.h"

#include <X11/X.h>
#include <X11/keysym.h>

#include "platform/native/NativeKeys.h"
#include "platform/native/NativeWindowListener.h"

namespace platform
{

int X11KeyMap::ToVirtualKey(unsigned long keysym)
{
    if (keysym >= XK_a && keysym <= XK_z)
        return static_cast<int>('A' + (keysym - XK_a));
    if (keysym >= XK_A && keysym <= XK_Z)
        return static_cast<int>('A' + (keysym - XK_A));
    if (keysym >= XK_0 && keysym <= XK_9)
        return static_cast<int>('0' + (keysym - XK_0));
    if (keysym >= XK_F1 && keysym <= XK_F12)
        return static_cast<int>(kVkF1 + (keysym - XK_F1));
    if (keysym >= XK_KP_0 && keysym <= XK_KP_9)
        return static_cast<int>(kVkNumpad0 + (keysym - XK_KP_0));
    switch (keysym)
    {
    case XK_BackSpace:
        return kVkBack;
    case XK_Tab:
        return kVkTab;
    case XK_Return:
    case XK_KP_Enter:
        return kVkReturn;
    case XK_Shift_L:
    case XK_Shift_R:
        return kVkShift;
    case XK_Control_L:
    case XK_Control_R:
        return kVkControl;
    case XK_Alt_L:
    case XK_Alt_R:
        return kVkMenu;
    case XK_Escape:
        return kVkEscape;
    case XK_space:
        return kVkSpace;
    case XK_Prior:
        return kVkPrior;
    case XK_Next:
        return kVkNext;
    case XK_End:
        return kVkEnd;
    case XK_Home:
        return kVkHome;
    case XK_Left:
        return kVkLeft;
    case XK_Up:
        return kVkUp;
    case XK_Right:
        return kVkRight;
    case XK_Down:
        return kVkDown;
    case XK_Insert:
        return kVkInsert;
    case XK_Delete:
        return kVkDelete;
    case XK_KP_Multiply:
        return kVkMultiply;
    case XK_KP_Add:
        return kVkAdd;
    case XK_KP_Subtract:
        return kVkSubtract;
    case XK_KP_Decimal:
        return kVkDecimal;
    case XK_KP_Divide:
        return kVkDivide;
    case XK_plus:
    case XK_equal:
        return kVkOemPlus;
    case XK_comma:
        return kVkOemComma;
    case XK_minus:
        return kVkOemMinus;
    case XK_period:
        return kVkOemPeriod;
    default:
        return 0;
    }
}

unsigned X11KeyMap::ToModifiers(unsigned state)
{
    unsigned m = 0;
    if (state & ShiftMask)
        m |= kModifierShift;
    if (state & ControlMask)
        m |= kModifierControl;
    if (state & Mod1Mask)
        m |= kModifierAlt;
    return m;
}

unsigned X11KeyMap::ToKeyState(unsigned state)
{
    unsigned k = 0;
    if (state & Button1Mask)
        k |= kKeyStateLeft;
    if (state & Button3Mask)
        k |= kKeyStateRight;
    if (state & ShiftMask)
        k |= kKeyStateShift;
    if (state & ControlMask)
        k |= kKeyStateControl;
    return k;
}

} // namespace platform
