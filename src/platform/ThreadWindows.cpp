#include <process.h>
#include <windows.h>

#include <new>

#include "platform/Platform.h"

namespace platform
{
namespace
{

struct ThreadStart
{
    void (*entry)(void*);
    void* arg;
};

unsigned __stdcall RunThread(void* raw)
{
    ThreadStart start = *static_cast<ThreadStart*>(raw);
    delete static_cast<ThreadStart*>(raw);
    start.entry(start.arg);
    return 0;
}

} // namespace

bool StartThread(void (*entry)(void*), void* arg)
{
    if (entry == nullptr)
        return false;
    ThreadStart* start = new (std::nothrow) ThreadStart{entry, arg};
    if (start == nullptr)
        return false;
    // Through the C run-time, so that the thread's own run-time state is set up and freed with it.
    const uintptr_t thread = _beginthreadex(nullptr, 0, &RunThread, start, 0, nullptr);
    if (thread == 0)
    {
        delete start;
        return false;
    }
    // Detached: nobody waits for it.
    CloseHandle(reinterpret_cast<HANDLE>(thread));
    return true;
}

} // namespace platform
