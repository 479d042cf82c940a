#pragma once
// What a native window reports to the toolkit: the events of its one window, already translated.
// Called on the thread that drains the window's events (the user-interface thread).
#include "images/CRegion.h"

namespace platform
{

enum class NativeMouseMessage
{
    kMove,
    kLeftDown,
    kLeftUp,
    kLeftDoubleClick,
    kRightDown,
    kRightUp
};

// Key-state flags of mouse messages.
enum NativeKeyState : unsigned
{
    kKeyStateLeft = 1,
    kKeyStateRight = 2,
    kKeyStateShift = 4,
    kKeyStateControl = 8
};
// Modifiers of key events.
enum NativeModifier : unsigned
{
    kModifierShift = 4,
    kModifierControl = 8,
    kModifierAlt = 16
};

// Every handler does nothing unless overridden, so a listener names only the events it uses.
class NativeWindowListener
{
public:
    virtual ~NativeWindowListener() = default;
    virtual void OnNativeMouse(NativeMouseMessage message, int x, int y, unsigned keyState) {}
    // The pointer left the window while leave tracking was asked for.
    virtual void OnNativeMouseLeave() {}
    virtual void OnNativeKey(bool up, int virtualKey, unsigned modifiers) {}
    virtual void OnNativeTimer(unsigned id) {}
    // Parts of the window need their pixels again; the listener presents them from its back buffer.
    virtual void OnNativePaint(const images::CRegion& update) {}
    virtual void OnNativeSize(int width, int height) {}
    virtual void OnNativeActivate(bool active) {}
    virtual void OnNativeKillFocus() {}
    // The window was closed from outside (a stand-alone window's close box).
    virtual void OnNativeClose() {}
};

} // namespace platform
