#pragma once
// The tooltip of a window: after the pointer rests for the show delay it asks for the text at that
// point and shows it in a pop-up below the pointer, hiding it again after the auto-hide time or on
// the next move or click. Runs on the user-interface thread, driven by the window's timers.
#include <cstddef>
#include <memory>

#include "images/CImage.h"
#include "images/Font.h"
#include "platform/native/NativeWindow.h"

namespace gui
{

class TooltipController
{
public:
    static constexpr unsigned kShowTimer = 222;
    static constexpr unsigned kHideTimer = 333;
    static constexpr platform::ColourRef kBackground = 0xddffff;

    // Fills out with the text at a point of the window; false when there is none.
    using TextSource = bool (*)(void* userData, platform::Point windowPoint, char* out, size_t size);

    TooltipController(platform::NativeWindow& ownerWindow, TextSource textSource, void* sourceData,
                      unsigned showDelayMs = 500, unsigned autoHideMs = 7000);

    void RelayMouse(platform::NativeMouseMessage message, platform::Point windowPoint);
    // Handles the show and hide timers; false for other ids.
    bool OnTimer(unsigned id);
    void Hide();
    void SetShowDelay(unsigned ms) { showDelay = ms; }
    unsigned GetShowDelay() const { return showDelay; }
    void SetForegroundOnly(bool on) { foregroundOnly = on; }
    bool IsShown() const { return popup && popup->IsShown(); }
    const char* GetText() const { return text; }
    const images::CImage& GetPicture() const { return picture; }

private:
    void ShowAtCursor();
    platform::Point MeasureText() const;
    void Render(platform::Point textSize);

    platform::NativeWindow& owner;
    TextSource source;
    void* userData;
    std::unique_ptr<platform::NativePopup> popup;
    std::unique_ptr<images::Font> font;
    char text[2048] = {};
    platform::Point last{-1, -1};
    unsigned showDelay;
    unsigned autoHide;
    bool foregroundOnly = true;
    images::CImage picture;
};

} // namespace gui
