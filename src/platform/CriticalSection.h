// A recursive lock: the thread that holds it may enter it again and must leave
// it as often as it entered.
#pragma once

#include <cstddef>

namespace platform
{

// The system's own recursive lock (a Win32 critical section, a recursive mutex elsewhere), kept in storage of
// this class so that no system header reaches the other layers.
class CriticalSection
{
public:
    CriticalSection();
    ~CriticalSection();
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    void Enter();
    void Leave();
    // True when the lock was taken without waiting.
    bool TryEnter();

    // Large enough for the lock of every supported system; each implementation checks it.
    static constexpr std::size_t kStorageBytes = 64;

private:
    alignas(std::max_align_t) unsigned char storage[kStorageBytes];
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
