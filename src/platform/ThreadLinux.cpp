#include <pthread.h>

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

void* RunThread(void* raw)
{
    ThreadStart start = *static_cast<ThreadStart*>(raw);
    delete static_cast<ThreadStart*>(raw);
    start.entry(start.arg);
    return nullptr;
}

} // namespace

bool StartThread(void (*entry)(void*), void* arg)
{
    if (entry == nullptr)
        return false;
    ThreadStart* start = new (std::nothrow) ThreadStart{entry, arg};
    if (start == nullptr)
        return false;
    pthread_attr_t attributes;
    if (pthread_attr_init(&attributes) != 0)
    {
        delete start;
        return false;
    }
    pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
    pthread_t thread;
    const int result = pthread_create(&thread, &attributes, &RunThread, start);
    pthread_attr_destroy(&attributes);
    if (result != 0)
    {
        delete start;
        return false;
    }
    return true;
}

} // namespace platform
