#include "platform/native/HeadlessNativePopup.h"

#include "platform/native/HeadlessNativeWindow.h"

using namespace images;

namespace platform
{

namespace
{
std::deque<HeadlessPopupEvent>& PendingEvents()
{
    static std::deque<HeadlessPopupEvent> events;
    return events;
}
} // namespace

void HeadlessNativePopup::Script(std::deque<HeadlessPopupEvent> events)
{
    PendingEvents() = std::move(events);
}

HeadlessNativePopup::~HeadlessNativePopup()
{
    if (owner_)
        owner_->Forget(this);
}

bool HeadlessNativePopup::Show(const CImage& picture, int screenX, int screenY)
{
    picture_ = picture;
    position = {screenX, screenY};
    shown = true;
    ++showCount;
    return true;
}

void HeadlessNativePopup::RunModal(NativePopupHandler& handler, int screenX, int screenY)
{
    Show(handler.GetPopupPicture(), screenX, screenY);
    auto& events = PendingEvents();
    bool running = true;
    while (running)
    {
        if (events.empty())
        {
            // Nothing more will happen: behave like a click far outside, which dismisses.
            handler.OnPopupMouse(NativeMouseMessage::kLeftDown, -10000, -10000);
            break;
        }
        const HeadlessPopupEvent e = events.front();
        events.pop_front();
        running = e.isKey ? handler.OnPopupKey(e.virtualKey) : handler.OnPopupMouse(e.message, e.x, e.y);
        if (running)
            Show(handler.GetPopupPicture(), screenX, screenY);
    }
    Hide();
}

} // namespace platform
