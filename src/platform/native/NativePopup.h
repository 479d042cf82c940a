#pragma once
// A borderless window above everything that shows a finished picture: tooltips, pop-up menus and
// message boxes draw their picture themselves and hand it over.
#include "images/CImage.h"
#include "platform/native/NativeWindowListener.h"

namespace platform
{

class NativePopupHandler
{
public:
    virtual ~NativePopupHandler() = default;
    // Mouse events in the popup's coordinates (outside it too); false ends the modal loop.
    virtual bool OnPopupMouse(NativeMouseMessage message, int x, int y) = 0;
    // A key press; false ends the modal loop.
    virtual bool OnPopupKey(int virtualKey) = 0;
    // The picture to show now (it may change after each event).
    virtual const images::CImage& GetPopupPicture() = 0;
};

class NativePopup
{
public:
    virtual ~NativePopup() = default;
    // Shows (or moves and repaints) the popup with the picture at a screen position, without taking the
    // focus.
    virtual bool Show(const images::CImage& picture, int screenX, int screenY) = 0;
    virtual void Hide() = 0;
    virtual bool IsShown() const = 0;
    // Shows the handler's picture and feeds it events until it returns false; the pointer is grabbed.
    virtual void RunModal(NativePopupHandler& handler, int screenX, int screenY) = 0;
    // The usable screen area, in screen coordinates.
    virtual images::Rect GetWorkArea() const = 0;
    // The system's alert sound, without waiting for it.
    virtual void Bell() = 0;
};

} // namespace platform
