#include "resources/Log.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <new>

#include "platform/CriticalSection.h"
#include "resources/CFileObj.h"

namespace resources
{
namespace
{

// Set when the module's statics are torn down, so late lines are dropped.
bool gLogGone = false;

struct LogState
{
    platform::CriticalSection lock;
    std::string path;
    CFileObj* file = nullptr;
    bool openFailed = false;

    ~LogState()
    {
        if (file != nullptr)
            file->Release();
        file = nullptr;
        gLogGone = true;
    }
};

LogState& State()
{
    static LogState state;
    return state;
}

void WriteLine(const char* text, size_t length)
{
    if (gLogGone || text == nullptr || length == 0)
        return;
    LogState& state = State();
    platform::CriticalSectionLock lock(state.lock);
    if (state.file == nullptr)
        return;
    // A file that cannot be created (a plug-in installed in a system folder) is not tried again with every
    // line: lines come from the audio thread too. The next start tries once more.
    if (!state.file->IsOpen())
    {
        if (state.openFailed || !state.file->Open(state.path))
        {
            state.openFailed = true;
            return;
        }
    }
    const platform::LocalTime now = platform::GetLocalTime();
    char prefix[64];
    const int prefixLength = std::snprintf(prefix, sizeof prefix, "%02d:%02d:%02d [%3d mils] : ", now.hour,
                                           now.minute, now.second, now.milliseconds);
    state.file->SetFlush(true);
    if (prefixLength > 0)
        state.file->Write(prefix, static_cast<size_t>(prefixLength));
    state.file->Write(text, length);
    state.file->Write("\r\n", 2);
}

} // namespace

void LogStart(const std::string& path)
{
    if (gLogGone)
        return;
    LogState& state = State();
    platform::CriticalSectionLock lock(state.lock);
    try
    {
        state.path = path;
    }
    catch (...)
    {
        state.path.clear();
    }
    if (state.file != nullptr)
        state.file->Release();
    // The new file object opens (and empties) the file with the next line.
    state.file = new (std::nothrow) CFileObj();
    state.openFailed = false;
}

void LogLine(const char* text)
{
    if (text == nullptr)
        return;
    WriteLine(text, std::strlen(text));
}

void LogFormatted(const char* format, ...)
{
    if (format == nullptr)
        return;
    char text[2048];
    va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    if (length <= 0)
        return;
    WriteLine(text, std::strlen(text));
}

std::string LogCurrentPath()
{
    if (gLogGone)
        return std::string();
    LogState& state = State();
    platform::CriticalSectionLock lock(state.lock);
    return state.path;
}

} // namespace resources
