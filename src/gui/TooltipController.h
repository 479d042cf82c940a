#pragma once
// The tooltip of a window: after the pointer rests for the show delay it asks for the text at that
// point and shows it in a pop-up below the pointer, hiding it again after the auto-hide time or on
// the next move or click. Runs on the user-interface thread, driven by the window's timers.
#include <cstddef>
#include <memory>

#include "images/CImage.h"
#include "images/Font.h"
#include "platform/native/NativeWindow.h"

class TooltipController
{
public:
    static constexpr unsigned kShowTimer = 222;
    static constexpr unsigned kHideTimer = 333;
    static constexpr ColourRef kBackground = 0xddffff;

    // Fills out with the text at a point of the window; false when there is none.
    using TextSource = bool (*)(void* userData, Point windowPoint, char* out, size_t size);

    TooltipController(NativeWindow& owner, TextSource source, void* userData, unsigned showDelayMs = 500,
                      unsigned autoHideMs = 7000);

    void RelayMouse(NativeMouseMessage message, Point windowPoint);
    // Handles the show and hide timers; false for other ids.
    bool OnTimer(unsigned id);
    void Hide();
    void SetShowDelay(unsigned ms) { showDelay_ = ms; }
    unsigned GetShowDelay() const { return showDelay_; }
    void SetForegroundOnly(bool on) { foregroundOnly_ = on; }
    bool IsShown() const { return popup_ && popup_->IsShown(); }
    const char* GetText() const { return text_; }
    const CImage& GetPicture() const { return picture_; }

private:
    void ShowAtCursor();
    Point MeasureText() const;
    void Render(Point textSize);

    NativeWindow& owner_;
    TextSource source_;
    void* userData_;
    std::unique_ptr<NativePopup> popup_;
    std::unique_ptr<Font> font_;
    char text_[2048] = {};
    Point last_{-1, -1};
    unsigned showDelay_;
    unsigned autoHide_;
    bool foregroundOnly_ = true;
    CImage picture_;
};
