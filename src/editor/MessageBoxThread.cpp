#include "editor/MessageBoxThread.h"

#include <atomic>
#include <mutex>
#include <thread>

#include "gui/CDeluxeMessageBox.h"
#include "platform/Platform.h"
#include "resources/Log.h"

namespace editor
{
namespace
{
// The thread of the box shown last; joined before another starts. When the module is unloaded a box
// still on screen is cancelled, so the host never waits for the user.
struct BoxThread
{
    std::mutex mutex;
    std::thread thread;
    std::atomic<bool> showing{false};
    std::atomic<bool> cancel{false};
    ~BoxThread()
    {
        cancel = true;
        if (thread.joinable())
            thread.join();
    }
};

BoxThread& boxThread()
{
    static BoxThread instance;
    return instance;
}
} // namespace

int MessageBoxThread::show(const std::string& text, const std::string& caption, unsigned style)
{
    BoxThread& box = boxThread();
    std::lock_guard<std::mutex> guard(box.mutex);
    if (box.showing)
    {
        resources::LogFormatted("A message is on screen already; not shown: %s", caption.c_str());
        return platform::kIdOk;
    }
    if (box.thread.joinable())
        box.thread.join();
    box.showing = true;
    try
    {
        box.thread = std::thread(
            [text, caption, style]
            {
                gui::CDeluxeMessageBox message(text.c_str(), caption.c_str(), style);
                message.SetCancelFlag(&boxThread().cancel);
                message.Show();
                boxThread().showing = false;
            });
    }
    catch (...)
    {
        box.showing = false;
        resources::LogFormatted("No thread for the message: %s", caption.c_str());
    }
    return platform::kIdOk;
}

bool MessageBoxThread::busy()
{
    return boxThread().showing;
}

void MessageBoxThread::wait()
{
    BoxThread& box = boxThread();
    std::lock_guard<std::mutex> guard(box.mutex);
    if (box.thread.joinable())
        box.thread.join();
}

} // namespace editor
