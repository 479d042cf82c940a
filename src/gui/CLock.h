#pragma once
// A critical section: recursive, so an object may lock itself again inside its own operations.
#include "platform/CriticalSection.h"

namespace gui
{

class CLock
{
public:
    CLock() = default;
    CLock(const CLock&) = delete;
    CLock& operator=(const CLock&) = delete;
    virtual ~CLock() = default;

    void Lock() { section.Enter(); }
    void Unlock() { section.Leave(); }

private:
    platform::CriticalSection section;
};

// Holds a CLock for the lifetime of a scope.
class CAutoLock
{
public:
    explicit CAutoLock(CLock& target) : lock(target) { lock.Lock(); }
    ~CAutoLock() { lock.Unlock(); }
    CAutoLock(const CAutoLock&) = delete;
    CAutoLock& operator=(const CAutoLock&) = delete;

private:
    CLock& lock;
};

} // namespace gui
