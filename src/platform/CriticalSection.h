// A recursive lock: the thread that holds it may enter it again and must leave
// it as often as it entered.
#pragma once

#include <mutex>

namespace platform
{

class CriticalSection
{
public:
    CriticalSection() = default;
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    void Enter() { mutex.lock(); }
    void Leave() { mutex.unlock(); }
    // True when the lock was taken without waiting.
    bool TryEnter() { return mutex.try_lock(); }

private:
    std::recursive_mutex mutex;
};

// Holds a critical section for its scope; a null section is no lock at all.
class CriticalSectionLock
{
public:
    explicit CriticalSectionLock(CriticalSection& lockedSection) : section(&lockedSection)
    {
        section->Enter();
    }
    explicit CriticalSectionLock(CriticalSection* lockedSection) : section(lockedSection)
    {
        if (section != nullptr)
            section->Enter();
    }
    ~CriticalSectionLock()
    {
        if (section != nullptr)
            section->Leave();
    }
    CriticalSectionLock(const CriticalSectionLock&) = delete;
    CriticalSectionLock& operator=(const CriticalSectionLock&) = delete;

private:
    CriticalSection* section;
};

} // namespace platform
