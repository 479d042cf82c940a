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

    void Lock() { section_.Enter(); }
    void Unlock() { section_.Leave(); }

private:
    platform::CriticalSection section_;
};

// Holds a CLock for the lifetime of a scope.
class CAutoLock
{
public:
    explicit CAutoLock(CLock& lock) : lock_(lock) { lock_.Lock(); }
    ~CAutoLock() { lock_.Unlock(); }
    CAutoLock(const CAutoLock&) = delete;
    CAutoLock& operator=(const CAutoLock&) = delete;

private:
    CLock& lock_;
};

} // namespace gui
