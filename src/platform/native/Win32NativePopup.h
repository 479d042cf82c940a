#pragma once
// A borderless top-most layered pop-up window showing a picture: tooltips, menus and message boxes. It never
// takes the activation from the window it belongs to; its modal loop captures the mouse and takes the
// thread's key messages while it runs.
#include <windows.h>

#include "platform/native/NativePopup.h"
#include "platform/native/Win32MessageTarget.h"

namespace platform
{

class Win32NativePopup : public NativePopup, private Win32MessageTarget
{
public:
    // owner: the top-level window the popup stays above, or null for a stand-alone popup.
    explicit Win32NativePopup(HWND ownerWindow);
    ~Win32NativePopup() override;

    bool Show(const PixelBuffer& newPicture, int screenX, int screenY) override;
    void Hide() override;
    bool IsShown() const override { return shown; }
    void RunModal(NativePopupHandler& handler, int screenX, int screenY) override;
    Rect GetWorkArea() const override;
    void Bell() override;

private:
    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    bool EnsureWindow();
    // One message of the modal loop; false when it ends the loop.
    bool ModalMessage(NativePopupHandler& handler, const MSG& msg);

    HWND owner;
    HWND window = nullptr;
    bool shown = false;
    bool modal = false;
};

} // namespace platform
