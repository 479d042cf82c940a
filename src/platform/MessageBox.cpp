#include <atomic>

#include "platform/Platform.h"
#include "platform/SystemMessageBox.h"

namespace platform
{
namespace
{

std::atomic<MessageBoxHandler> gHandler{nullptr};

} // namespace

int ShowMessageBox(const std::string& text, const std::string& caption, unsigned style)
{
    const MessageBoxHandler handler = gHandler.load();
    if (handler != nullptr)
        return handler(text, caption, style);
    return SystemMessageBox(text, caption, style);
}

void SetMessageBoxHandler(MessageBoxHandler handler)
{
    gHandler.store(handler);
}

} // namespace platform
