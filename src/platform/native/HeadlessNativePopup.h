#pragma once
// A pop-up without a screen: remembers what it was asked to show; modal loops replay scripted events.
#include <deque>

#include "platform/native/NativePopup.h"

namespace platform
{

struct HeadlessPopupEvent
{
    bool isKey = false;
    NativeMouseMessage message = NativeMouseMessage::kMove;
    int x = 0; // popup coordinates
    int y = 0;
    int virtualKey = 0;
};

class HeadlessNativeWindow;

class HeadlessNativePopup : public NativePopup
{
public:
    explicit HeadlessNativePopup(HeadlessNativeWindow* owner = nullptr) : owner_(owner) {}
    ~HeadlessNativePopup() override;
    void Orphan() { owner_ = nullptr; }

    // Events for the next modal loops; a loop with no events left ends as if the popup lost the pointer.
    static void Script(std::deque<HeadlessPopupEvent> events);

    bool Show(const images::CImage& picture, int screenX, int screenY) override;
    void Hide() override { shown = false; }
    bool IsShown() const override { return shown; }
    void RunModal(NativePopupHandler& handler, int screenX, int screenY) override;
    images::Rect GetWorkArea() const override { return {0, 0, 1024, 768}; }
    void Bell() override { ++bells; }
    int GetBellCount() const { return bells; }

    const images::CImage& GetPicture() const { return picture_; }
    images::Point GetPosition() const { return position; }
    int GetShowCount() const { return showCount; }

private:
    HeadlessNativeWindow* owner_;
    images::CImage picture_;
    images::Point position;
    bool shown = false;
    int showCount = 0;
    int bells = 0;
};

} // namespace platform
